#!/usr/bin/env bash
# Screenshots of the real program under Xvfb: each skin, and with both side windows out.
#   bash scripts/screenshot.sh [output folder]     (default: build/screenshots)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
arch_build="$BUILD/$MIRELO_TEST_ARCH"
toolchain="$ROOT/cmake/mingw-w64-$([ "$MIRELO_TEST_ARCH" = win64 ] && echo x86_64 || echo i686).cmake"
cmake -S "$ROOT" -B "$arch_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
cmake --build "$arch_build" --target Mirelo showcase >/dev/null
out="${1:-$BUILD/screenshots}"
mkdir -p "$out"
source "$ROOT/scripts/wine_env.sh"
unset DISPLAY  # always a fresh screen of a known size
trap stop_test_env EXIT
start_test_env
shoot() {  # shoot <name> <skin> <panels>
    "$WINE" "$arch_build/bin/showcase.exe" "$2" "$3" 4 > "$out/$1.log" &
    local pid=$!
    for _ in $(seq 1 100); do grep -q ready "$out/$1.log" 2>/dev/null && break; sleep 0.1; done
    sleep 2.5
    import -window root -crop 900x700+140+120 "$out/$1.png"
    wait "$pid" || true
    echo "$out/$1.png"
}
shoot cute 0 0
shoot cool 1 0
shoot cute-panels 0 1
shoot cool-panels 1 1
