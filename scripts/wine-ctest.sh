#!/usr/bin/env bash
# Runs ctest in the Windows build with the test environment up (prefix, display, server):
#   bash scripts/wine-ctest.sh [ctest arguments...]
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
start_test_env >/dev/null || exit 1
cd "$BUILD/$MIRELO_TEST_ARCH" && ctest "$@"
