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
[ "$MIRELO_TEST_ARCH" = win64 ] && win32_target=installer
build "$BUILD/win32" "$win32_target" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" || exit 1
if [ "$MIRELO_TEST_ARCH" = win64 ]; then
    echo "== 64-bit Windows build (this kernel cannot run 32-bit programs; tests use it)"
    build "$BUILD/win64" all -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" || exit 1
fi

source "$ROOT/scripts/wine_env.sh"
trap stop_test_env EXIT
start_test_env || exit 1

summary() {  # reads ctest output, prints "failed total"
    sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -1
}
# The Windows test programs run all their tests in one ctest test each: their own XML results
# say how many tests ran and failed. A program that failed without saying so (it died, or
# wrote no results) counts as one more failed test. Every other ctest test counts as one.
windows_summary() {  # windows_summary <build dir> <ctest log>: prints "failed total"
    local dir=$1 log=$2 f=0 t=0 line name xml n k
    while read -r line; do
        name=$(sed -n 's/.*Test *#[0-9]*: \([^ ]*\) .*/\1/p' <<<"$line")
        [ -n "$name" ] || continue
        xml="$dir/gtest-results/${name#wine.}.xml"
        if [[ $name == wine.* ]] && grep -q '<testsuites' "$xml" 2>/dev/null; then
            n=$(sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' "$xml" | head -1)
            k=$(sed -n 's/.*<testsuites tests="[0-9]*" failures="\([0-9]*\)".*/\1/p' "$xml" | head -1)
            t=$((t + n)); f=$((f + k))
            if [[ $line != *" Passed "* ]] && [ "$k" -eq 0 ]; then t=$((t + 1)); f=$((f + 1)); fi
        else
            t=$((t + 1))
            [[ $line == *" Passed "* ]] || f=$((f + 1))
        fi
    done < <(grep 'Test *#[0-9]*:' "$log")
    echo "$f $t"
}

status=0
echo "== Native tests"
(cd "$BUILD/native" && ctest --output-on-failure -j "$JOBS") 2>&1 | tee "$BUILD/native-ctest.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
echo "== Windows tests under Wine ($MIRELO_TEST_ARCH)"
rm -rf "$BUILD/$MIRELO_TEST_ARCH/gtest-results"; mkdir -p "$BUILD/$MIRELO_TEST_ARCH/gtest-results"
(cd "$BUILD/$MIRELO_TEST_ARCH" && ctest --output-on-failure --timeout 900) 2>&1 | tee "$BUILD/wine-ctest.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
if [ "$MIRELO_TEST_ARCH" = win64 ]; then
    echo "== 32-bit Mirelo.exe checks"
    (cd "$BUILD/win32" && ctest --output-on-failure -L static) 2>&1 | tee "$BUILD/win32-ctest.log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
fi

failed=0; total=0
for log in "$BUILD"/native-ctest.log "$BUILD"/win32-ctest.log; do
    [ -f "$log" ] || continue
    read -r f t <<<"$(summary "$log")"
    failed=$((failed + ${f:-0})); total=$((total + ${t:-0}))
done
read -r f t <<<"$(windows_summary "$BUILD/$MIRELO_TEST_ARCH" "$BUILD/wine-ctest.log")"
failed=$((failed + ${f:-0})); total=$((total + ${t:-0}))
rm -f "$BUILD/win32-ctest.log"
[ "$total" -gt 0 ] || status=1
echo "$((total - failed)) passed, $failed failed"
exit $status
