#!/usr/bin/env bash
# Every benchmark in one run: each figure of Mirelo.exe beside its floor (the barest program
# doing the same job with the same calls), as medians of runs taken in turns in this session,
# and their ratio. The machine is shared and noisy: read the ratios, and the load printed.
#   bash bench/run.sh [rounds] [figures...]
#     rounds: runs of each kind (default 5; the CPU figures take a third of that, at least 3)
#     figures: any of start cpu idle add clear size (default: all)
# Builds what it needs in the Windows build and runs under the test environment.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"
rounds="${1:-5}"
shift || true
figures="${*:-start cpu idle add clear size}"
want() { [[ " $figures " == *" $1 "* ]]; }

arch_build="$BUILD/$MIRELO_TEST_ARCH"
toolchain="$ROOT/cmake/mingw-w64-$([ "$MIRELO_TEST_ARCH" = win64 ] && echo x86_64 || echo i686).cmake"
if [ -z "${BENCH_NO_BUILD:-}" ]; then
    cmake -S "$ROOT" -B "$arch_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
    cmake --build "$arch_build" -j2 --target Mirelo minimal_window minimal_player startup_bench \
        playback_cpu_bench add_file_bench clear_lists_bench >/dev/null
fi
bin="${BENCH_BIN:-$arch_build/bin}"
[ -f "$bin/media/vga.mpg" ] || bash "$ROOT/tests/make_media.sh" "$bin/media" >/dev/null
source "$ROOT/scripts/wine_env.sh"
start_test_env >/dev/null

rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
row() {  # row <figure> <unit> <program> <floor>
    printf 'ROW|%s|%s|%s|%s\n' "$@" >> "$rows"
}
collect() {  # runs a benchmark program and keeps its rows
    "$WINE" "$@" 2>/dev/null | tr -d '\r' | grep '^ROW|' >> "$rows" || true
}

# CPU time (user + system, in clock ticks) of every process of one program, read from /proc:
# Wine reports no other process's times. Mirelo.exe counts with its media host.
ticks_of() {  # ticks_of <pids...>
    local total=0 pid t
    for pid in "$@"; do
        t=$(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo 0)
        total=$((total + t))
    done
    echo "$total"
}
cpu_seconds() {  # cpu_seconds <bench mode> <program file name> <seconds>
    local log pattern pids before after
    log=$(mktemp)
    "$WINE" "$bin/playback_cpu_bench.exe" "$1" $(($3 + 4)) > "$log" 2>/dev/null &
    for _ in $(seq 1 300); do grep -q playing "$log" && break; sleep 0.1; done
    sleep 1.5
    # The program as Wine names it (Z:\path\to\name.exe), so no other build's copy is taken.
    pattern="^Z:$(printf '%s/%s' "$bin" "$2" | sed 's|/|\\\\|g')"
    pids=$(pgrep -f "$pattern" | tr '\n' ' ')
    before=$(ticks_of $pids)
    sleep "$3"
    after=$(ticks_of $pids)
    wait || true
    rm -f "$log"
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f", t / hz }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "Mirelo.exe against its floors, $rounds rounds, $(date -u '+%F %H:%M UTC')"
echo "load before: $(uptime | sed 's/.*load average/load average/')"

if want start; then
    collect "$bin/startup_bench.exe" "$rounds"
fi

cpu_rounds=$(( rounds / 3 < 3 ? 3 : rounds / 3 ))
if want cpu; then
    program=() floor=()
    for _ in $(seq 1 "$cpu_rounds"); do
        floor+=("$(cpu_seconds minimal minimal_player.exe 10)")
        program+=("$(cpu_seconds player Mirelo.exe 10)")
    done
    row "CPU over 10 s of 320x240 AVI playback" "s" \
        "$(printf '%s\n' "${program[@]}" | median)" "$(printf '%s\n' "${floor[@]}" | median)"
fi

if want idle; then
    loaded=() empty=() floor=()
    for _ in $(seq 1 "$cpu_rounds"); do
        floor+=("$(cpu_seconds window minimal_window.exe 10)")
        loaded+=("$(cpu_seconds loaded Mirelo.exe 10)")
        empty+=("$(cpu_seconds empty Mirelo.exe 10)")
    done
    f=$(printf '%s\n' "${floor[@]}" | median)
    row "CPU over 10 s idle, a file loaded, not playing" "s" "$(printf '%s\n' "${loaded[@]}" | median)" "$f"
    row "CPU over 10 s idle, nothing stored" "s" "$(printf '%s\n' "${empty[@]}" | median)" "$f"
fi

if want add; then
    collect "$bin/add_file_bench.exe" "$rounds" 100
fi

if want clear; then
    collect "$bin/clear_lists_bench.exe" "$rounds"
fi

echo "load after:  $(uptime | sed 's/.*load average/load average/')"
echo
awk -F'|' '
    BEGIN { printf "%-58s %12s %12s %8s\n", "figure", "Mirelo", "floor", "ratio" }
    { ratio = $5 > 0 ? sprintf("%7.2fx", $4 / $5) : "      -"
      printf "%-58s %8.1f %-3s %8.1f %-3s %s\n", $2, $4, substr($3, 1, 3), $5, substr($3, 1, 3), ratio }
' "$rows"

if want size; then
    exe="$bin/Mirelo.exe"
    objdump="${MIRELO_OBJDUMP:-$( [ "$MIRELO_TEST_ARCH" = win64 ] && echo x86_64 || echo i686)-w64-mingw32-objdump}"
    symbols=$("$objdump" -t "$exe" 2>/dev/null | grep -c '^\[' || true)
    echo
    printf 'Mirelo.exe: %d bytes, %s\n' "$(stat -c %s "$exe")" \
        "$([ "$symbols" -gt 0 ] && echo "not stripped ($symbols symbols)" || echo stripped)"
    "$objdump" -h "$exe" | awk '$2 ~ /^\./ { print $2, $3 }' | while read -r name hex; do
        printf '  %-10s %8d bytes\n' "$name" $((16#$hex))
    done
fi
