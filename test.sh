#!/usr/bin/env bash
# Sets everything up and runs every test: installs missing packages, configures,
# builds and runs the whole suite under CTest.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build=${PK10_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
