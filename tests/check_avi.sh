#!/usr/bin/env bash
# Reads the cut the AVI editor made of frames 17..25 of a video with a key frame every ten,
# with ffmpeg, a reader that is not the program's: it starts on a key frame, every frame
# decodes without an error and equals the source's frame. The cut may start at frame 10 or
# earlier: the platform's reader can see fewer key frames than the file marks.
# Usage: check_avi.sh <folder> <media folder>
set -euo pipefail
cut="$1/cut-delta.avi"
source="$2/delta.avi"
failed=0
errors=$(ffmpeg -hide_banner -v error -i "$cut" -f null - 2>&1)
if [ -n "$errors" ]; then
    echo "FAIL the cut does not decode cleanly: $errors"
    failed=1
fi
frames() { ffmpeg -hide_banner -v error -i "$1" -map 0:v -f framemd5 - | grep -v '^#' | awk '{print $NF}'; }
count=$(frames "$cut" | wc -l)
first=$((26 - count))
if [ "$count" -ge 16 ] && [ "$(frames "$cut")" = "$(frames "$source" | sed -n "$((first + 1)),26p")" ]; then
    echo "ok   the cut's frames are the source's frames $first..25"
else
    echo "FAIL the cut's $count frames are not the source's frames $first..25"
    failed=1
fi
key=$(ffprobe -v error -select_streams v -show_entries packet=flags -of csv=p=0 "$cut" | sed -n 1p)
if [ "$key" = "K_" ]; then
    echo "ok   the cut starts on a key frame"
else
    echo "FAIL the cut's first frame is not marked as a key frame ($key)"
    failed=1
fi
exit $failed
