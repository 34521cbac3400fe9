#!/usr/bin/env bash
# Reads the WAV files the recorder wrote with sox, a reader that is not the program's, and
# checks their headers against their sizes. Usage: check_wav.sh <folder>
set -euo pipefail
dir="$1"
failed=0
expect() {  # expect <what> <actual> <wanted>
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: got '$2', wanted '$3'"
        failed=1
    else
        echo "ok   $1: $2"
    fi
}
le32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

check() {  # check <file> <rate> <channels>
    local f="$dir/$1" size riff data pad
    soxi "$f"
    size=$(stat -c %s "$f")
    riff=$(le32 "$f" 4)
    data=$(le32 "$f" 40)
    pad=$((data % 2))
    expect "$1 RIFF size" "$riff" "$((size - 8))"
    expect "$1 file size" "$size" "$((44 + data + pad))"
    expect "$1 rate" "$(soxi -r "$f")" "$2"
    expect "$1 channels" "$(soxi -c "$f")" "$3"
    expect "$1 bits" "$(soxi -b "$f")" 8
    expect "$1 encoding" "$(soxi -e "$f")" "Unsigned Integer PCM"
    expect "$1 samples" "$(soxi -s "$f")" "$((data / $3))"
    # sox decodes every sample: the whole data chunk is there.
    expect "$1 decoded" "$(sox "$f" -t raw - | wc -c)" "$data"
}
check take-mono.wav 27000 1
check take-stereo.wav 22050 2
check odd.wav 27000 1
exit $failed
