#!/usr/bin/env bash
# CPU time over 10 s of 320 x 240 AVI playback: Mirelo.exe (with its media host) next to a
# minimal program that plays the same file through the same MCI device, in turns.
#   bash bench/playback_cpu.sh [rounds]     (the playback row of bench/run.sh)
exec bash "$(dirname "${BASH_SOURCE[0]}")/run.sh" "$(( ${1:-3} * 3 ))" cpu
