#!/usr/bin/env bash
# Installs what is missing, builds Mirelo.exe and starts it under Wine on this display
# (starting Xvfb when there is none).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
"$ROOT/scripts/deps.sh"
cmake -S "$ROOT" -B "$BUILD/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$BUILD/win32" --target Mirelo
exe="$BUILD/win32/bin/Mirelo.exe"
if [ "$MIRELO_TEST_ARCH" = win64 ]; then
    echo "This kernel cannot run 32-bit programs: starting the 64-bit build of the same code."
    cmake -S "$ROOT" -B "$BUILD/win64" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$BUILD/win64" --target Mirelo
    exe="$BUILD/win64/bin/Mirelo.exe"
fi
source "$ROOT/scripts/wine_env.sh"
trap stop_test_env EXIT
start_display
make_prefix
set_window_management
"$WINE" "$exe" "$@"
