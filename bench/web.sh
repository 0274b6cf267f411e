#!/usr/bin/env bash
# web.sh -- the page's frames in headless Chromium against the native program's, in the same run: for every
# scene and motion, the program's own --benchmark frame times in the page (drawn by SwiftShader through the
# GL ES 2 layer) and the page's requestAnimationFrame intervals, beside the native program's --benchmark on
# Xvfb with llvmpipe, taking turns run by run. `make bench BENCH_WEB=1` runs it after bench/run.sh; it can
# also run alone.
#
# Environment knobs (all optional, shared with run.sh where they have the same name):
#   BENCH_DIR          the native build folder                     (default build/bench)
#   BENCH_RUNS         timed runs per scene, motion and program    (default 3)
#   BENCH_FRAMES       frames per timed run                        (default 600)
#   BENCH_SCENES       scenes to measure                           (default "start lit busy")
#   BENCH_WEB_MOTIONS  camera motions                              (default "still orbit walk")
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/figures.sh
. bench/figures.sh

dir="${BENCH_DIR:-build/bench}"
runs="${BENCH_RUNS:-3}"
frames="${BENCH_FRAMES:-600}"
scenes="${BENCH_SCENES:-start lit busy}"
motions="${BENCH_WEB_MOTIONS:-still orbit walk}"
jobs="${JOBS:-2}"

scripts/install-deps.sh web
cmake --preset bench -B "$dir" >/dev/null
cmake --build "$dir" -j "$jobs" --target glintmere assets >/dev/null
cmake --preset web >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build --preset web -j "$jobs" --target site >/dev/null

start_bench_display

# one_run PROGRAM SCENE MOTION LOG: the figures line of one run ("benchmark ..." or "page ...").
one_run() {
  local program="$1" scene="$2" motion="$3" log="$4"
  if [ "$program" = native ]; then
    (cd "$dir" && ./glintmere --mute --scene "$scene" --motion "$motion" --benchmark "$frames") >"$log" 2>&1
  else
    /usr/bin/python3 bench/web_frames.py --site build/web/site --scene "$scene" --motion "$motion" \
      --frames "$frames" >"$log" 2>&1
  fi || {
    echo "benchmark run failed for the $program program, scene $scene, motion $motion:" >&2
    cat "$log" >&2
    exit 1
  }
  grep -E '^(benchmark|page) frames=' "$log" | tail -1
}

echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "browser: $(chromium --version 2>/dev/null)"
results="$logs/results.txt" # scene motion program median p99 [raf_median raf_p99]
: >"$results"
for s in $scenes; do
  for m in $motions; do
    for ((r = 1; r <= runs; r++)); do
      # The two programs take turns, so a change in the machine's load reaches both alike.
      for p in native page; do
        line="$(one_run "$p" "$s" "$m" "$logs/$s-$m-$p-$r.txt")"
        echo "$s $m $p $(field median_ms "$line") $(field p99_ms "$line") $(field raf_median_ms "$line")" \
          "$(field raf_p99_ms "$line")" >>"$results"
      done
    done
  done
done
page_logs=("$logs"/*-page-1.txt)
renderer="$(sed -n 's/.*renderer="\(.*\)"$/\1/p' "${page_logs[0]}")"

echo "load average after the timed runs: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "the page's renderer: ${renderer:-unknown}"
echo
echo "$runs runs of $frames frames each at 1200 by 600: the median of the runs' medians, the highest p99."
echo "native: the program's --benchmark frame time; page: the same in the page; frame: the interval"
echo "between the page's animation frames (what a visitor sees); ratio: page frame over native frame time"
printf '%-6s %-6s %10s %10s %10s %10s %10s %10s %7s\n' scene motion native_ms native_p99 page_ms page_p99 \
  frame_ms frame_p99 ratio
for s in $scenes; do
  for m in $motions; do
    pick() { awk -v s="$s" -v m="$m" -v p="$1" -v c="$2" '$1==s && $2==m && $3==p {print $c}' "$results"; }
    native="$(pick native 4 | median)"
    native_p99="$(pick native 5 | maximum)"
    page="$(pick page 4 | median)"
    page_p99="$(pick page 5 | maximum)"
    frame="$(pick page 6 | median)"
    frame_p99="$(pick page 7 | maximum)"
    ratio="$(awk -v a="$frame" -v b="$native" 'BEGIN{printf "%.2f", a/b}')"
    printf '%-6s %-6s %10s %10s %10s %10s %10s %10s %7s\n' "$s" "$m" "$native" "$native_p99" "$page" "$page_p99" \
      "$frame" "$frame_p99" "$ratio"
  done
done
echo
start_frame="$(awk '$1=="start" && $2=="still" && $3=="page" {print $6}' "$results" | median)"
echo "the page's start scene, still: a frame every $start_frame ms (the goal: 33 ms or less, 30 frames a second)"
