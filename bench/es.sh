#!/usr/bin/env bash
# es.sh -- the program's frames drawn through the ES layer on Mesa's OpenGL ES 2.0 against the same
# frames through Mesa's fixed function, in the same run: for every scene and motion, the program's own
# --benchmark (GLX on Xvfb) and glintmere_es_bench (tests/es/es_bench.cpp, the same scene, motion,
# timers and timing, through the layer on an EGL pbuffer) take turns, run by run. Both are built from
# one release tree, with llvmpipe behind both.
#
# Environment knobs (all optional):
#   BENCH_ES_DIR     build folder                                  (default build/bench-es)
#   BENCH_RUNS       timed runs per scene and motion               (default 3)
#   BENCH_FRAMES     frames per timed run                          (default 600)
#   BENCH_SCENES     scenes to measure                             (default "start lit busy")
#   BENCH_MOTIONS    camera motions                                (default "still orbit walk")
#   BENCH_ES_HEAP    keep: both programs keep the heap they free; trim: glibc's default  (default keep)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/figures.sh
. bench/figures.sh

dir="${BENCH_ES_DIR:-build/bench-es}"
runs="${BENCH_RUNS:-3}"
frames="${BENCH_FRAMES:-600}"
scenes="${BENCH_SCENES:-start lit busy}"
motions="${BENCH_MOTIONS:-still orbit walk}"
jobs="${JOBS:-2}"
heap="${BENCH_ES_HEAP:-keep}"

# llvmpipe allocates and frees its binning in 64 KB blocks every frame. With glibc's default the freed
# top of the heap goes back to the system and is faulted in again the next frame, at a cost that
# depends on where the program's own allocations happen to lie (measured from 1 to 6 ms a frame for
# the busy scene, differing between two builds of the same layer). Both programs run alike: with
# "keep" the heap is never trimmed during the run, so the table compares the drawing.
case "$heap" in
  keep) export GLIBC_TUNABLES=glibc.malloc.trim_threshold=1073741824 ;;
  trim) unset GLIBC_TUNABLES ;;
  *)
    echo "BENCH_ES_HEAP must be keep or trim, not '$heap'" >&2
    exit 2
    ;;
esac

# The bench preset, with the tests' tree, where the ES benchmark program is defined.
cmake --preset bench -B "$dir" -DGLINTMERE_TESTS=ON >/dev/null
cmake --build "$dir" -j "$jobs" --target glintmere glintmere_es_bench assets >/dev/null

start_bench_display


program_for() { # program_for gl|es: the command line that draws that way
  if [ "$1" = es ]; then echo ./tests/es/glintmere_es_bench; else echo ./glintmere --mute; fi
}

echo
echo "ES layer against the fixed function:"
echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "heap: $heap (BENCH_ES_HEAP)"
results="$logs/results.txt" # scene motion way run median p99 empty
: >"$results"
for s in $scenes; do
  for m in $motions; do
    for ((r = 1; r <= runs; r++)); do
      # The two ways take turns, so a change in the machine's load reaches both alike.
      for way in gl es; do
        log="$logs/$s-$m-$way-$r.txt"
        # shellcheck disable=SC2046
        run_logged "$log" $(program_for "$way") --scene "$s" --motion "$m" --benchmark "$frames" || {
          echo "benchmark run failed for scene $s, motion $m, $way:" >&2
          cat "$log" >&2
          exit 1
        }
        line="$(grep '^benchmark frames=' "$log" | tail -1)"
        if [ "$way" = es ] && [ -z "${es_version:-}" ]; then es_version="$(sed -n 's/^version: //p' "$log")"; fi
        echo "$s $m $way $r $(field median_ms "$line") $(field p99_ms "$line") $(field empty_median_ms "$line")" >>"$results"
      done
    done
  done
done
echo "load average after the timed runs: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "the layer: ${es_version:-unknown}"
echo
echo "$runs runs of $frames frames each, the median of the runs' medians and the highest p99; ratio is the"
echo "layer's median over the fixed function's. The fixed-function frame includes GLX's swap to Xvfb (its"
echo "empty frame); the layer's swap on a pbuffer presents nothing."
printf '%-6s %-6s %9s %9s %9s %9s %9s %9s %7s\n' scene motion gl_ms gl_p99 gl_empty es_ms es_p99 es_empty ratio
worst=0
for s in $scenes; do
  for m in $motions; do
    declare -A med p99 empty
    for way in gl es; do
      rows="$(awk -v s="$s" -v m="$m" -v w="$way" '$1==s && $2==m && $3==w' "$results")"
      med[$way]="$(awk '{print $5}' <<<"$rows" | median)"
      p99[$way]="$(awk '{print $6}' <<<"$rows" | maximum)"
      empty[$way]="$(awk '{print $7}' <<<"$rows" | median)"
    done
    ratio="$(awk -v a="${med[es]}" -v b="${med[gl]}" 'BEGIN{printf "%.2f", a/b}')"
    worst="$(awk -v a="$ratio" -v b="$worst" 'BEGIN{print (a>b)?a:b}')"
    printf '%-6s %-6s %9s %9s %9s %9s %9s %9s %7s\n' "$s" "$m" "${med[gl]}" "${p99[gl]}" "${empty[gl]}" \
      "${med[es]}" "${p99[es]}" "${empty[es]}" "$ratio"
  done
done
echo
echo "the highest ratio: $worst (the layer is meant to stay within 1.3 times the fixed function)"
