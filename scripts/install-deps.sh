#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the run command need,
# but only those that are missing; apt-get update runs at most once.
set -euo pipefail

packages=(
    cmake g++ make pkg-config ccache
    libgtest-dev libgmock-dev libbenchmark-dev
    libcurl4-openssl-dev libcpp-httplib-dev libssl-dev zlib1g-dev libbrotli-dev
    nlohmann-json3-dev
    qt6-base-dev qt6-qpa-plugins libgl-dev qt6-webengine-dev qt6-charts-dev qt6-translations-l10n
    xvfb xauth fonts-wqy-microhei
    clang libclang-rt-14-dev
    dpkg-dev file lintian desktop-file-utils appstream help2man man-db
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg -s "$p" >/dev/null 2>&1 || ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y "${missing[@]}"
