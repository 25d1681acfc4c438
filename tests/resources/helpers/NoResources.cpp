// A shared library that exports something, but no resource table.
extern "C" __attribute__((visibility("default"))) int CalyraNoResources_Answer(void) {
  return 42;
}
