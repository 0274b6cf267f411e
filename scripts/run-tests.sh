#!/usr/bin/env bash
# run-tests.sh -- runs ctest in the given build folder, on a virtual X display when there is none.
set -euo pipefail
dir="$1"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1200x24" ctest --test-dir "$dir" --output-on-failure -j 2
else
  exec ctest --test-dir "$dir" --output-on-failure -j 2
fi
