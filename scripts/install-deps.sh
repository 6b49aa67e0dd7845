#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those that are missing.
# Debian 12, run as root. Sourced or run; a set-up machine installs nothing.
set -euo pipefail

vantor_packages=(
    cmake make g++                       # host build: rules, their tests, the benchmark
    googletest libbenchmark-dev          # test framework sources, benchmark library
    g++-mingw-w64-x86-64-posix           # Windows cross compiler (posix threads)
    binutils-mingw-w64-x86-64            # windres
    wine wine64 fonts-wine               # runs the Windows programs; Wine's own frame glyphs
    xvfb x11-utils                       # private X display and xdpyinfo
    xdotool imagemagick                  # driving and photographing the game window
    python3 python3-pil fonts-dejavu-core  # the art generator's reproducibility check
)

missing=()
for package in "${vantor_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
