#!/usr/bin/env bash
# with-wine.sh -- the one way the Windows build's tests and benchmark run the exe: under Wine, in a
# Wine prefix of their own, so that nothing of the user's ~/.wine is read or changed.
#
#   with-wine.sh --start DIR        make a fresh 64-bit prefix in DIR and keep its wineserver running
#   with-wine.sh --on DIR COMMAND…  run COMMAND (e.g. `wine x.exe`) in the prefix DIR, quietly
#   with-wine.sh --heard DIR FILE COMMAND…
#                                  the same with a wave-out device: what it plays is appended to FILE
#                                  as it plays, raw 16-bit stereo at 44100 Hz
#   with-wine.sh --stop DIR         end DIR's wineserver and every Windows process in it, remove DIR
#   with-wine.sh --env DIR          print the environment --on sets, one VAR=value a line
#
# ctest makes one prefix per test run with --start (the wine_prefix fixture), every test of the exe
# runs through --on, and the fixture's cleanup calls --stop. The X display is the caller's DISPLAY.
set -euo pipefail

usage() {
  echo "usage: with-wine.sh --start DIR | --on DIR COMMAND... | --heard DIR FILE COMMAND... | --stop DIR | --env DIR" >&2
  exit 2
}

# The environment of every Wine command: no debug channels, no offer to install Mono or Gecko, no
# menu entries written to the desktop, no debugger on a crash (winedbg would wait for someone to
# close its dialog; without it the crashed program just ends, with a failing status), and no sound
# drivers (the cues then take their silent path at once, and ALSA says nothing on standard error).
wine_env() {
  echo "WINEPREFIX=$1"
  echo "WINEARCH=win64"
  echo "WINEDEBUG=-all"
  echo "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d;winealsa.drv,winepulse.drv,wineoss.drv=d"
}

# run_heard DIR FILE COMMAND...: COMMAND with Wine's ALSA driver on and a HOME of its own beside FILE,
# whose .asoundrc makes the default device a file: ALSA converts what Wine plays to 16-bit stereo at
# 44100 Hz, and pv passes it on at that rate (176400 bytes a second), since the null device beneath
# the file would take it as fast as it comes. Wine opens the device anew for every sound and the file
# plugin truncates its file on opening, so pv appends; a sound's pv still writes out what its pipe
# holds after the sound has stopped, so the next one waits for it (flock), and sounds never
# interleave in FILE. The machine's own ALSA and PulseAudio configuration is never read or changed.
run_heard() {
  local dir=$1 file home
  file=$(realpath -m "$2")
  shift 2
  home="$(dirname "$file")/wine-sound-home"
  mkdir -p "$home"
  cat >"$home/.asoundrc" <<EOF
pcm.!default {
  type plug
  slave { pcm "heard"; format S16_LE; rate 44100; channels 2 }
}
pcm.heard {
  type file
  slave.pcm "null"
  format "raw"
  file "|flock '$file.lock' pv -q -L 176400 >> '$file'"
}
EOF
  local vars=()
  mapfile -t vars < <(wine_env "$dir" | sed 's/;winealsa.drv,winepulse.drv,wineoss.drv=d$/;winepulse.drv,wineoss.drv=d/')
  env "${vars[@]}" HOME="$home" "$@"
}

run_in() {
  local dir=$1
  shift
  local vars=()
  mapfile -t vars < <(wine_env "$dir")
  env "${vars[@]}" "$@"
}

[ $# -ge 2 ] || usage
mode=$1
dir=$(realpath -m "$2")
shift 2

case "$mode" in
  --start)
    rm -rf "$dir"
    mkdir -p "$(dirname "$dir")"
    # wineboot makes the prefix; the persistent server then keeps each later start quick. What
    # outlives this script (the server, and the services and desktop the first program starts) must
    # hold none of the caller's standard streams: ctest waits for a test's output to end, and would
    # wait for the server's. So the first program runs here, with the streams closed, and starts them.
    run_in "$dir" wineboot --init </dev/null >/dev/null 2>&1 || {
      echo "with-wine: wineboot could not make the prefix $dir" >&2
      exit 1
    }
    run_in "$dir" wineserver --wait
    run_in "$dir" wineserver --persistent </dev/null >/dev/null 2>&1
    run_in "$dir" wine cmd.exe /c exit </dev/null >/dev/null 2>&1
    ;;
  --on)
    [ $# -ge 1 ] || usage
    run_in "$dir" "$@"
    ;;
  --heard)
    [ $# -ge 2 ] || usage
    run_heard "$dir" "$@"
    ;;
  --stop)
    if [ -d "$dir" ]; then
      run_in "$dir" wineserver --kill >/dev/null 2>&1 || true
      run_in "$dir" wineserver --wait >/dev/null 2>&1 || true
      rm -rf "$dir"
    fi
    ;;
  --env)
    wine_env "$dir"
    ;;
  *) usage ;;
esac
