#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; only what is missing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

pkgs=(cmake ninja-build g++ binutils googletest libgtest-dev
      g++-mingw-w64-i686 mingw-w64-i686-dev
      xvfb xauth x11-apps imagemagick ffmpeg sox fonts-ipafont-gothic fonts-ipafont-mincho nsis)
if [ "$MIRELO_TEST_ARCH" = win32 ]; then
    pkgs+=(wine wine32:i386 libgl1:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386
           gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
           gstreamer1.0-plugins-bad:i386 gstreamer1.0-plugins-ugly:i386 gstreamer1.0-libav:i386)
else
    # Named with their architecture: a bare name answers for the i386 package when that is
    # the one installed, and 64-bit Wine then finds no media plug-ins.
    pkgs+=(wine wine64 g++-mingw-w64-x86-64 mingw-w64-x86-64-dev libgl1:amd64 libgl1-mesa-dri:amd64
           libglx-mesa0:amd64 gstreamer1.0-plugins-base:amd64 gstreamer1.0-plugins-good:amd64
           gstreamer1.0-plugins-bad:amd64 gstreamer1.0-plugins-ugly:amd64 gstreamer1.0-libav:amd64)
fi

missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    if [ "$MIRELO_TEST_ARCH" = win32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
