#!/usr/bin/env bash
# install-deps.sh -- installs the Debian packages Glintmere needs that this machine lacks, and says which.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format-14
  # the checks of the shell scripts and the Python formatting (scripts/check-scripts.sh)
  shellcheck black
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
  # the ES layer's tests and benchmark: EGL, and Mesa's EGL for OpenGL ES 2.0 with or without X
  libegl-dev libegl-mesa0
  libsdl2-mixer-dev
  googletest libgtest-dev
  libstb-dev libglm-dev
  xvfb xdotool x11-utils imagemagick python3 python3-xlib python3-pil
  # the recording tests encode and read back clips with the real ffmpeg; users only need it to
  # record to anything but .y4m, so the package merely suggests it
  ffmpeg
  # the Debian package and the desktop metadata: building, checking and validating them
  dpkg-dev lintian appstream desktop-file-utils
)
# Optional groups, asked for by name: `install-deps.sh fuzz` adds clang and its fuzzer runtime,
# `install-deps.sh bench` valgrind and gnuplot for the benchmark, `install-deps.sh windows` the
# MinGW-w64 cross compiler, NSIS for the installer, and for the Windows tests Wine, pv (the rate of
# the wave-out device the cue tests hear) and icoutils (wrestool reads the exe's manifest),
# `install-deps.sh web` Emscripten (with node, which runs its linker and the logic tests), Chromium
# for the page's tests and python3-websockets, which they speak the DevTools protocol with.
for group in "$@"; do
  case "$group" in
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    bench) packages+=(valgrind gnuplot-nox) ;;
    windows) packages+=(g++-mingw-w64-x86-64-posix nsis wine wine64 pv icoutils) ;;
    web) packages+=(emscripten chromium python3-websockets) ;;
    *) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
  else
    echo "install-deps: not root and no sudo; please install: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
