#!/usr/bin/env bash
# Installs everything the module, its tools and its tests need on Debian 12.
# Idempotent and non-interactive: packages that are already there are left alone.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config git
    libcurl4-openssl-dev libssl-dev libpugixml-dev nlohmann-json3-dev libhowardhinnant-date-dev
    libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev libcli11-dev
    python3 python3-botocore python3-boto3 tinyproxy openssl locales
    clang-format clang-tidy clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix wine64 dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
echo "setup: all ${#packages[@]} packages present"
