#!/usr/bin/env bash
# windows-deps.sh DEPS_DIR -- the libraries the Windows build needs that Debian has no MinGW package
# of, built static from Debian's own source packages into DEPS_DIR/prefix.
#
# Only freeglut is built: the cues play through WINMM, which MinGW-w64 ships, and GL, GLU and the
# rest of Win32 are system DLLs. The header-only stb and glm are linked in from Debian's -dev
# packages, so that the cross compiler sees them without seeing the rest of /usr/include.
#
# The source comes through `apt-get source` with a private apt configuration under DEPS_DIR/apt: a
# deb-src entry for the machine's own mirror and suite. The machine's apt sources are never
# changed. A finished build leaves DEPS_DIR/prefix/.complete, and a second run does nothing.
set -euo pipefail

deps=$(realpath -m "${1:?usage: windows-deps.sh DEPS_DIR}")
prefix=$deps/prefix
stamp=$prefix/.complete
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/../src/platform/windows/toolchain.cmake
jobs=${JOBS:-$(nproc)}

if [ -f "$stamp" ]; then
  exit 0
fi

# The mirror and suite of the machine's own Debian entry: a deb822 stanza or a one-line entry.
machine_source() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk '
      /^[[:space:]]*$/ { if (types ~ /deb/ && uri != "" && suite != "" && uri !~ /security/) { print uri, suite; found = 1; exit }
                         types = uri = suite = ""; next }
      /^Types:/ { types = $0 }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { suite = $2 }
      END { if (!found && types ~ /deb/ && uri != "" && suite != "" && uri !~ /security/) print uri, suite }
    ' "$file" | head -n 1
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    awk '$1 == "deb" && $0 !~ /security/ && $2 !~ /^\[/ { print $2, $3; exit }' "$file"
  done
}

read -r mirror suite < <(machine_source | head -n 1) || true
mirror=${mirror:-http://deb.debian.org/debian}
suite=${suite:-bookworm}

apt_dir=$deps/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$deps/source"
cat >"$apt_dir/sources.list.d/glintmere-source.sources" <<EOF
Types: deb-src
URIs: $mirror
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
apt_options=(
  -o "Dir::Etc::SourceList=/dev/null"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "APT::Sandbox::User=root"
)

if [ ! -d "$deps/source/freeglut" ]; then
  echo "windows-deps: fetching freeglut's source package from $mirror $suite"
  apt-get -q "${apt_options[@]}" update >"$deps/apt-update.log"
  rm -rf "$deps/source/fetch"
  mkdir -p "$deps/source/fetch"
  (cd "$deps/source/fetch" && apt-get -q "${apt_options[@]}" source freeglut >"$deps/apt-source.log")
  unpacked=$(find "$deps/source/fetch" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*' | head -n 1)
  [ -n "$unpacked" ] || {
    echo "windows-deps: apt-get source freeglut unpacked nothing" >&2
    exit 1
  }
  mv "$unpacked" "$deps/source/freeglut"
  cp "$deps"/source/fetch/freeglut_*.dsc "$deps/source/" 2>/dev/null || true
  rm -rf "$deps/source/fetch"
fi

echo "windows-deps: building freeglut static with MinGW-w64"
rm -rf "$deps/build/freeglut"
cmake -S "$deps/source/freeglut" -B "$deps/build/freeglut" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF \
  -DFREEGLUT_GLES=OFF >"$deps/freeglut-configure.log"
cmake --build "$deps/build/freeglut" -j "$jobs" >"$deps/freeglut-build.log"
cmake --install "$deps/build/freeglut" >"$deps/freeglut-install.log"
mkdir -p "$prefix/share/licenses/freeglut"
cp "$deps/source/freeglut/COPYING" "$prefix/share/licenses/freeglut/COPYING"
cp "$deps/source/freeglut/debian/copyright" "$prefix/share/licenses/freeglut/copyright" 2>/dev/null || true

# The header-only libraries, each folder alone, so /usr/include itself is never on the path.
mkdir -p "$prefix/include"
ln -sfn /usr/include/stb "$prefix/include/stb"
ln -sfn /usr/include/glm "$prefix/include/glm"
mkdir -p "$prefix/share/licenses/stb" "$prefix/share/licenses/glm"
cp /usr/share/doc/libstb-dev/copyright "$prefix/share/licenses/stb/copyright"
cp /usr/share/doc/libglm-dev/copyright "$prefix/share/licenses/glm/copyright"

touch "$stamp"
echo "windows-deps: ready in $prefix"
