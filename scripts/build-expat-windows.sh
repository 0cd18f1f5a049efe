#!/usr/bin/env bash
# Builds a static expat for 64-bit Windows from Debian's own expat source and
# installs it into PREFIX (default: build-win-deps/prefix in the repository).
# Debian has no MinGW package of expat, so the source package is fetched with
# apt-get and compiled with the MinGW-w64 cross compiler.
#
#   scripts/build-expat-windows.sh [PREFIX]
#
# Needs apt source entries (added here, as root, when there are none), cmake
# and g++-mingw-w64-x86-64. Does nothing when PREFIX already holds expat.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m "${1:-$repo/build-win-deps/prefix}")
work=$(dirname "$prefix")/expat
toolchain=$repo/cmake/mingw-w64-x86_64.cmake

# The Windows zip carries expat's licence text.
licence=$prefix/share/doc/expat/COPYING
install_licence() {
  local copying
  copying=$(ls "$work"/source/COPYING "$work"/source/expat/COPYING 2>/dev/null | head -n 1 || true)
  [[ -n $copying ]] || return 1
  mkdir -p "$(dirname "$licence")"
  cp "$copying" "$licence"
}

if [[ -f $prefix/lib/libexpat.a && -f $prefix/include/expat.h ]] && { [[ -f $licence ]] || install_licence; }; then
  echo "expat for Windows already in $prefix"
  exit 0
fi

# A deb-src entry for every deb entry of Debian's sources file: same mirrors,
# same suites.
ensure_source_entries() {
  if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return
  fi
  local sources=/etc/apt/sources.list.d/debian.sources
  if [[ $(id -u) -ne 0 || ! -f $sources ]]; then
    echo "No deb-src entry in the apt sources, and none can be added here." >&2
    exit 1
  fi
  sed 's/^Types: deb$/Types: deb-src/' "$sources" >/etc/apt/sources.list.d/debian-src.sources
  apt-get update -qq
}

# Fetches the source package into the current folder. The newest version may
# come from a suite whose Debian patch files are not on the mirror (apt-get
# then fails with "404 Not Found"); its upstream tarball is then enough, and
# the release suite's version gives the patches when it is there. apt-get's
# own words go to apt-source.log; one line says what was skipped.
fetch_source() {
  if ls expat_*.orig.tar.* >/dev/null 2>&1; then
    return
  fi
  ensure_source_entries
  apt-get source --download-only expat >apt-source.log 2>&1 || true
  if ! ls expat_*.debian.tar.* >/dev/null 2>&1; then
    local suite
    suite=$(awk '/^Suites:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    rm -f expat_*.dsc
    local why="could not be fetched"
    grep -q ' 404 ' apt-source.log && why="are not on the mirror (404 Not Found)"
    echo "expat: the newest source's Debian files $why; taking the ${suite:-upstream} release's instead" \
      "(apt-get's words: $PWD/apt-source.log)"
    [[ -n $suite ]] && { apt-get source --download-only "expat/$suite" >>apt-source.log 2>&1 || true; }
  fi
  if ! ls expat_*.orig.tar.* >/dev/null 2>&1; then
    echo "apt-get source could not fetch expat: see $PWD/apt-source.log" >&2
    exit 1
  fi
}

# Unpacks with Debian's patches applied when the whole source package is
# present, otherwise the upstream tarball alone.
unpack_source() {
  rm -rf source
  local dsc
  dsc=$(ls expat_*.dsc 2>/dev/null | head -n 1 || true)
  if [[ -n $dsc ]] && ls expat_*.debian.tar.* >/dev/null 2>&1; then
    # apt-get checked every file against the signed archive index as it
    # fetched it; the .dsc's own signature could be checked only with the
    # Debian keyring, which is not installed ("gpgv: Can't check signature").
    dpkg-source --no-check -x "$dsc" source >/dev/null
  else
    mkdir source
    tar -xf expat_*.orig.tar.* -C source --strip-components=1
  fi
}

mkdir -p "$work"
cd "$work"
fetch_source
unpack_source

# The release tarball keeps the library in an "expat" subfolder.
src=source
[[ -f $src/CMakeLists.txt ]] || src=source/expat

# Debian builds expat with autotools, whose config.h defines XML_DTD as 1, and
# its security patches test "XML_DTD == 1"; the CMake header template defines
# it empty. Give it the value the patches expect.
sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$src/expat_config.h.cmake"

cmake -S "$src" -B build -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DEXPAT_SHARED_LIBS=OFF \
  -DEXPAT_BUILD_TOOLS=OFF \
  -DEXPAT_BUILD_EXAMPLES=OFF \
  -DEXPAT_BUILD_TESTS=OFF \
  -DEXPAT_BUILD_DOCS=OFF \
  -DEXPAT_BUILD_PKGCONFIG=OFF >/dev/null
cmake --build build -j "$(nproc)" >/dev/null
cmake --install build >/dev/null
install_licence
echo "expat for Windows installed in $prefix"
