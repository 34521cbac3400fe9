#!/usr/bin/env bash
# Runs the installer test in a Wine prefix of its own, made fresh for each run, with its own
# wineserver, on the display of the other tests.
#   run.sh <bin folder>   (holds installer_tests.exe and Mirelo-setup.exe)
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
bin=$1
export WINEPREFIX="$BUILD/wineprefix-installer-$MIRELO_TEST_ARCH"
export WINEARCH="$MIRELO_TEST_ARCH" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
/usr/lib/wine/wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
"$ROOT/scripts/wine-run" wineboot -i >/dev/null 2>&1
"$ROOT/scripts/wine-run" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
mkdir -p "$BUILD/$MIRELO_TEST_ARCH/gtest-results"
cd "$BUILD/$MIRELO_TEST_ARCH" || exit 1
"$ROOT/scripts/wine-run" "$bin/installer_tests.exe" --gtest_output=xml:gtest-results/installer_tests.xml
status=$?
/usr/lib/wine/wineserver -k 2>/dev/null
exit $status
