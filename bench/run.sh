#!/usr/bin/env bash
# run.sh -- frame-time benchmark: builds a release binary and times each prepared scene under Xvfb
# with Mesa's llvmpipe, with the camera still, orbiting and walking, both the program's way and the
# straightforward way (GLINTMERE_STRAIGHTFORWARD=1) in the same run; then the start-up time to the
# first frame, instructions per frame from callgrind on one rasteriser thread, and a chart of the
# per-frame times of one run of each.
#
# Environment knobs (all optional):
#   BENCH_DIR        build folder                                  (default build/bench)
#   BENCH_RUNS       timed runs per scene and motion, 0 for none   (default 3)
#   BENCH_FRAMES     frames per timed run                          (default 600)
#   BENCH_SCENES     scenes to measure                             (default "start lit busy")
#   BENCH_MOTIONS    camera motions                                (default "still orbit walk")
#   BENCH_CALLGRIND  0 skips the instruction counts                (default 1)
#   BENCH_CG_MOTIONS motions whose instructions are counted        (default "orbit")
#   BENCH_CG_FRAMES  the two frame counts whose difference callgrind divides (default "10 30")
#   BENCH_CHART      where the chart goes, empty for none          (default build/bench/frame-times.png)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/figures.sh
. bench/figures.sh

dir="${BENCH_DIR:-build/bench}"
runs="${BENCH_RUNS:-3}"
frames="${BENCH_FRAMES:-600}"
scenes="${BENCH_SCENES:-start lit busy}"
motions="${BENCH_MOTIONS:-still orbit walk}"
use_callgrind="${BENCH_CALLGRIND:-1}"
cg_motions="${BENCH_CG_MOTIONS:-orbit}"
read -r cg_low cg_high <<<"${BENCH_CG_FRAMES:-10 30}"
chart="${BENCH_CHART-$dir/frame-times.png}"
jobs="${JOBS:-2}"

cmake --preset bench -B "$dir" >/dev/null
cmake --build "$dir" -j "$jobs" --target glintmere assets >/dev/null

start_bench_display


drawing_env() {  # drawing_env fast|straightforward: the environment that picks the drawing
  if [ "$1" = straightforward ]; then echo GLINTMERE_STRAIGHTFORWARD=1; else echo GLINTMERE_STRAIGHTFORWARD=0; fi
}

echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

