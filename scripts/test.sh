#!/usr/bin/env bash
# Sets up, builds and runs every test: the Linux build first, then the
# Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
scripts/test-windows.sh
scripts/test-packages.sh
