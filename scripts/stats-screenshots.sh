#!/usr/bin/env bash
# Takes the README's pictures of the statistics window. docs/stats-today.png:
# the built program against the local server (tools/feed-sim) under Xvfb, as
# ./run.sh runs it, F2 opening the statistics window; needs xvfb-run, xdotool,
# xwd (x11-apps) and netpbm. docs/stats-backtest.png (the oldest 1000 bundled
# draws, the hit rates) and docs/stats-money.png (the bundled year at stakes
# 1,3,9 and odds 9.8): tools/stats-shot on Qt's offscreen platform, with
# settings of its own. Usage: scripts/stats-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
sim_pid=""
trap 'kill "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# The replay's pictures first: they need no X server.
cmake --build "$build" --target stats-shot >/dev/null
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
(
    export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
    shot() { "$build/tools/stats-shot/stats-shot" "$@"; }
    shot "$root/docs/stats-backtest.png" rates share/pk10-2014.txt 1000 1,1,1 9.8
    shot "$root/docs/stats-money.png" money share/pk10-2014.txt 0 1,3,9 9.8
)

# A draw every two seconds and a poll every two seconds: by the picture, today's
# tables hold the plans some twenty draws settled.
"$build/tools/feed-sim/feed-sim" --port 8012 --interval 2 >"$work/sim.log" 2>&1 &
sim_pid=$!
sleep 1

export root build work
xvfb-run -a -s "-screen 0 1400x1000x24" bash -euo pipefail -c '
    server=http://127.0.0.1:8012/
    (cd "$work" && "$build/src/pk10plan" --results-server $server --maker-server $server \
        --refresh-ms 2000) &
    shot() { xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$2"; }
    sleep 45
    main=$(xdotool search --name "VarnokPK10" | head -n 1)
    xdotool windowfocus --sync "$main" key F2
    sleep 2
    stats=$(xdotool search --name "^统计$" | head -n 1)
    shot "$stats" "$root/docs/stats-today.png"
    xdotool key --window "$main" Escape || true
'
