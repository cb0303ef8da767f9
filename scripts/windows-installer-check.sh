#!/usr/bin/env bash
# Takes the installer that scripts/windows-package.sh made and proves under Wine,
# in a fresh prefix, that it installs like a Windows program: a silent install
# (/S) puts the programs, the draws, their note and the licence in
# C:\Program Files\pk10plan, the Start menu folder and the Apps list entry; the
# installed pk10plan-cli.exe runs, replays the installed draws and, started in its
# own folder as the Start menu starts it, keeps its files in
# %LOCALAPPDATA%\pk10plan, also against the installed pk10plan-feed-sim.exe, which
# replays the installed draws; the silent uninstall leaves nothing of it but those.
# Usage: scripts/windows-installer-check.sh [INSTALLER]
# (default: the one pk10plan-*-win64.exe in build-win/).
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "windows-installer-check: $*" >&2
    exit 1
}

if [ $# -ge 1 ]; then
    installer=$(realpath "$1")
else
    installers=(build-win/pk10plan-*-win64.exe)
    [ ${#installers[@]} -eq 1 ] && [ -f "${installers[0]}" ] ||
        fail "expected one pk10plan-*-win64.exe in build-win (made by scripts/windows-package.sh)"
    installer=$(realpath "${installers[0]}")
fi
version=$(basename "$installer" | sed -n 's/^pk10plan-\(.*\)-win64\.exe$/\1/p')

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
"$wine" wineboot -i
"$wineserver" -w
drive=$WINEPREFIX/drive_c
installed="$drive/Program Files/pk10plan"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/pk10plan"
local_data="$drive/users/$(id -un)/AppData/Local/pk10plan"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\pk10plan'

echo "windows-installer-check: silent install of $(basename "$installer")"
"$wine" "$installer" /S
"$wineserver" -w
for f in pk10plan.exe pk10plan-cli.exe pk10plan-feed-sim.exe pk10plan-demo.exe pk10-2014.txt SOURCE.md LICENSE.txt Uninstall.exe; do
    [ -f "$installed/$f" ] || fail "the install has no $f"
done
cmp "$installed/pk10-2014.txt" share/pk10-2014.txt || fail "the installed draws differ from share/"
[ -f "$menu/pk10plan.lnk" ] && [ -f "$menu/pk10plan (console).lnk" ] &&
    [ -f "$menu/pk10plan (演示).lnk" ] ||
    fail "no Start menu folder with the window, the console program and the demonstration"
"$wine" reg query "$uninstall_key" /v UninstallString | grep -q 'Uninstall.exe' ||
    fail "no uninstaller in the Apps list"

# Installed again over itself, as an update is: /S answers the question about
# the old version itself (a box waiting for a click would hang here).
echo "windows-installer-check: silent install over the installed one"
timeout 180 "$wine" "$installer" /S || fail "the second silent install failed or hung"
"$wineserver" -w
[ -f "$installed/pk10plan-cli.exe" ] && [ -f "$installed/Uninstall.exe" ] ||
    fail "the install over the old one left no program or no uninstaller"

echo "windows-installer-check: the installed pk10plan-cli.exe"
cd "$installed"
[ "$("$wine" pk10plan-cli.exe --version | tr -d '\r')" = "pk10plan $version (V$version)" ] ||
    fail "--version does not name version $version"
"$wine" pk10plan-cli.exe --backtest --count 300 >"$WINEPREFIX/backtest.txt"
grep -q '^Backtest of C:\\Program Files\\pk10plan\\pk10-2014.txt: 300 draws' "$WINEPREFIX/backtest.txt" ||
    fail "the backtest did not replay the installed draws: $(head -n 1 "$WINEPREFIX/backtest.txt")"
# No results server: --once ends with status 3, after the day files were made.
status=0
"$wine" pk10plan-cli.exe --once --results-server http://127.0.0.1:9/ \
    --maker-server http://127.0.0.1:9/ >/dev/null || status=$?
[ "$status" -eq 3 ] || fail "--once without a results server ended with $status, not 3"
[ -d "$local_data/data" ] || fail "started in its own folder, it kept no files in LOCALAPPDATA"
[ ! -e "$installed/data" ] && [ ! -e "$installed/data1.txt" ] ||
    fail "the program wrote under Program Files"

echo "windows-installer-check: the installed pk10plan-feed-sim.exe, and the program against it"
"$wine" pk10plan-feed-sim.exe --port 0 --interval 0 >"$WINEPREFIX/sim.out" 2>"$WINEPREFIX/sim.err" &
sim=$!
for _ in $(seq 300); do
    grep -q '^feed-sim listening on ' "$WINEPREFIX/sim.out" && break
    kill -0 "$sim" 2>/dev/null || break
    sleep 0.1
done
url=$(sed -n 's/^feed-sim listening on //p' "$WINEPREFIX/sim.out" | tr -d '\r')
[ -n "$url" ] || fail "feed-sim did not start: $(cat "$WINEPREFIX/sim.err")"
grep -qF 'replaying 63366 draws of C:\Program Files\pk10plan\pk10-2014.txt' "$WINEPREFIX/sim.err" ||
    fail "feed-sim does not replay the installed draws: $(cat "$WINEPREFIX/sim.err")"
status=0
"$wine" pk10plan-cli.exe --once --results-server "$url" --maker-server "$url" >/dev/null || status=$?
kill "$sim" 2>/dev/null || true
wait "$sim" 2>/dev/null || true
[ "$status" -eq 0 ] || fail "--once against the installed feed-sim ended with $status"
[ -s "$local_data/data1.txt" ] || fail "no data1.txt in LOCALAPPDATA after a run against feed-sim"
cd - >/dev/null

echo "windows-installer-check: silent uninstall"
"$wine" "C:\\Program Files\\pk10plan\\Uninstall.exe" /S
"$wineserver" -w
# What is left of pk10plan: nothing but the user's own files in LOCALAPPDATA.
left=$(find "$drive" -ipath '*pk10plan*' ! -path "$local_data" ! -path "$local_data/*")
[ -z "$left" ] || fail "the uninstaller left: $left"
if "$wine" reg query "$uninstall_key" >/dev/null 2>&1; then
    fail "the Apps list still has pk10plan"
fi
echo "windows-installer-check: installed, ran and uninstalled"
