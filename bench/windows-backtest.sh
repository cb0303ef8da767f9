#!/usr/bin/env bash
# Times the backtest of the bundled year side by side: the Linux pk10plan and
# the Windows pk10plan-cli.exe under Wine, run in turns (twice each by default),
# and prints each wall time, the best of each, their ratio and whether it meets
# the target (Windows at most 1.5 times as long). The two CSVs must be the same.
#   bench/windows-backtest.sh [LINUX_BUILD_DIR [WINDOWS_BUILD_DIR [ROUNDS]]]
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build}/src/pk10plan
windows=${2:-build-win}/src/pk10plan-cli.exe
rounds=${3:-2}
wine=/usr/lib/wine/wine64

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null || true; rm -rf "$work"' EXIT
"$wine" wineboot -i >/dev/null 2>&1
cp share/pk10-2014.txt "$work/draws.txt"
draws_win=$("$wine" winepath -w "$work/draws.txt" 2>/dev/null)
csv_win=$("$wine" winepath -w "$work/windows.csv" 2>/dev/null)

seconds() {  # the wall time of a command, in seconds
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

best_linux=
best_windows=
for ((round = 1; round <= rounds; ++round)); do
    l=$(seconds "$linux" --backtest "$work/draws.txt" --csv "$work/linux.csv")
    w=$(seconds "$wine" "$windows" --backtest "$draws_win" --csv "$csv_win")
    printf 'round %d: Linux %.2f s, Windows under Wine %.2f s\n' "$round" "$l" "$w"
    best_linux=$(awk -v a="$l" -v b="${best_linux:-$l}" 'BEGIN { print (a < b ? a : b) }')
    best_windows=$(awk -v a="$w" -v b="${best_windows:-$w}" 'BEGIN { print (a < b ? a : b) }')
done
cmp -s "$work/linux.csv" "$work/windows.csv" || { echo "the two CSVs differ" >&2; exit 1; }
ratio=$(awk -v w="$best_windows" -v l="$best_linux" 'BEGIN { printf "%.2f", w / l }')
verdict=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.5 ? "meets" : "MISSES") }')
printf 'best: Linux %.2f s, Windows %.2f s, ratio %s: %s the target (at most 1.5)\n' \
    "$best_linux" "$best_windows" "$ratio" "$verdict"
