#!/usr/bin/env bash
# figures.sh -- what the benchmark scripts (run.sh, windows.sh, es.sh, web.sh) share: the display they
# run on, and what they read off the program's benchmark report; sourced, not run.

field() { # field NAME LINE: the value of NAME=... on a "benchmark frames=" line
  sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$2"
}

median() { sort -g | awk '{v[NR]=$1} END{if (NR==0) print "-"; else if (NR%2) print v[(NR+1)/2]; else printf "%.3f\n", (v[NR/2]+v[NR/2+1])/2}'; }
maximum() { sort -g | tail -1; }

# start_bench_display: one Xvfb for the whole benchmark, started by the project's launcher (its screen
# is larger than the 1200 by 600 window, so the window is never clipped), with sound off and a folder
# of logs, $logs. Both end with the script, after bench_on_exit where the script defines one.
start_bench_display() {
  export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
  logs="$(mktemp -d)"
  scripts/with-display.sh --start "$logs/display"
  trap 'if declare -F bench_on_exit >/dev/null; then bench_on_exit; fi; scripts/with-display.sh --stop "$logs/display"; rm -rf "$logs"' EXIT
  local display
  read -r display _ <"$logs/display"
  export DISPLAY="$display"
  unset XAUTHORITY
}

run_logged() { # run_logged LOG COMMAND...: COMMAND in the build folder $dir, its output in LOG
  local log="$1"
  shift
  # shellcheck disable=SC2154 # $dir is the sourcing script's build folder
  (cd "$dir" && "$@") >"$log" 2>&1
}
