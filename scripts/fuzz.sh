#!/usr/bin/env bash
# Runs the libFuzzer targets (fuzz/) for a while each and prints one line per target.
#
#   scripts/fuzz.sh [seconds-per-target] [target ...]
#
# Builds them in build-fuzz with clang (FROSTLIDE_FUZZ=ON) unless FUZZ_NO_BUILD=1. Each target
# starts from its seeds in fuzz/corpus/<target> (the pack targets also from data/ogpice.cdn
# when a build has made it) and keeps what it finds in build-fuzz/fuzz-corpus/<target>, so a
# later run goes on from there. An input that breaks a property is written to
# build-fuzz/fuzz-artifacts/; the script then exits non-zero. FUZZ_SEED fixes libFuzzer's
# random seed (default 1, so a short run is repeatable); FUZZ_JOBS runs that many targets at
# once (default 1).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-15}"
shift || true
build=build-fuzz
all=(pack_fuzz progress_fuzz profile_fuzz moves_fuzz editor_pack_fuzz)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not found, nothing to do" >&2
  exit 0
fi
probe="$(mktemp)"
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
     clang++ -x c++ -fsanitize=fuzzer,address,undefined - -o "$probe" >/dev/null 2>&1; then
  rm -f "$probe"
  echo "fuzz: clang++ cannot build fuzz targets here (libclang-rt missing?), nothing to do" >&2
  exit 0
fi
rm -f "$probe"
if [ "${FUZZ_NO_BUILD:-0}" != 1 ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DFROSTLIDE_FUZZ=ON -DFROSTLIDE_BUILD_BENCH=OFF -DBUILD_TESTING=ON >/dev/null
  cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" >/dev/null
fi

mkdir -p "$build/fuzz-artifacts"
# The targets write small files all the time; in memory that costs no disk flushes.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
builtin_pack=""
for candidate in data/ogpice.cdn "$build"/dist/data/ogpice.cdn build*/dist/data/ogpice.cdn; do
  if [ -f "$candidate" ]; then builtin_pack="$candidate"; break; fi
done

run_one() {
  local t="$1" corpus="$build/fuzz-corpus/$1" log="$build/fuzz-artifacts/$1.log"
  mkdir -p "$corpus"
  cp -n fuzz/corpus/"$t"/* "$corpus"/ 2>/dev/null || true
  case "$t" in
    pack_fuzz) [ -n "$builtin_pack" ] && cp "$builtin_pack" "$corpus/ogpice.cdn" ;;
    editor_pack_fuzz) [ -n "$builtin_pack" ] && { printf '00'; cat "$builtin_pack"; } > "$corpus/ogpice.txt" ;;
  esac
  # Room for the whole built-in pack as a seed.
  local max_len=8192
  case "$t" in pack_fuzz|editor_pack_fuzz) max_len=32768 ;; esac
  local extra=()
  [ -d "fuzz/regressions/$t" ] && extra+=("fuzz/regressions/$t")
  local status=0
  env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    QT_QPA_PLATFORM=offscreen \
    "$build/fuzz/$t" -max_total_time="$seconds" -seed="${FUZZ_SEED:-1}" -timeout=10 \
      -rss_limit_mb=2048 -max_len="$max_len" -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$t-" "$corpus" "${extra[@]}" >"$log" 2>&1 || status=$?
  local runs secs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  local result=ok
  [ "$status" -ne 0 ] && result="FAILED (see $log)"
  printf '%-18s %10s runs %6s s  corpus %5s  %s\n' "$t" "${runs:-?}" "${secs:-$seconds}" \
    "$(ls "$corpus" | wc -l)" "$result"
  return "$status"
}

failed=0
jobs_max="${FUZZ_JOBS:-1}"
pids=()
for t in "${targets[@]}"; do
  if [ "$jobs_max" -gt 1 ]; then
    run_one "$t" & pids+=($!)
    if [ ${#pids[@]} -ge "$jobs_max" ]; then wait "${pids[0]}" || failed=1; pids=("${pids[@]:1}"); fi
  else
    run_one "$t" || failed=1
  fi
done
for p in "${pids[@]}"; do wait "$p" || failed=1; done
exit "$failed"