if [ "$runs" -gt 0 ]; then
  results="$logs/results.txt"  # scene motion drawing run median p99 fps empty ratio
  : >"$results"
  for s in $scenes; do
    for m in $motions; do
      for ((r = 1; r <= runs; r++)); do
        # The two drawings take turns, so a change in the machine's load reaches both alike.
        for d in fast straightforward; do
          log="$logs/$s-$m-$d-$r.txt"
          run_logged "$log" env "$(drawing_env "$d")" ./glintmere --mute --scene "$s" --motion "$m" \
            --benchmark "$frames" || {
            echo "benchmark run failed for scene $s, motion $m, $d drawing:" >&2
            cat "$log" >&2
            exit 1
          }
          line="$(grep '^benchmark frames=' "$log" | tail -1)"
          if [ -z "${renderer:-}" ]; then
            renderer="$(sed -n 's/^renderer: //p' "$log")"
            version="$(sed -n 's/^version: //p' "$log")"
          fi
          echo "$s $m $d $r $(field median_ms "$line") $(field p99_ms "$line") $(field fps "$line")" \
            "$(field empty_median_ms "$line") $(field ratio "$line")" >>"$results"
          if [ "$r" = 1 ]; then sed -n 's/^frame times ms: //p' "$log" | tr ' ' '\n' >"$logs/times-$s-$m-$d.txt"; fi
        done
      done
    done
  done

  echo
  echo "renderer: ${renderer:-unknown}"
  echo "GL version: ${version:-unknown}"
  echo "load average after the timed runs: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo
  echo "$runs runs of $frames frames each: the median of the runs' medians, the highest p99 of the runs;"
  echo "speed-up is the straightforward drawing's median over the program's"
  printf '%-6s %-6s %-15s %10s %9s %8s %9s %7s %9s\n' scene motion drawing median_ms p99_ms fps empty_ms ratio speed-up
  for s in $scenes; do
    for m in $motions; do
      fast_median=""
      for d in fast straightforward; do
        rows="$(awk -v s="$s" -v m="$m" -v d="$d" '$1==s && $2==m && $3==d' "$results")"
        med="$(awk '{print $5}' <<<"$rows" | median)"
        p99="$(awk '{print $6}' <<<"$rows" | maximum)"
        fps="$(awk '{print $7}' <<<"$rows" | median)"
        empty="$(awk '{print $8}' <<<"$rows" | median)"
        ratio="$(awk '{print $9}' <<<"$rows" | median)"
        if [ "$d" = fast ]; then
          fast_median="$med"
          speedup=""
        else
          speedup="$(awk -v a="$med" -v b="$fast_median" 'BEGIN{printf "%.2f", a/b}')"
        fi
        printf '%-6s %-6s %-15s %10s %9s %8s %9s %7s %9s\n' "$s" "$m" "$d" "$med" "$p99" "$fps" "$empty" "$ratio" "$speedup"
      done
    done
  done

  # Start-up: from the launch to the first frame shown and the exit (--frames 1), nine times each,
  # on the benchmark's running Xvfb so that its own start is not counted.
  echo
  echo "start-up to the first frame (a --frames 1 run, launch to exit, on a running Xvfb, median of 9):"
  for d in fast straightforward; do
    times=()
    for _ in $(seq 9); do
      start_ns=$(date +%s%N)
      run_logged "$logs/startup.txt" env "$(drawing_env "$d")" ./glintmere --mute --frames 1 || {
        cat "$logs/startup.txt" >&2
        exit 1
      }
      times+=("$((($(date +%s%N) - start_ns) / 1000000))")
    done
    printf '%-15s %6s ms\n' "$d" "$(printf '%s\n' "${times[@]}" | median)"
  done

  if [ -n "$chart" ]; then
    if command -v gnuplot >/dev/null 2>&1; then
      plot="$logs/chart.gp"
      {
        echo "set terminal pngcairo size 1500,500 font ',10'"
        echo "set output '$chart'"
        echo "set multiplot layout 1,$(wc -w <<<"$motions")"
        echo "set xlabel 'frame'; set ylabel 'ms'; set grid; set key top left"
        echo "set yrange [0:*]"
        for m in $motions; do
          echo "set title '$m'"
          echo "set arrow 1 from graph 0, first 16.7 to graph 1, first 16.7 nohead dt 2 lc rgb 'gray'"
          items=()
          colour=0
          for s in $scenes; do
            colour=$((colour + 1))
            items+=("'$logs/times-$s-$m-fast.txt' with lines lw 1.5 lc $colour title '$s'")
            items+=("'$logs/times-$s-$m-straightforward.txt' with lines dt 3 lw 1 lc $colour title '$s, straightforward'")
          done
          (IFS=,; echo "plot ${items[*]}")
        done
        echo "unset multiplot"
      } >"$plot"
      gnuplot "$plot"
      echo
      echo "chart of the per-frame times of the first run of each: $chart"
    else
      echo
      echo "gnuplot is not installed (scripts/install-deps.sh bench): no chart"
    fi
  fi
fi

if [ "$use_callgrind" = 0 ]; then exit 0; fi
if ! command -v valgrind >/dev/null 2>&1; then
  echo
  echo "valgrind is not installed (scripts/install-deps.sh bench): no instruction counts"
  exit 0
fi

# Instructions per frame: two counted runs differ only by their frame count, so the start-up and
# exit cancel out. One rasteriser thread keeps the count independent of the machine's load.
count_instructions() {  # count_instructions SCENE MOTION DRAWING FRAMES
  local out="$logs/cg-$1-$2-$3-$4.out"
  run_logged "$logs/cg-$1-$2-$3-$4.log" env LP_NUM_THREADS=1 "$(drawing_env "$3")" valgrind --tool=callgrind \
    --callgrind-out-file="$out" ./glintmere --mute --scene "$1" --motion "$2" --frames "$4" || {
    echo "callgrind run failed for scene $1:" >&2
    tail -20 "$logs/cg-$1-$2-$3-$4.log" >&2
    exit 1
  }
  sed -n 's/^summary: //p' "$out"
}

echo
echo "instructions per frame (callgrind, LP_NUM_THREADS=1, frames $cg_high minus $cg_low):"
printf '%-6s %-6s %14s %16s %9s\n' scene motion fast straightforward fewer
for s in $scenes; do
  for m in $cg_motions; do
    per_frame=()
    for d in fast straightforward; do
      # Mesa keeps compiled shaders in a disk cache; a first short run fills it for valgrind's CPU,
      # so that neither counted run pays for compiling.
      count_instructions "$s" "$m" "$d" 2 >/dev/null
      low="$(count_instructions "$s" "$m" "$d" "$cg_low")"
      high="$(count_instructions "$s" "$m" "$d" "$cg_high")"
      per_frame+=("$(awk -v h="$high" -v l="$low" -v n="$((cg_high - cg_low))" 'BEGIN{printf "%.0f", (h-l)/n}')")
    done
    printf '%-6s %-6s %14s %16s %8sx\n' "$s" "$m" "${per_frame[0]}" "${per_frame[1]}" \
      "$(awk -v a="${per_frame[1]}" -v b="${per_frame[0]}" 'BEGIN{printf "%.2f", a/b}')"
  done
done
