#!/usr/bin/env bash
# One run of every published figure, printed as one table:
#
#   scripts/figures.sh [build-folder]        (default build-figures, configured as Release)
#
# start-up to the first shown frame (bench/figures_bench.cpp), one glide frame against its 8 ms
# budget, a full level draw, the AND/OR block copy against a plain memory copy of the same bytes
# (bench/render_bench.cpp), solving the whole built-in pack (bench/solver_bench.cpp), and the
# game's idle CPU over ten seconds (the real program under SDL's dummy drivers, from
# /proc/<pid>/stat). Everything runs headless; nothing is written outside temporary folders.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-figures}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target figures_bench render_bench solver_bench Frostlide frostlide_assets >/dev/null

dist="$build/dist"
pack=data/ogpice.cdn
[ -f "$pack" ] || pack="$dist/data/ogpice.cdn"
work="$(mktemp -d)"
trap '[ -n "${FIGURES_KEEP:-}" ] || rm -rf "$work"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
unset DISPLAY

# Google Benchmark's CSV: one value per (benchmark, column).
bench_csv() {  # program filter [min-time]
  "$build/$1" --benchmark_filter="$2" --benchmark_format=csv --benchmark_min_time="${3:-0.3}" 2>/dev/null \
    | sed -n '/^name,/,$p'
}
column() {  # csv-file benchmark-name column-name
  awk -F, -v name="\"$2\"" -v col="$3" '
    NR == 1 { for (i = 1; i <= NF; i++) { h = $i; gsub(/"/, "", h); if (h == col) c = i }; next }
    $1 == name && c { print $c; exit }' "$1"
}
ms() { awk -v v="$1" -v u="$2" 'BEGIN { f = (u == "ns") ? 1e-6 : (u == "us") ? 1e-3 : (u == "ms") ? 1 : 1000; printf "%.4f", v * f }'; }

bench_csv render_bench 'BM_GlideFrame|BM_DrawLevel|BM_MaskedBlockCopy/465|BM_MemcpySameBytes/465|BM_MaskedBlockCopy/31|BM_MemcpySameBytes/31' >"$work/render.csv"
FROSTLIDE_PACK="$pack" bench_csv solver_bench 'BM_SolvePackInformed' 0.01 >"$work/solver.csv"
FROSTLIDE_DIST="$dist" bench_csv figures_bench 'BM_StartupToFirstFrame' >"$work/startup.csv"

# Idle: the real program in a program folder of its own (so settings and the file association
# go there), left alone at its main menu; CPU time from /proc/<pid>/stat (utime + stime).
idle_cpu() {  # music-on(1/0) -> percent of one core over ten seconds
  local folder="$work/idle$1"
  mkdir -p "$folder/home"
  cp "$dist/Frostlide" "$folder/"
  ln -s "$(cd "$dist/data" && pwd)" "$folder/data"
  printf '[Options]\r\nSound=1\r\nMusic=%s\r\nAnimation=3\r\nColorBlind=0\r\nFullscreen=0\r\nFadeEffect=1\r\n\r\n[Music]\r\nLastSong=1\r\n' "$1" >"$folder/settings.ini"
  HOME="$folder/home" XDG_DATA_HOME="$folder/home/data" XDG_CONFIG_HOME="$folder/home/config" \
    "$folder/Frostlide" >/dev/null 2>&1 &
  local pid=$!
  sleep 3
  local t0 t1
  t0=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  sleep 10
  t1=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v a="$t0" -v b="$t1" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f", (b - a) / hz / 10 * 100 }'
}
idle_music=$([ -n "${FIGURES_NO_IDLE:-}" ] && echo - || idle_cpu 1)
idle_quiet=$([ -n "${FIGURES_NO_IDLE:-}" ] && echo - || idle_cpu 0)

r() { column "$work/render.csv" "$1" real_time; }
u() { column "$work/render.csv" "$1" time_unit; }
glide=$(ms "$(r BM_GlideFrame)" "$(u BM_GlideFrame)")
level=$(ms "$(r BM_DrawLevel)" "$(u BM_DrawLevel)")
blit465=$(ms "$(r BM_MaskedBlockCopy/465)" "$(u BM_MaskedBlockCopy/465)")
copy465=$(ms "$(r BM_MemcpySameBytes/465)" "$(u BM_MemcpySameBytes/465)")
blit31=$(ms "$(r BM_MaskedBlockCopy/31)" "$(u BM_MaskedBlockCopy/31)")
copy31=$(ms "$(r BM_MemcpySameBytes/31)" "$(u BM_MemcpySameBytes/31)")
start=$(ms "$(column "$work/startup.csv" BM_StartupToFirstFrame/iterations:10/manual_time real_time)" \
           "$(column "$work/startup.csv" BM_StartupToFirstFrame/iterations:10/manual_time time_unit)")
solve=$(ms "$(column "$work/solver.csv" BM_SolvePackInformed/iterations:1 real_time)" \
           "$(column "$work/solver.csv" BM_SolvePackInformed/iterations:1 time_unit)")
solved=$(column "$work/solver.csv" BM_SolvePackInformed/iterations:1 levels_solved)
levels=$(column "$work/solver.csv" BM_SolvePackInformed/iterations:1 levels)

row() { printf '| %-46s | %14s | %-34s |\n' "$1" "$2" "$3"; }
echo "Frostlide figures ($(uname -m), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $(date -u +%Y-%m-%d), build $build)"
echo
row "figure" "measured" "against"
row "----------------------------------------------" "--------------" "----------------------------------"
row "start-up to the first shown frame" "$(printf '%.1f ms' "$start")" "mean of 10 starts, dummy video"
row "one glide frame (4 px step, 31 x 31 cube)" "$(printf '%.4f ms' "$glide")" "$(awk -v g="$glide" 'BEGIN { printf "budget 8 ms (%.3f %%)", g / 8 * 100 }')"
row "full level draw (465 x 465)" "$(printf '%.3f ms' "$level")" "once per level set-up, no fade"
row "AND/OR block copy 465 x 465" "$(printf '%.4f ms' "$blit465")" "$(awk -v a="$blit465" -v b="$copy465" 'BEGIN { printf "memcpy %.4f ms (x %.2f)", b, a / b }')"
row "AND/OR block copy 31 x 31 (one cell)" "$(awk -v a="$blit31" 'BEGIN { printf "%.2f us", a * 1000 }')" "$(awk -v a="$blit31" -v b="$copy31" 'BEGIN { printf "memcpy %.2f us (x %.2f)", b * 1000, a / b }')"
row "idle CPU at the main menu, music on" "${idle_music} %" "of one core, over 10 s"
row "idle CPU at the main menu, music off" "${idle_quiet} %" "of one core, over 10 s"
row "solve the built-in pack (informed search)" "$(printf '%.2f ms' "$solve")" "${solved:-?} of ${levels:-?} levels solved"
