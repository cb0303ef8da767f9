#!/usr/bin/env bash
# Makes the Windows installer build-win/pk10plan-<version>-win64.exe: installs what
# the cross build and NSIS need (scripts/install-windows-deps.sh), cross-builds the
# programs in build-win/ (cmake/mingw-w64-x86_64.cmake) and runs CPack's NSIS
# generator there. Prints the installer's path.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-windows-deps.sh

jobs=$(nproc)
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPK10_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build build-win -j "$jobs" --target pk10plan pk10plan_window pk10plan_demo feed-sim
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)
installer="build-win/pk10plan-$version-win64.exe"
rm -f "$installer"
(cd build-win && cpack -G NSIS -C RelWithDebInfo)
test -f "$installer"
echo "$PWD/$installer"
