#include "projects/FileEntry.h"

#include "projects/ProjectDatabase.h"

namespace calyra {

void FileEntry::Reset() {
  ProjectEntry::Reset();
  filePath.clear();
}

void FileEntry::ReadProperties(const calyra::Record& values) {
  ProjectEntry::ReadProperties(values);
  filePath = TextOf(values, kFilePathTag, std::u16string::npos);
}

void FileEntry::WriteProperties(calyra::Record& values) {
  ProjectEntry::WriteProperties(values);
  values.Set(PropertyValue::String(kFilePathTag, filePath));
}

}  // namespace calyra
