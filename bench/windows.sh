#!/usr/bin/env bash
# windows.sh -- the Windows exe under Wine against the native program, in the same run: each scene's
# --benchmark median frame time from both, on one Xvfb with Mesa's llvmpipe, and their ratio. `make
# bench BENCH_WINDOWS=1` runs it after bench/run.sh; it can also run alone.
#
# Environment knobs (all optional, shared with run.sh where they have the same name):
#   BENCH_DIR              the native build folder                     (default build/bench)
#   BENCH_RUNS             timed runs per scene, motion and program    (default 3)
#   BENCH_FRAMES           frames per timed run                        (default 600)
#   BENCH_SCENES           scenes to measure                           (default "start lit busy")
#   BENCH_WINDOWS_MOTIONS  camera motions                              (default "still orbit walk")
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/figures.sh
. bench/figures.sh

dir="${BENCH_DIR:-build/bench}"
runs="${BENCH_RUNS:-3}"
frames="${BENCH_FRAMES:-600}"
scenes="${BENCH_SCENES:-start lit busy}"
motions="${BENCH_WINDOWS_MOTIONS:-still orbit walk}"
jobs="${JOBS:-2}"
windows_dir=build/windows

scripts/install-deps.sh windows
JOBS="$jobs" scripts/windows-deps.sh build/windows-deps
cmake --preset bench -B "$dir" >/dev/null
cmake --build "$dir" -j "$jobs" --target glintmere assets >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target glintmere assets >/dev/null

# The display first, so that the Wine prefix's desktop belongs to it; both end with the script.
start_bench_display
prefix="$logs/wine-prefix"
bench_on_exit() { scripts/with-wine.sh --stop "$prefix"; }
scripts/with-wine.sh --start "$prefix"

# one_run PROGRAM SCENE MOTION LOG: the median frame time of one --benchmark run.
one_run() {
  local program="$1" scene="$2" motion="$3" log="$4"
  local args=(--mute --scene "$scene" --motion "$motion" --benchmark "$frames")
  if [ "$program" = native ]; then
    (cd "$dir" && ./glintmere "${args[@]}") >"$log" 2>&1
  else
    (cd "$windows_dir" && ../../scripts/with-wine.sh --on "$prefix" wine ./glintmere.exe "${args[@]}") >"$log" 2>&1
  fi || {
    echo "benchmark run failed for the $program program, scene $scene, motion $motion:" >&2
    tr -d '\r' <"$log" >&2
    exit 1
  }
  field median_ms "$(tr -d '\r' <"$log" | grep '^benchmark frames=' | tail -1)"
}

echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "wine: $(scripts/with-wine.sh --on "$prefix" wine --version)"
results="$logs/results.txt" # scene motion program median
: >"$results"
for s in $scenes; do
  for m in $motions; do
    for ((r = 1; r <= runs; r++)); do
      # The two programs take turns, so a change in the machine's load reaches both alike.
      for p in native windows; do
        echo "$s $m $p $(one_run "$p" "$s" "$m" "$logs/$s-$m-$p-$r.txt")" >>"$results"
      done
    done
  done
done
windows_logs=("$logs"/*-windows-1.txt)
renderer="$(tr -d '\r' <"${windows_logs[0]}" | sed -n 's/^renderer: //p')"

echo "load average after the timed runs: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "the exe's renderer under Wine: ${renderer:-unknown}"
echo
echo "$runs runs of $frames frames each, the median of the runs' medians; ratio is the exe's over the native program's"
printf '%-6s %-6s %14s %14s %7s\n' scene motion native_ms windows_ms ratio
worst=0
for s in $scenes; do
  for m in $motions; do
    native="$(awk -v s="$s" -v m="$m" '$1==s && $2==m && $3=="native" {print $4}' "$results" | median)"
    windows="$(awk -v s="$s" -v m="$m" '$1==s && $2==m && $3=="windows" {print $4}' "$results" | median)"
    ratio="$(awk -v a="$windows" -v b="$native" 'BEGIN{printf "%.2f", a/b}')"
    worst="$(awk -v a="$ratio" -v b="$worst" 'BEGIN{print (a > b) ? a : b}')"
    printf '%-6s %-6s %14s %14s %7s\n' "$s" "$m" "$native" "$windows" "$ratio"
  done
done
echo
echo "the highest ratio: $worst (the exe is meant to stay within 1.3 times the native program)"
