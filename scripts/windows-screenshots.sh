#!/usr/bin/env bash
# Takes the README's pictures of the Windows window: docs/windows-window.png,
# pk10plan.exe under Wine and Xvfb against the local server (tools/feed-sim),
# and docs/windows-stats.png, its statistics window opened with F2 and showing
# a replay of the oldest 1000 bundled draws. The window is worked through its
# control IDs by the tests' driver, pk10win-driver.exe. Needs xvfb-run, xdotool,
# xwd (x11-apps) and netpbm.
# Usage: scripts/windows-screenshots.sh [LINUX_BUILD_DIR] [WINDOWS_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build}" && pwd)
win=$(cd "${2:-build-win}" && pwd)
work=$(mktemp -d)
sim_pid=""
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'kill "$sim_pid" 2>/dev/null || true; /usr/lib/wine/wineserver64 -k 2>/dev/null || true
      rm -rf "$work"' EXIT
wine=/usr/lib/wine/wine64
# The dialog's font names reach Chinese glyphs only through replacements
# (UTF-16, to carry 宋体).
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"宋体"="WenQuanYi Micro Hei"' '"SimSun"="WenQuanYi Micro Hei"' \
    '"MS Shell Dlg"="WenQuanYi Micro Hei"' '"MS Shell Dlg 2"="WenQuanYi Micro Hei"' |
    iconv -f UTF-8 -t UTF-16 >"$work/fonts.reg"

"$build/tools/feed-sim/feed-sim" --port 8013 --interval 2 >"$work/sim.log" 2>&1 &
sim_pid=$!
sleep 1

export root win work wine
xvfb-run -a -s "-screen 0 1400x1000x24" bash -euo pipefail -c '
    server=http://127.0.0.1:8013/
    # The prefix is made on this display, so Wine takes its size.
    $wine wineboot -i >/dev/null 2>&1
    $wine regedit "$work/fonts.reg"
    (cd "$work" && $wine "$win/src/win/pk10plan.exe" --results-server $server \
        --maker-server $server --refresh-ms 2000) &
    drive() { $wine "$win/tests/pk10win-driver.exe" "$@" | tr -d "\r"; }
    shot() { xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$2"; }
    main=""
    for _ in $(seq 120); do
        main=$(xdotool search --name "VarnokPK10" | head -n 1 || true)
        [ -n "$main" ] && break
        sleep 1
    done
    # By then a poll every two seconds has merged some twenty draws.
    sleep 40
    shot "$main" "$root/docs/windows-window.png"
    caption=$(xdotool getwindowname "$main")
    drive "$caption" key 113
    drive 统计 wait
    drive 统计 settext 1110 "Z:${root//\//\\}\\share\\pk10-2014.txt"
    drive 统计 settext 1113 1000
    drive 统计 tab 1100 1
    drive 统计 click 1114
    for _ in $(seq 120); do
        case "$(drive 统计 text 1121)" in 完成*) break ;; esac
        sleep 1
    done
    sleep 1
    stats=$(xdotool search --name "^统计$" | head -n 1)
    shot "$stats" "$root/docs/windows-stats.png"
    drive "$caption" close
'
