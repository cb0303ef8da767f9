#!/usr/bin/env bash
# Builds the Debian package the way a Debian packager would: a Release build of
# the programs alone (no tests, no benchmarks) with Debian's build flags, the
# hardening ones included (dpkg-buildflags: fortified functions, stack
# protector, PIE, full RELRO with immediate binding), then cpack -G DEB.
# Usage: scripts/deb-build.sh [BUILD_DIR] (default build-deb); the package is
# BUILD_DIR/pk10plan_<version>_<arch>.deb. Warnings stay warnings here.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake takes CXXFLAGS and LDFLAGS from the environment when a build folder is
# first configured, and passes them on the command line below for a folder
# configured before; it has no CPPFLAGS, so they go in front of CXXFLAGS.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPK10_BUILD_TESTS=OFF -DPK10_BUILD_BENCH=OFF \
    "${launcher[@]}" \
    "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
    "-DCMAKE_SHARED_LINKER_FLAGS=$ldflags" -DCMAKE_POSITION_INDEPENDENT_CODE=ON
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/pk10plan_*.deb
(cd "$build" && cpack -G DEB)
