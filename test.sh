#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DFROSTLIDE_SANITIZE=ON >/dev/null
cmake --build build-test -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
# Leaks are checked in our code; the system libraries' own are listed in tests/lsan.supp.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen \
  ctest --test-dir build-test --output-on-failure -j"$(nproc)" "$@"
# A short fuzz run of every fuzz target from its seeds, where clang is installed (scripts/fuzz.sh).
if command -v clang++ >/dev/null 2>&1; then
  FUZZ_JOBS="$(nproc)" scripts/fuzz.sh "${FROSTLIDE_FUZZ_SECONDS:-15}"
fi
