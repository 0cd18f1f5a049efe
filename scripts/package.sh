#!/usr/bin/env bash
# Makes what a user downloads, into dist/:
#
#   dist/brantel-VERSION-win64.zip   the Windows program folder
#   dist/brantel_VERSION_amd64.deb   the Debian package
#
#   scripts/package.sh
#
# Builds (or brings up to date) the Linux build in build/ and the Windows
# cross build in build-win/, as scripts/test.sh does, then lets CPack pack
# each (cmake/packaging.cmake says what goes in).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
deps=$repo/build-win-deps/prefix
dist=$repo/dist

# The generator is chosen only for a build folder made here.
configure() {
  local build=$1
  shift
  local generator=()
  [[ -f $build/CMakeCache.txt ]] || generator=(-G Ninja)
  cmake -S "$repo" -B "$build" "${generator[@]}" "$@" >/dev/null
  cmake --build "$build" -j "$(nproc)"
}

"$repo/scripts/build-expat-windows.sh" "$deps"
"$repo/scripts/build-googletest-windows.sh" "$deps"
configure "$repo/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
configure "$repo/build-win" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DBRANTEL_WINDOWS_DEPS="$deps" -DBRANTEL_BUILD_WINDOW=ON

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
mkdir -p "$dist"
shopt -s nullglob
for build in build build-win; do
  (cd "$repo/$build" && cpack -B "$staging/$build" >/dev/null)
  packages=("$staging/$build"/*.deb "$staging/$build"/*.zip)
  if ((${#packages[@]} == 0)); then
    echo "CPack made no package in $build" >&2
    exit 1
  fi
  mv "${packages[@]}" "$dist/"
done
ls -l "$dist"
