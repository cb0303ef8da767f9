#!/bin/sh
# pk10plan-demo: the installed pk10plan against the bundled local results
# server, as ./run.sh runs it from the source tree. Starts pk10plan-feed-sim on
# a free port of 127.0.0.1 (it replays the bundled draws, a new one every
# minute), runs the window against it with a data folder of its own,
# $XDG_STATE_HOME/pk10plan/demo (by default ~/.local/state/pk10plan/demo), and
# stops the server when the window closes. Arguments go to pk10plan.
set -eu

bindir=$(dirname "$(readlink -f "$0")")
state=${XDG_STATE_HOME:-}
case $state in
/*) ;;
*) state=${HOME:?HOME is not set}/.local/state ;; # a relative XDG_STATE_HOME does not count
esac
work=$state/pk10plan/demo
mkdir -p "$work"
log=$work/feed-sim.log

"$bindir/pk10plan-feed-sim" --port 0 >"$log" 2>&1 &
sim=$!
# shellcheck disable=SC2317 # run by the EXIT trap
stop_server() {
    kill "$sim" 2>/dev/null || true
    wait "$sim" 2>/dev/null || true
}
trap stop_server EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The server says "feed-sim listening on http://127.0.0.1:PORT/" once it
# listens; at most ten seconds.
url=
tries=0
while [ -z "$url" ]; do
    url=$(sed -n 's/^feed-sim listening on \(http[^ ]*\)$/\1/p' "$log")
    if [ -n "$url" ]; then
        break
    fi
    if ! kill -0 "$sim" 2>/dev/null || [ "$tries" -ge 100 ]; then
        echo "pk10plan-demo: the local results server did not start:" >&2
        cat "$log" >&2
        exit 1
    fi
    tries=$((tries + 1))
    sleep 0.1
done

status=0
"$bindir/pk10plan" --results-server "$url" --maker-server "$url" --data-dir "$work" "$@" ||
    status=$?
exit "$status"
