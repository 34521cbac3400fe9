#!/usr/bin/env bash
# Reads the BMP files the program wrote with ImageMagick, a reader that is not the program's,
# and checks their size and pixels. Usage: check_bmp.sh <folder> <media folder>
set -euo pipefail
dir="$1"
media="$2"
failed=0
expect() {  # expect <what> <actual> <wanted>
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: got '$2', wanted '$3'"
        failed=1
    else
        echo "ok   $1: $2"
    fi
}
size() { identify -format '%w x %h' "$dir/$1"; }
pixel() { convert "$dir/$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

expect "3 x 2 picture size" "$(size three-by-two.bmp)" "3 x 2"
# The first stored row is the bottom one: red, green, blue; above it white, black, grey.
expect "bottom left"  "$(pixel three-by-two.bmp 0 1)" "255,0,0"
expect "bottom mid"   "$(pixel three-by-two.bmp 1 1)" "0,255,0"
expect "bottom right" "$(pixel three-by-two.bmp 2 1)" "0,0,255"
expect "top left"     "$(pixel three-by-two.bmp 0 0)" "255,255,255"
expect "top right"    "$(pixel three-by-two.bmp 2 0)" "128,128,128"

expect "AVI thumbnail size" "$(size avi-thumbnail.bmp)" "64 x 48"
# Frame 0 of the tests' AVI: byte i of the frame is 7 i, stored blue, green, red.
expect "AVI first stored pixel" "$(pixel avi-thumbnail.bmp 0 47)" "14,7,0"
expect "AVI second stored pixel" "$(pixel avi-thumbnail.bmp 1 47)" "35,28,21"

expect "MPG thumbnail size" "$(size mpg-thumbnail.bmp)" "160 x 120"
# The first frame as ffmpeg decodes it: the same picture, the right way up, in the right colours.
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
ffmpeg -hide_banner -loglevel error -y -i "$media/clip.mpg" -frames:v 1 "$tmp/first.png"
difference=$({ compare -metric RMSE "$dir/mpg-thumbnail.bmp" "$tmp/first.png" null: 2>&1 || true; } |
             sed 's/.*(\(.*\)).*/\1/')
if awk -v d="$difference" 'BEGIN { exit !(d < 0.05) }'; then
    echo "ok   MPG thumbnail matches ffmpeg's first frame (RMSE $difference)"
else
    echo "FAIL MPG thumbnail differs from ffmpeg's first frame (RMSE $difference)"
    failed=1
fi
# Captured frames have the video's own size; a frame taken while the video plays is not its first.
expect "captured MPG frame size" "$(size capture-mpg.bmp)" "160 x 120"
expect "captured MJPEG AVI frame size" "$(size capture-mjpeg.bmp)" "320 x 240"
expect "captured AVI frame size" "$(size capture-avi.bmp)" "64 x 48"
expect "series MPG frame size" "$(size series-mpg.bmp)" "160 x 120"
ffmpeg -hide_banner -loglevel error -y -i "$media/long.mpg" -frames:v 1 "$tmp/long-first.png"
difference=$({ compare -metric RMSE "$dir/series-mpg.bmp" "$tmp/long-first.png" null: 2>&1 || true; } |
             sed 's/.*(\(.*\)).*/\1/')
if awk -v d="$difference" 'BEGIN { exit !(d > 0.05) }'; then
    echo "ok   MPG frame captured seconds in is not the first (RMSE $difference)"
else
    echo "FAIL MPG frame captured seconds in is the first frame (RMSE $difference)"
    failed=1
fi
exit $failed
