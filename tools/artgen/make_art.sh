#!/usr/bin/env bash
# Rebuilds the artwork generator and regenerates resources/art/ and
# resources/art.rc from scratch.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${ARTGEN_BUILD:-${TMPDIR:-/tmp}/artgen-build}"

mkdir -p "$build"
g++ -O2 -std=c++17 -Wall -Wextra -o "$build/artgen" "$here/artgen.cpp"

rm -rf "$root/resources/art"
mkdir -p "$root/resources/art"
"$build/artgen" "$root/resources"
echo "artwork written to $root/resources/art"
