#!/usr/bin/env bash
# The demo: runs the example scripts through the script host, the C++ example and the gallery,
# and writes their pictures into BUILD/demo.
set -euo pipefail
build=${1:-build}
out="$build/demo"
mkdir -p "$out"
"$build/tools/tavrin-run" --out "$out" examples/*.tvs
"$build/examples/hello-list" "$out/hello-list.png"
# The example applications, each drawn once without a window.
for example in todo files movers; do
  "$build/examples/$example" --headless "$out/$example.png"
done
"$build/tools/tavrin-gallery" "$out"
"$build/tools/tavrin-sampler" "$out/sampler.png"
echo "pictures written to $out:"
ls "$out"
