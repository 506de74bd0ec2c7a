#!/usr/bin/env bash
# Installs what building, running and testing Flimmer needs on Debian 12, when it is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    libgtest-dev libbenchmark-dev zlib1g-dev
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
    wine wine64 xvfb xdotool x11-xserver-utils x11-utils xauth
    python3 zip imagemagick
    # the end-to-end drop of files: an X drag source
    python3-xlib
    # make dist: the Windows installer
    nsis
    # make fuzz: clang 14 and its libFuzzer runtime
    clang libclang-rt-14-dev
)
# The benchmarks compare against OpenCV; the program never links it.
[ "${1:-}" = "--bench" ] && packages=(libopencv-dev)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
