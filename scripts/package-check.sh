#!/usr/bin/env bash
# Takes the Debian package that scripts/deb-build.sh made and proves that it
# installs like any Linux program: lintian reports no error and no missing
# hardening, the desktop entries and the AppStream metadata validate, apt-get
# installs it, the installed programs run from a temporary folder and take the
# installed draws, the menu entries' commands run from a fresh home keep their
# files under ~/.local/state/pk10plan (the demo with a server of its own that
# ends with its window), man finds the pages, and removing it leaves nothing of
# it under /usr.
# Usage: scripts/package-check.sh [BUILD_DIR] (default build-deb). Needs root or sudo;
# an installed pk10plan package is removed first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-deb}")

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

fail() {
    echo "package-check: $*" >&2
    exit 1
}

work=$(mktemp -d)
sim_pid=""
cleanup() {
    if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    # A check that failed half-way must not leave the package installed.
    if dpkg -s pk10plan >/dev/null 2>&1; then
        $sudo apt-get purge -y pk10plan >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

debs=("$build"/pk10plan_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "expected one pk10plan_*.deb in $build (made by scripts/deb-build.sh)"
fi
deb_name=$(basename "${debs[0]}")
version=$(dpkg-deb -f "${debs[0]}" Version)

echo "package-check: lintian $deb_name"
lintian --fail-on error --display-info "${debs[0]}" | tee "$work/lintian"
# Built with Debian's flags, the programs are fortified, PIE and bound at once.
if grep -q 'hardening-' "$work/lintian"; then
    fail "lintian reports missing hardening (build with scripts/deb-build.sh)"
fi

echo "package-check: desktop entry and AppStream metadata"
dpkg-deb -x "${debs[0]}" "$work/tree"
desktop-file-validate "$work/tree/usr/share/applications/pk10plan.desktop" \
    "$work/tree/usr/share/applications/pk10plan-demo.desktop"
appstreamcli validate --no-net "$work/tree/usr/share/metainfo/pk10plan.metainfo.xml"

if dpkg -s pk10plan >/dev/null 2>&1; then
    echo "package-check: removing the pk10plan package installed before"
    $sudo apt-get purge -y pk10plan
fi
# The package's paths that exist already (folders shared with other packages):
# these may stay after the removal, nothing else may.
dpkg-deb --fsys-tarfile "${debs[0]}" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' |
    while read -r path; do
        if [ -n "$path" ] && [ -e "$path" ]; then
            echo "$path"
        fi
    done >"$work/existing-before"

# Container images often keep dpkg from unpacking manual pages
# (path-exclude in /etc/dpkg/dpkg.cfg.d/); let this package's pages through.
apt_options=()
if grep -rqs '^path-exclude=/usr/share/man' /etc/dpkg/dpkg.cfg.d/; then
    apt_options+=(-o "DPkg::Options::=--path-include=/usr/share/man/man1/pk10plan*")
fi
echo "package-check: apt-get install ./$deb_name"
(cd "$build" && $sudo apt-get install -y "${apt_options[@]}" "./$deb_name")
dpkg -L pk10plan >"$work/installed"

echo "package-check: the installed programs, from a temporary folder"
mkdir "$work/run"
cd "$work/run"
for program in pk10plan pk10plan-feed-sim pk10plan-demo; do
    if [ "$(command -v "$program")" != "/usr/bin/$program" ]; then
        fail "$program is not found as /usr/bin/$program"
    fi
done
version_line=$(pk10plan --version)
if [[ "$version_line" != "pk10plan $version"* ]]; then
    fail "pk10plan --version printed '$version_line', the package is $version"
fi

pk10plan-feed-sim --port 0 --interval 0 >sim.out 2>sim.err &
sim_pid=$!
for _ in $(seq 1 100); do
    if grep -q '^feed-sim listening on ' sim.out || ! kill -0 "$sim_pid" 2>/dev/null; then
        break
    fi
    sleep 0.1
done
url=$(sed -n 's/^feed-sim listening on //p' sim.out)
if [ -z "$url" ]; then
    cat sim.err >&2
    fail "pk10plan-feed-sim did not start listening within ten seconds"
fi
if ! grep -q 'draws of /usr/share/pk10plan/pk10-2014.txt' sim.err; then
    cat sim.err >&2
    fail "pk10plan-feed-sim does not replay the installed draws"
fi
backtest_out=$(pk10plan --backtest --count 60)
backtest_line=${backtest_out%%$'\n'*}
if [[ "$backtest_line" != "Backtest of /usr/share/pk10plan/pk10-2014.txt:"* ]]; then
    fail "pk10plan --backtest did not take the installed draws: '$backtest_line'"
fi
if ! timeout 120 pk10plan --once --results-server "$url" --maker-server "$url" >once.out 2>&1; then
    cat once.out >&2
    fail "pk10plan --once against $url failed"
fi
if [ ! -s data1.txt ] || [ ! -d data ]; then
    fail "pk10plan --once left no data1.txt and data/ in its working folder"
fi

# The menu entries' commands, as a desktop starts them: in a fresh home, with
# the window on Qt's offscreen platform. The window runs until its first draws
# are written, then it is closed with SIGTERM, as a session's end closes it.
entry_command() {
    sed -n 's/^Exec=//p' "/usr/share/applications/$1.desktop"
}
# Waits (at most 60 s) for the file $2 while the process $1 runs; false when it
# ended or the time is up first.
wait_for_file() {
    for _ in $(seq 1 600); do
        if [ -s "$2" ]; then
            return 0
        fi
        kill -0 "$1" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
# The program's own process below the demo's script ($1), and the server's.
child_pid() {
    ps -o pid=,comm= --ppid "$1" | awk -v name="$2" '$2 == name { print $1 }'
}
home="$work/home"
mkdir -p "$home/.config/pk10plan" "$work/runtime"
chmod 700 "$work/runtime"
printf '[servers]\nresults=%s\nmaker=%s\n' "$url" "$url" >"$home/.config/pk10plan/pk10plan.conf"
desktop_env=(env -u XDG_STATE_HOME -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME
    HOME="$home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen)

echo "package-check: the menu entry '$(entry_command pk10plan)' from a fresh home"
state="$home/.local/state/pk10plan"
# shellcheck disable=SC2046 # the entry's command is words, without field codes
(cd "$home" && exec "${desktop_env[@]}" $(entry_command pk10plan)) >window.out 2>&1 &
window_pid=$!
if ! wait_for_file "$window_pid" "$state/data1.txt"; then
    cat window.out >&2
    fail "the menu entry's pk10plan wrote no $state/data1.txt with the saved server"
fi
kill "$window_pid"
wait "$window_pid" 2>/dev/null || true
if [ ! -d "$state/data" ]; then
    fail "the menu entry's pk10plan left no data/ in $state"
fi
stray=$(find "$home" -mindepth 1 -maxdepth 1 ! -name '.*')
if [ -n "$stray" ]; then
    fail "the menu entry's pk10plan wrote in the home folder itself: $stray"
fi

echo "package-check: the menu entry '$(entry_command pk10plan-demo)' from a fresh home"
demo="$state/demo"
# shellcheck disable=SC2046
(cd "$home" && exec "${desktop_env[@]}" $(entry_command pk10plan-demo)) >demo.out 2>&1 &
demo_pid=$!
if ! wait_for_file "$demo_pid" "$demo/data1.txt"; then
    cat demo.out >&2
    fail "the demo wrote no $demo/data1.txt"
fi
demo_server=$(child_pid "$demo_pid" pk10plan-feed-s)
demo_window=$(child_pid "$demo_pid" pk10plan)
if [ -z "$demo_server" ] || [ -z "$demo_window" ]; then
    ps -o pid,comm --ppid "$demo_pid" >&2
    fail "the demo runs no pk10plan-feed-sim and pk10plan of its own"
fi
# Plans within a few seconds: the day files hold a plan block once the start-up's recompute ran.
for _ in $(seq 1 100); do
    if grep -qs '<br>' "$demo"/data/*.txt; then
        break
    fi
    sleep 0.1
done
if ! grep -qs '<br>' "$demo"/data/*.txt; then
    fail "the demo shows no plans in $demo/data/ after ten seconds"
fi
kill "$demo_window"
wait "$demo_pid" 2>/dev/null || true
for _ in $(seq 1 50); do
    kill -0 "$demo_server" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$demo_server" 2>/dev/null; then
    kill "$demo_server"
    fail "the demo's server still ran after its window closed"
fi
stray=$(find "$home" -mindepth 1 -maxdepth 1 ! -name '.*')
if [ -n "$stray" ]; then
    fail "the demo wrote in the home folder itself: $stray"
fi

kill "$sim_pid"
wait "$sim_pid" 2>/dev/null || true
sim_pid=""
cd /

echo "package-check: manual pages"
man -w pk10plan
man -w pk10plan-feed-sim
man -w pk10plan-demo

echo "package-check: apt-get purge pk10plan"
$sudo apt-get purge -y pk10plan
left=()
while read -r path; do
    if [ "$path" != "/." ] && [ -e "$path" ] && ! grep -qxF "$path" "$work/existing-before"; then
        left+=("$path")
    fi
done <"$work/installed"
if [ ${#left[@]} -ne 0 ]; then
    printf '  %s\n' "${left[@]}" >&2
    fail "the removed package left the paths above"
fi
echo "package-check: $deb_name passed ($(wc -l <"$work/installed") paths installed and removed)"
