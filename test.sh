#!/usr/bin/env bash
# Sets everything up and runs every test: installs missing packages, then
#   1. the normal build and the whole suite (the window's tests on Qt's offscreen platform),
#   2. the Debian package, built as a packager would (scripts/deb-build.sh: Release,
#      Debian's hardening flags), checked, installed, run and removed
#      (scripts/package-check.sh),
#   3. the Windows build (scripts/windows-test.sh): cross-built with mingw-w64, the
#      core's tests under Wine, pk10plan-cli.exe end to end against the Linux build,
#   4. the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
#   5. the refresh worker and end-to-end tests under ThreadSanitizer,
#   6. every fuzz target for a short smoke run on its seed corpus.
# PK10_QUICK=1 runs only the first stage.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# Our own builds treat warnings as errors; ccache keeps a second run short.
strict=(-DPK10_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

stage() { printf '\n==== %s\n' "$*"; }

stage "build and test"
build=${PK10_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${strict[@]}"
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"

if [ "${PK10_QUICK:-0}" = 1 ]; then
    exit 0
fi

stage "Debian package: build, lintian, install, run, remove"
scripts/deb-build.sh build-deb
scripts/package-check.sh build-deb

stage "Windows: cross build, the core's tests under Wine, pk10plan-cli.exe end to end"
PK10_BUILD_DIR="$build" scripts/windows-test.sh

stage "AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPK10_SANITIZE=address,undefined \
    -DPK10_BUILD_UI=OFF -DPK10_BUILD_BENCH=OFF "${strict[@]}"
cmake --build build-asan -j "$jobs"
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

stage "ThreadSanitizer: refresh worker and end-to-end runs"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPK10_SANITIZE=thread \
    -DPK10_BUILD_UI=OFF -DPK10_BUILD_BENCH=OFF "${strict[@]}"
cmake --build build-tsan -j "$jobs" --target test_app test_e2e pk10plan feed-sim
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions="$PWD/tests/tsan.supp" \
    ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L 'app|e2e'

stage "fuzz smoke run"
scripts/fuzz.sh "${PK10_FUZZ_SECONDS:-10}"
