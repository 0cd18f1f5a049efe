#!/usr/bin/env bash
# Builds GoogleTest for 64-bit Windows from the source that Debian's
# googletest package installs in /usr/src/googletest, and installs it into
# PREFIX (default: build-win-deps/prefix in the repository), where the
# Windows build's find_package(GTest) finds it.
#
#   scripts/build-googletest-windows.sh [PREFIX]
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-$repo/build-win-deps/prefix}
work=$(dirname "$prefix")/googletest
toolchain=$repo/cmake/mingw-w64-x86_64.cmake
source=/usr/src/googletest

if [[ -f $prefix/lib/libgtest.a && -d $prefix/lib/cmake/GTest ]]; then
  echo "GoogleTest for Windows already in $prefix"
  exit 0
fi
if [[ ! -f $source/CMakeLists.txt ]]; then
  echo "$source is missing: apt-get install googletest" >&2
  exit 1
fi

cmake -S "$source" -B "$work" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_GMOCK=ON \
  -Dgtest_disable_pthreads=ON >/dev/null
cmake --build "$work" -j "$(nproc)" >/dev/null
cmake --install "$work" >/dev/null
echo "GoogleTest for Windows installed in $prefix"
