#!/usr/bin/env bash
# Fuzzes every parser of outside data with libFuzzer (clang), under ASan and UBSan:
#   bash scripts/fuzz.sh [seconds per target, default 600] [target names...]
# Starts from the seed corpus in fuzz/corpus/<target>, keeps what it finds in
# build/fuzz/corpus/<target>, and prints executions and crashes per target. A crash leaves
# its input in build/fuzz/crashes/<target>/: fix the fault and add the input to the seeds.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds=${1:-600}
shift || true
if ! command -v clang++ >/dev/null; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q clang >/dev/null || exit 1
fi
dir="$BUILD/fuzz"
CXX=clang++ cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIRELO_FUZZ=ON >/dev/null || exit 1
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(cd "$ROOT/fuzz" && ls *_fuzz.cpp | sed 's/\.cpp$//')
cmake --build "$dir" --target "${targets[@]}" >/dev/null || exit 1

status=0
printf '%-22s %12s %10s %8s\n' target executions exec/s crashes
for t in "${targets[@]}"; do
    mkdir -p "$dir/corpus/$t" "$dir/crashes/$t"
    log="$dir/$t.log"
    "$dir/$t" -max_total_time="$seconds" -print_final_stats=1 -max_len=4096 \
        -artifact_prefix="$dir/crashes/$t/" "$dir/corpus/$t" "$ROOT/fuzz/corpus/$t" >"$log" 2>&1
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    # Slow inputs are kept too (slow-unit-*), but on a busy machine they are no fault.
    crashes=$(find "$dir/crashes/$t" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
    [ "$crashes" -eq 0 ] || status=1
    printf '%-22s %12s %10s %8s\n' "$t" "${runs:-?}" "${rate:-?}" "$crashes"
done
exit $status
