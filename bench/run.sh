#!/usr/bin/env bash
# run.sh -- frame-time benchmark: builds a release binary, times each prepared scene under Xvfb with
# Mesa's llvmpipe, and counts instructions per frame with callgrind on one rasteriser thread.
#
# Environment knobs (all optional):
#   BENCH_DIR      build folder                     (default build/bench)
#   BENCH_RUNS     timed runs per scene, 0 for none (default 3)
#   BENCH_FRAMES   frames per timed run             (default 600)
#   BENCH_SCENES   scenes to measure                (default "start lit busy")
#   BENCH_CALLGRIND  0 skips the instruction counts (default 1)
#   BENCH_CG_FRAMES  the two frame counts whose difference callgrind divides (default "10 40")
set -euo pipefail
cd "$(dirname "$0")/.."

dir="${BENCH_DIR:-build/bench}"
runs="${BENCH_RUNS:-3}"
frames="${BENCH_FRAMES:-600}"
scenes="${BENCH_SCENES:-start lit busy}"
use_callgrind="${BENCH_CALLGRIND:-1}"
read -r cg_low cg_high <<<"${BENCH_CG_FRAMES:-10 40}"
jobs="${JOBS:-2}"

cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DGLINTMERE_TESTS=OFF >/dev/null
cmake --build "$dir" -j "$jobs" --target glintmere assets >/dev/null

# Xvfb's screen is larger than the 1200 by 600 window so the window is never clipped.
xvfb=(xvfb-run -a -s "-screen 0 1600x1200x24")
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
logs="$(mktemp -d)"
trap 'rm -rf "$logs"' EXIT

# xvfb-run -a can lose the race for a display number to another program starting at the same
# moment; such a run fails before drawing anything and is simply started again.
run_on_xvfb() {  # run_on_xvfb LOG COMMAND...
  local log="$1" try
  shift
  for try in 1 2 3 4 5; do
    if (cd "$dir" && "${xvfb[@]}" "$@") >"$log" 2>&1; then return 0; fi
    grep -q "failed to open display\|cannot open the X display\|Xvfb failed" "$log" || return 1
    sleep $((RANDOM % 3 + 1))
  done
  return 1
}

field() {  # field NAME LINE: the value of NAME=... on a "benchmark frames=" line
  sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$2"
}

echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

declare -A best_line
if [ "$runs" -gt 0 ]; then
printf '\n%-6s %4s %11s %11s %9s %10s %7s\n' scene run median_ms p99_ms fps empty_ms ratio
for s in $scenes; do
  for ((r = 1; r <= runs; r++)); do
    log="$logs/$s-$r.txt"
    run_on_xvfb "$log" ./glintmere --mute --scene "$s" --benchmark "$frames" || {
      echo "benchmark run failed for scene $s:" >&2
      cat "$log" >&2
      exit 1
    }
    line="$(grep '^benchmark frames=' "$log" | tail -1)"
    if [ -z "${renderer:-}" ]; then
      renderer="$(sed -n 's/^renderer: //p' "$log")"
      version="$(sed -n 's/^version: //p' "$log")"
    fi
    printf '%-6s %4d %11s %11s %9s %10s %7s\n' "$s" "$r" "$(field median_ms "$line")" "$(field p99_ms "$line")" \
      "$(field fps "$line")" "$(field empty_median_ms "$line")" "$(field ratio "$line")"
    prev="${best_line[$s]:-}"
    if [ -z "$prev" ] || awk -v a="$(field median_ms "$line")" -v b="$(field median_ms "$prev")" 'BEGIN{exit !(a<b)}'; then
      best_line[$s]="$line"
    fi
  done
done

echo
echo "renderer: ${renderer:-unknown}"
echo "GL version: ${version:-unknown}"
echo "load average after the timed runs: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "best of $runs runs of $frames frames (the run with the lowest median):"
printf '%-6s %11s %11s %9s %10s %7s\n' scene median_ms p99_ms fps empty_ms ratio
for s in $scenes; do
  line="${best_line[$s]}"
  printf '%-6s %11s %11s %9s %10s %7s\n' "$s" "$(field median_ms "$line")" "$(field p99_ms "$line")" \
    "$(field fps "$line")" "$(field empty_median_ms "$line")" "$(field ratio "$line")"
done

fi

if [ "$use_callgrind" = 0 ]; then exit 0; fi
if ! command -v valgrind >/dev/null 2>&1; then
  echo
  echo "valgrind is not installed (apt-get install valgrind): no instruction counts"
  exit 0
fi

# Instructions per frame: two counted runs differ only by their frame count, so the start-up and
# exit cancel out. One rasteriser thread keeps the count independent of the machine's load.
count_instructions() {  # count_instructions SCENE FRAMES
  local out="$logs/cg-$1-$2.out"
  run_on_xvfb "$logs/cg-$1-$2.log" env LP_NUM_THREADS=1 valgrind --tool=callgrind --callgrind-out-file="$out" \
    ./glintmere --mute --scene "$1" --frames "$2" || {
    echo "callgrind run failed for scene $1:" >&2
    tail -20 "$logs/cg-$1-$2.log" >&2
    exit 1
  }
  sed -n 's/^summary: //p' "$out"
}

echo
echo "instructions per frame (callgrind, LP_NUM_THREADS=1, frames $cg_high minus $cg_low):"
printf '%-6s %16s\n' scene instr_per_frame
for s in $scenes; do
  # Mesa keeps compiled shaders in a disk cache; a first short run fills it for valgrind's CPU, so
  # that neither counted run pays for compiling (without a cache both pay alike and it cancels).
  count_instructions "$s" 2 >/dev/null
  low="$(count_instructions "$s" "$cg_low")"
  high="$(count_instructions "$s" "$cg_high")"
  printf '%-6s %16s\n' "$s" "$(awk -v h="$high" -v l="$low" -v n="$((cg_high - cg_low))" 'BEGIN{printf "%.0f", (h-l)/n}')"
done
