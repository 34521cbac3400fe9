#!/usr/bin/env bash
# Makes the media files the device tests play, with a tool that is not the program's:
# an MP3 of 2.5 s and an MPEG-1 video of 2 s with sound. Usage: make_media.sh <folder>
set -euo pipefail
out="$1"
mkdir -p "$out"
ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
ff -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=2.5" -c:a libmp3lame -b:a 128k \
   "$out/tone.mp3"
ff -f lavfi -i "testsrc=size=160x120:rate=25:duration=2" \
   -f lavfi -i "sine=frequency=660:sample_rate=44100:duration=2" \
   -c:v mpeg1video -c:a mp2 -f mpeg "$out/clip.mpg"
