#!/usr/bin/env bash
# Makes the media files the device tests play, with a tool that is not the program's:
# an MP3 of 2.5 s and an MPEG-1 video of 2 s with sound, a WAV tone, and the videos below.
# Usage: make_media.sh <folder>
set -euo pipefail
out="$1"
mkdir -p "$out"
ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
ff -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=2.5" -c:a libmp3lame -b:a 128k \
   "$out/tone.mp3"
ff -f lavfi -i "testsrc=size=160x120:rate=25:duration=2" \
   -f lavfi -i "sine=frequency=660:sample_rate=44100:duration=2" \
   -c:v mpeg1video -c:a mp2 -f mpeg "$out/clip.mpg"
# A 4 s tone for the pinpoint playback.
sox -n -r 22050 -c 1 -b 16 "$out/tone4s.wav" synth 4 sine 440
# AVI files the AVI library cannot decode (MJPEG; top-down raw frames), though they play,
# and a VGA-sized MPEG-1 video for the benchmarks.
ff -f lavfi -i "testsrc=size=320x240:rate=25:duration=1" -c:v mjpeg "$out/mjpeg.avi"
ff -f lavfi -i "testsrc=size=160x120:rate=25:duration=1" -c:v rawvideo -pix_fmt bgr24 \
   "$out/rawvideo.avi"
ff -f lavfi -i "testsrc=size=640x480:rate=25:duration=2" -c:v mpeg1video -f mpeg "$out/vga.mpg"
# Longer videos that keep playing while frames are captured: MPEG-1, and an AVI (MJPEG) the AVI
# library cannot decode.
ff -f lavfi -i "testsrc=size=160x120:rate=25:duration=10" -c:v mpeg1video -f mpeg "$out/long.mpg"
ff -f lavfi -i "testsrc=size=320x240:rate=25:duration=10" -c:v mjpeg "$out/long-mjpeg.avi"
# An AVI (Cinepak) whose frames depend on earlier ones, with a key frame every ten, for cuts.
ff -f lavfi -i "testsrc=size=64x48:rate=25:duration=2" -c:v cinepak -g 10 "$out/delta.avi"
