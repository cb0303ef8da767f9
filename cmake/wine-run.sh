#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest: quiet, without offers to install
# Mono or Gecko, in WINEPREFIX when it is set (a test run makes a fresh one),
# otherwise in a prefix of the build folder beside the program.
set -euo pipefail
wine=/usr/lib/wine/wine64
if [ ! -x "$wine" ]; then
    wine=$(command -v wine64 || command -v wine)
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${WINEPREFIX:-}" ]; then
    dir=$(cd "$(dirname "$1")" && pwd)
    while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do
        dir=$(dirname "$dir")
    done
    export WINEPREFIX="$dir/wine-prefix"
fi
exec "$wine" "$@"
