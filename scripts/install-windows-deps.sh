#!/usr/bin/env bash
# Installs the Debian packages that the Windows cross build, its installer and its
# tests under Wine need, but only those that are missing; apt-get update runs at
# most once. Debian's cpp-httplib is built for Linux as a shared library; the
# cross build compiles it from Debian's source package (its patches applied), which
# this unpacks into /usr/src/cpp-httplib when it is not there.
set -euo pipefail

packages=(
    cmake make pkg-config
    g++-mingw-w64-x86-64-posix
    wine64 wine
    googletest
    nsis
    libcpp-httplib-dev nlohmann-json3-dev
    # The window program's tests: a virtual display and the font Wine stands in for 宋体.
    xvfb xauth fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg -s "$p" >/dev/null 2>&1 || ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
        missing+=("$p")
    fi
done

httplib_source=/usr/src/cpp-httplib
if [ ${#missing[@]} -eq 0 ] && [ -f "$httplib_source/httplib.h" ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -ne 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    $sudo apt-get update
    $sudo apt-get install -y "${missing[@]}"
fi

if [ ! -f "$httplib_source/httplib.h" ]; then
    # The source package of the installed libcpp-httplib-dev, through a source list
    # of its own, so the machine's apt configuration stays as it is.
    version=$(dpkg-query -W -f='${Version}' libcpp-httplib-dev)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/lists/partial"
    # The same archive and release the machine installs its packages from.
    archive=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
        grep -v -- '-security' | head -n 1 || true)
    if [ -z "$archive" ]; then
        archive=$(sed -n 's/^deb \(\[[^]]*\] \)\{0,1\}\([^ ]*\).*/\2/p' /etc/apt/sources.list \
            2>/dev/null | grep -v -- '-security' | head -n 1 || true)
    fi
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    if [ -z "$archive" ] || [ -z "$codename" ]; then
        echo "install-windows-deps: no Debian archive found in the apt sources" >&2
        exit 1
    fi
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $archive $codename main" \
        >"$work/sources.list"
    apt_src=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
             -o Dir::State::Lists="$work/lists" -o APT::Sandbox::User=root)
    apt-get "${apt_src[@]}" update
    (cd "$work" && apt-get "${apt_src[@]}" source "cpp-httplib=$version")
    unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'cpp-httplib-*' | head -n 1)
    $sudo mkdir -p "$httplib_source"
    $sudo cp "$unpacked/httplib.h" "$unpacked/LICENSE" "$httplib_source/"
fi
