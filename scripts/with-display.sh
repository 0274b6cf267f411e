#!/usr/bin/env bash
# with-display.sh -- runs a command on the X display there is, or on a private Xvfb when there is
# none, so the GL tests run under plain ctest (cmake --workflow --preset test) as under make test.
set -euo pipefail
if [ -n "${DISPLAY:-}" ]; then exec "$@"; fi
ready="$(mktemp)"
# -displayfd: Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$ready" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$ready"' EXIT
for _ in $(seq 100); do
  [ -s "$ready" ] && break
  kill -0 "$server" 2>/dev/null || { echo "with-display: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$ready" ] || { echo "with-display: Xvfb gave no display" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$ready")" "$@"
