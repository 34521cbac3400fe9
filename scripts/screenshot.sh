#!/usr/bin/env bash
# Screenshots of the real program under Xvfb: each skin, with both side windows out, and a
# stock list of five imported files with their thumbnails.
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
shoot() {  # shoot <name> <skin> <panels> [media files...]
    local name=$1 skin=$2 panels=$3
    shift 3
    "$WINE" "$arch_build/bin/showcase.exe" "$skin" "$panels" 4 "$@" > "$out/$name.log" &
    local pid=$!
    for _ in $(seq 1 900); do grep -q -e ready -e "did not" "$out/$name.log" 2>/dev/null && break; sleep 0.1; done
    sleep 2.5
    import -window root -crop "${CROP:-900x700+140+120}" "$out/$name.png"
    wait "$pid" || true
    echo "$out/$name.png"
}
shoot cute 0 0
shoot cool 1 0
shoot cute-panels 0 1
shoot cool-panels 1 1
# The calculator beside the desk clock, at the screen's top-left corner.
CROP=700x330+0+0 shoot accessories 0 2
for tab in 1 2 3 4; do CROP=520x520+0+0 shoot "settings-tab$tab" 0 $((tab + 2)); done
# A genre of five entries with their thumbnails (the stock list under the playback window).
bash "$ROOT/tests/make_media.sh" "$arch_build/bin/media" >/dev/null
convert -size 64x64 pattern:checkerboard -fill '#f4e8d0' -colorize 70 \
    "BMP3:$WINEPREFIX/drive_c/ListBk.bmp" 2>/dev/null || true
media_win() { echo "Z:${arch_build//\//\\}\\bin\\media\\$1"; }
shoot stock 0 0 "$(media_win clip.mpg)" "$(media_win vga.mpg)" "$(media_win tone.mp3)" \
    "$(media_win mjpeg.avi)" "$(media_win clip.mpg)"
rm -f "$WINEPREFIX/drive_c/ListBk.bmp"
