#!/usr/bin/env bash
# CPU time over 10 s of 320 x 240 AVI playback: Mirelo.exe next to a minimal program that
# plays the same file through the same MCI device. Reads the programs' CPU time from /proc.
#   bash bench/playback_cpu.sh     (after a Windows build; see scripts/test.sh)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine_env.sh"
start_test_env >/dev/null
bin="$BUILD/$MIRELO_TEST_ARCH/bin"

ticks() {  # utime + stime of a process, in clock ticks
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

measure() {  # measure <player|minimal> <process name>
    local log pid before after
    log=$(mktemp)
    "$WINE" "$bin/playback_cpu_bench.exe" "$1" 14 > "$log" 2>/dev/null &
    for _ in $(seq 1 300); do grep -q playing "$log" && break; sleep 0.1; done
    sleep 1.5
    # The program as Wine names it (Z:\path\to\name.exe), so no other build's copy is taken.
    local pattern
    pattern="^Z:$(printf '%s/%s' "$bin" "$2" | sed 's|/|\\\\|g')"
    pid=$(pgrep -nf "$pattern")
    before=$(ticks "$pid")
    sleep 10
    after=$(ticks "$pid")
    wait || true
    rm -f "$log"
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v name="$3" \
        'BEGIN { printf "  %-22s %6.2f s CPU  (%5.1f %% of one core)\n", name, t / hz, t / hz * 10 }'
}

echo "CPU time over 10 s of 320 x 240 AVI playback:"
measure minimal 'minimal_player.exe' "minimal MCI program"
measure player 'Mirelo.exe' "Mirelo.exe"
