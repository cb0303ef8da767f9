#!/usr/bin/env bash
# Takes the README's pictures of the statistics window, docs/stats-today.png
# and docs/stats-backtest.png: the built program against the local server
# (tools/feed-sim) under Xvfb, as ./run.sh runs it; F2 opens the statistics
# window, and the "回测" tab replays the oldest 1000 bundled draws. Needs
# xvfb-run, xdotool, xwd (x11-apps) and netpbm. Usage: scripts/stats-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'kill "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

"$build/tools/feed-sim/feed-sim" --port 8012 --interval 60 >"$work/sim.log" 2>&1 &
sim_pid=$!
sleep 1

export root build work
xvfb-run -a -s "-screen 0 1400x1000x24" bash -euo pipefail -c '
    server=http://127.0.0.1:8012/
    (cd "$work" && "$build/src/pk10plan" --results-server $server --maker-server $server) &
    shot() { xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$2"; }
    sleep 8
    main=$(xdotool search --name "VarnokPK10" | head -n 1)
    xdotool windowfocus --sync "$main" key F2
    sleep 2
    stats=$(xdotool search --name "^统计$" | head -n 1)
    shot "$stats" "$root/docs/stats-today.png"

    # The second tab; the count field and "开始" by their places in dialog units.
    xdotool windowfocus --sync "$stats" key ctrl+Tab
    read -r width height < <(xdotool getwindowgeometry "$stats" | sed -n "s/.*Geometry: \([0-9]*\)x\([0-9]*\)/\1 \2/p")
    x() { echo $(( $1 * width / 560 )); }
    y() { echo $(( $1 * height / 400 + 26 )); }  # below the tab bar
    xdotool mousemove --window "$stats" "$(x 170)" "$(y 38)" click 1 key ctrl+a type 1000
    xdotool mousemove --window "$stats" "$(x 377)" "$(y 38)" click 1
    sleep 40
    shot "$stats" "$root/docs/stats-backtest.png"
    xdotool key --window "$main" Escape || true
'
