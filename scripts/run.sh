#!/usr/bin/env bash
# Sets up, builds and starts the window program. Only the window and the list
# generator it runs are built, not the tests; a new build folder is made
# without them, as their packages may be missing (scripts/test.sh turns them
# on again).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
tests=()
[[ -f build/CMakeCache.txt ]] || tests=(-DBRANTEL_BUILD_TESTS=OFF)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${tests[@]}" >/dev/null
cmake --build build --target brantel-manager listgen
exec build/bin/brantel-manager "$@"
