#!/usr/bin/env bash
# A standard Windows user may write inside the thumbnail folder but not in the program folder
# that holds it. Linux's immutable flag on that folder refuses every entry created or renamed
# there, as Windows refuses that user: the restores of win_tests must still succeed.
#   bash tests/restore_standard_user.sh <folder of win_tests.exe>
bin="$1"
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine_env.sh"
start_test_env >/dev/null || exit 1
program="$WINEPREFIX/drive_c/Program Files/Oakhollow/MireloFreeEdition"
mkdir -p "$program/Cap" "$program/Bmp"
if ! chattr +i "$program" 2>/dev/null; then
    echo "SKIPPED: chattr +i is not permitted here (not root, or a filesystem without it)"
    exit 77
fi
trap 'chattr -i "$program"' EXIT
# The immutable flag must really refuse what a standard user is refused.
if touch "$program/probe" 2>/dev/null; then
    rm -f "$program/probe"
    echo "SKIPPED: the immutable folder still takes new entries"
    exit 77
fi
cd "$BUILD/$MIRELO_TEST_ARCH" &&
    "$WINE" "$bin/win_tests.exe" --gtest_filter='RestoreRecovery.*:BackupThumbnails.*'
