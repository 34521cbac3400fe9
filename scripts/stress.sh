#!/usr/bin/env bash
# The monkey at length: N seeds of M random events each on the real program (commands, keys,
# clicks and drags on every window, dropped files, genre changes, dialogs), checking after
# every event that it still takes messages within 2 s, and after each run that it answers,
# its lists are dense, its thumbnails belong to entries and its object counts stayed bounded.
# Run after scripts/test.sh (it uses that build).
#   bash scripts/stress.sh [events per seed] [seeds...]     (default: 2000, seeds 1 to 5)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
actions="${1:-2000}"
shift || true
seeds=("$@")
[ ${#seeds[@]} -gt 0 ] || seeds=(1 2 3 4 5)
bin="$BUILD/$MIRELO_TEST_ARCH/bin"
[ -x "$bin/stress.exe" ] || { echo "build first: bash scripts/test.sh" >&2; exit 1; }
trap stop_test_env EXIT
start_test_env >/dev/null || exit 1
bash "$ROOT/tests/make_media.sh" "$bin/media" >/dev/null
status=0 failed=0
for seed in "${seeds[@]}"; do
    (cd "$bin" && "$WINE" stress.exe "$seed" "$actions" "Z:${bin//\//\\}\\media") 2>/dev/null | tr -d '\r'
    [ "${PIPESTATUS[0]}" -eq 0 ] || { status=1; failed=$((failed + 1)); }
done
echo "stress: ${#seeds[@]} seeds x $actions events: $failed failed"
exit $status
