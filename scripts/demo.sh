#!/usr/bin/env bash
# The demo: runs the example scripts through the script host and writes their pictures.
set -euo pipefail
build=${1:-build}
out="$build/demo"
mkdir -p "$out"
"$build/tools/tavrin-run" --out "$out" examples/*.tvs
echo "pictures written to $out"
