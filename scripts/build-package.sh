#!/usr/bin/env bash
# build-package.sh -- builds the Debian package glintmere_<version>_<arch>.deb from a release tree
# (default build/package; built once, then only what changed) and prints the package's path.
set -euo pipefail
# The folder as the caller names it, before the presets are read from the source folder.
dir="$(realpath -m "${1:-build/package}")"
jobs="${JOBS:-2}"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"

# Debian's own compiler and linker flags for packages (hardening included), as a package build uses.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CFLAGS CXXFLAGS LDFLAGS

cd "$source_dir"
cmake --preset package -B "$dir" >/dev/null
cmake --build "$dir" -j "$jobs"
(cd "$dir" && cpack -G DEB >/dev/null)
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")"
deb="$dir/glintmere_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
  echo "build-package: CPack did not make $deb" >&2
  exit 1
fi
echo "$deb"
