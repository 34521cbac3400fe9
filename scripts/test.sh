#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# the platform-free core natively under the sanitizers, then the Windows build under Wine.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
"$ROOT/scripts/deps.sh" || exit 1
JOBS=$(nproc)

build() {  # build <dir> <target> [cmake args...]
    local dir=$1 target=$2; shift 2
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null &&
        cmake --build "$dir" -j "$JOBS" --target "$target"
}

echo "== Native build (sanitizers)"
build "$BUILD/native" all || exit 1
echo "== 32-bit Windows build"
# Where the tests cannot run 32-bit programs, only the program itself is built for 32 bits.
win32_target=all
[ "$MIRELO_TEST_ARCH" = win64 ] && win32_target=Mirelo
build "$BUILD/win32" "$win32_target" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" || exit 1
if [ "$MIRELO_TEST_ARCH" = win64 ]; then
    echo "== 64-bit Windows build (this kernel cannot run 32-bit programs; tests use it)"
    build "$BUILD/win64" all -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" || exit 1
fi

source "$ROOT/scripts/wine_env.sh"
trap stop_test_env EXIT
start_test_env || exit 1

summary() {  # reads ctest output, prints "passed failed"
    sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -1
}

status=0
echo "== Native tests"
(cd "$BUILD/native" && ctest --output-on-failure -j "$JOBS") 2>&1 | tee "$BUILD/native-ctest.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
echo "== Windows tests under Wine ($MIRELO_TEST_ARCH)"
(cd "$BUILD/$MIRELO_TEST_ARCH" && ctest --output-on-failure --timeout 300) 2>&1 | tee "$BUILD/wine-ctest.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
if [ "$MIRELO_TEST_ARCH" = win64 ]; then
    echo "== 32-bit Mirelo.exe checks"
    (cd "$BUILD/win32" && ctest --output-on-failure -L static) 2>&1 | tee "$BUILD/win32-ctest.log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
fi

failed=0; total=0
for log in "$BUILD"/native-ctest.log "$BUILD"/wine-ctest.log "$BUILD"/win32-ctest.log; do
    [ -f "$log" ] || continue
    read -r f t <<<"$(summary "$log")"
    failed=$((failed + ${f:-0})); total=$((total + ${t:-0}))
done
rm -f "$BUILD/win32-ctest.log"
[ "$total" -gt 0 ] || status=1
echo "$((total - failed)) passed, $failed failed"
exit $status
