#!/usr/bin/env bash
# Quick use of the real program at length: random presses, seeks, mode switches and window
# commands over short media, checking after every action that the program still takes
# messages from its queue within 2 s. Run after scripts/test.sh (it uses that build).
#   bash scripts/stress.sh [actions per seed] [seeds...]     (default: 5000, seed 1)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
actions="${1:-5000}"
shift || true
seeds=("${@:-1}")
bin="$BUILD/$MIRELO_TEST_ARCH/bin"
[ -x "$bin/stress.exe" ] || { echo "build first: bash scripts/test.sh" >&2; exit 1; }
trap stop_test_env EXIT
start_test_env >/dev/null || exit 1
bash "$ROOT/tests/make_media.sh" "$bin/media" >/dev/null
status=0
for seed in "${seeds[@]}"; do
    (cd "$bin" && "$WINE" stress.exe "$seed" "$actions" "Z:${bin//\//\\}\\media") 2>/dev/null | tr -d '\r' || status=1
done
exit $status
