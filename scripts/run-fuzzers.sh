#!/usr/bin/env bash
# run-fuzzers.sh BUILD_DIR SECONDS: runs every *_fuzzer under BUILD_DIR/fuzz for SECONDS each, with a
# corpus folder per target (seeded from fuzz/seeds/NAME when the repository has one); fails when one
# of them finds a crash.
set -euo pipefail
build=${1:?build folder}
seconds=${2:-20}
status=0
# Leaks inside libraries we do not own are listed, with the reason, in fuzz/lsan.supp; the full
# unwinder sees through libraries built without frame pointers, so that their frames can be matched.
export ASAN_OPTIONS="fast_unwind_on_malloc=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")/.." && pwd)/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
for fuzzer in "$build"/fuzz/*_fuzzer; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="$build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="$(dirname "$0")/../fuzz/seeds/${name%_fuzzer}"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  echo "== $name ($seconds s)"
  if ! "$fuzzer" -max_total_time="$seconds" -print_final_stats=0 "$corpus" 2>"$build/fuzz/$name.log"; then
    echo "!! $name failed; see $build/fuzz/$name.log"
    tail -30 "$build/fuzz/$name.log"
    status=1
  fi
done
exit $status
