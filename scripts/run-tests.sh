#!/usr/bin/env bash
# run-tests.sh -- runs the test preset's ctest, on a virtual X display when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1200x24" ctest --preset test
else
  exec ctest --preset test
fi
