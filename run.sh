#!/usr/bin/env bash
# Runs pk10plan against the bundled local results server: installs missing
# packages, builds, starts tools/feed-sim on 127.0.0.1:8010 (a new draw every
# 60 s), runs the program in ./run-work/ and stops the server when it ends.
# Without a display (or without the window built) the program runs headless
# and prints its panes; Ctrl-C stops it. Extra arguments go to pk10plan.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

scripts/install-deps.sh

build=${PK10_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)" --target pk10plan feed-sim

work="$root/run-work"
mkdir -p "$work"
sim_log="$work/feed-sim.log"

"$root/$build/tools/feed-sim/feed-sim" --port 8010 --interval 60 >"$sim_log" 2>&1 &
sim_pid=$!
stop_sim() {
    if kill -0 "$sim_pid" 2>/dev/null; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
}
trap stop_sim EXIT

# Wait for the server's listening line (at most ten seconds).
for _ in $(seq 1 100); do
    if grep -q '^feed-sim listening on ' "$sim_log" 2>/dev/null; then
        break
    fi
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        echo "run.sh: the local server did not start:" >&2
        cat "$sim_log" >&2
        exit 1
    fi
    sleep 0.1
done
if ! grep -q '^feed-sim listening on ' "$sim_log"; then
    echo "run.sh: the local server did not answer within ten seconds" >&2
    exit 1
fi
echo "run.sh: $(head -n 1 "$sim_log")"

args=(--results-server http://127.0.0.1:8010/ --maker-server http://127.0.0.1:8010/)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are unset): running headless; Ctrl-C stops"
    args+=(--headless)
elif ! ls "$root/$build"/src/ui/libpk10_ui.* >/dev/null 2>&1; then
    echo "run.sh: the window was not built: running headless; Ctrl-C stops"
    args+=(--headless)
fi

echo "run.sh: working folder $work (data1.txt and data/)"
status=0
(cd "$work" && "$root/$build/src/pk10plan" "${args[@]}" "$@") || status=$?
exit "$status"
