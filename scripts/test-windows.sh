#!/usr/bin/env bash
# Builds everything, the native window included, for 64-bit Windows with
# MinGW-w64 and runs the tests under Wine: the engine's test suite, the
# Windows tests, the end-to-end runs of brantel-convert.exe and the window
# driven on a virtual screen.
#
#   scripts/test-windows.sh [BUILD_DIR]      (default: build-win)
#
# As root it installs what is missing from Debian's packages first. expat and
# GoogleTest are built for Windows once, into build-win-deps/prefix. Every run
# uses a fresh Wine prefix in a temporary folder, made once for all tests.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build-win}
deps=$repo/build-win-deps/prefix
jobs=$(nproc)

seconds_since() { echo $(($(date +%s) - $1)); }

install_missing_packages() {
  local wanted=(cmake make g++-mingw-w64-x86-64 googletest libxxhash-dev dpkg-dev wine wine64 xvfb xauth xdotool imagemagick locales)
  local missing=()
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  ((${#missing[@]} == 0)) && return
  if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "Installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

install_missing_packages

start=$(date +%s)
"$repo/scripts/build-expat-windows.sh" "$deps"
"$repo/scripts/build-googletest-windows.sh" "$deps"
echo "Windows dependencies ready in $(seconds_since "$start") s"

start=$(date +%s)
cmake -S "$repo" -B "$build" \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DBRANTEL_WINDOWS_DEPS="$deps" \
  -DBRANTEL_BUILD_WINDOW=ON >/dev/null
cmake --build "$build" -j "$jobs"
echo "Windows cross build took $(seconds_since "$start") s"

wine_home=$(mktemp -d)
export WINEPREFIX=$wine_home/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$wine_home"
}
trap cleanup EXIT

start=$(date +%s)
wineboot -i >/dev/null 2>&1
wineserver -w
echo "Wine prefix made in $(seconds_since "$start") s"

start=$(date +%s)
status=0
ctest --test-dir "$build" --output-on-failure -j 1 || status=$?
echo "Tests under Wine took $(seconds_since "$start") s"
exit "$status"
