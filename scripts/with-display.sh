#!/usr/bin/env bash
# with-display.sh -- the one way Glintmere's tests, soak and benchmark get an X display: a private
# Xvfb that never resets, so a client that connects just as the last one leaves is never refused.
#
#   with-display.sh [--screen WxH] COMMAND...   run COMMAND on a server of its own, ended with it
#   with-display.sh [--screen WxH] --start FILE start a server in the background; FILE gets its
#                                               display and process id ("DISPLAY PID")
#   with-display.sh --on FILE COMMAND...        run COMMAND on the server FILE names; with no such
#                                               server (FILE missing or stale) fail and say so,
#                                               never falling back to the caller's display; only a
#                                               test program listing its tests (--gtest_list_tests)
#                                               then runs, with no display at all
#   with-display.sh --stop FILE                 end the server FILE names and remove FILE
#
# ctest starts one server per run with --start (the x_display fixture), every test that draws runs
# through --on, and the fixture's cleanup calls --stop.
set -euo pipefail

screen="1600x1200"
if [ "${1:-}" = --screen ]; then
  screen="$2"
  shift 2
fi

# server_of FILE: prints "DISPLAY PID" when FILE names a server that is still running.
server_of() {
  local display pid
  [ -s "$1" ] || return 1
  read -r display pid <"$1" || true
  [ -n "${display:-}" ] && [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null || return 1
  echo "$display $pid"
}

# start_server FILE: starts Xvfb in the background and writes "DISPLAY PID" to FILE once the
# server accepts clients. -displayfd lets Xvfb pick a free display itself; -noreset keeps it whole
# between clients.
start_server() {
  local file="$1" ready pid
  ready="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$ready" </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 200); do
    [ -s "$ready" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
      rm -f "$ready"
      echo "with-display: Xvfb did not start" >&2
      return 1
    fi
    sleep 0.05
  done
  if ! [ -s "$ready" ]; then
    kill "$pid" 2>/dev/null || true
    rm -f "$ready"
    echo "with-display: Xvfb gave no display within 10 s" >&2
    return 1
  fi
  echo ":$(head -n 1 "$ready") $pid" >"$file.new"
  mv "$file.new" "$file"
  rm -f "$ready"
}

# stop_server FILE: ends the server and waits until it is gone.
stop_server() {
  local found pid
  if found="$(server_of "$1")"; then
    pid="${found#* }"
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$1"
}

case "${1:-}" in
  --start)
    [ $# -eq 2 ] || { echo "usage: with-display.sh [--screen WxH] --start FILE" >&2; exit 2; }
    stop_server "$2"
    start_server "$2"
    ;;
  --stop)
    [ $# -eq 2 ] || { echo "usage: with-display.sh --stop FILE" >&2; exit 2; }
    stop_server "$2"
    ;;
  --on)
    [ $# -ge 3 ] || { echo "usage: with-display.sh --on FILE COMMAND..." >&2; exit 2; }
    file="$2"
    shift 2
    if found="$(server_of "$file")"; then
      export DISPLAY="${found%% *}"
      unset XAUTHORITY
      exec "$@"
    fi
    # Test discovery lists a binary's tests before the fixture has started the server; listing
    # needs no display, and gets none.
    for arg in "$@"; do
      if [ "$arg" = --gtest_list_tests ]; then
        exec env -u DISPLAY -u XAUTHORITY "$@"
      fi
    done
    # Anything else would draw on whatever display the caller has, a real desktop and driver.
    echo "with-display: no X server at $file (the test run's server is gone or was never started);" \
      "not running $1 on another display" >&2
    exit 1
    ;;
  "" | -*)
    echo "usage: with-display.sh [--screen WxH] COMMAND... | --start FILE | --on FILE COMMAND... | --stop FILE" >&2
    exit 2
    ;;
  *)
    file="$(mktemp)"
    trap 'stop_server "$file"' EXIT
    trap 'exit 143' TERM INT
    start_server "$file"
    read -r display _ <"$file"
    env -u XAUTHORITY DISPLAY="$display" "$@"
    ;;
esac
