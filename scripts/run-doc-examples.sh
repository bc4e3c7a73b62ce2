#!/usr/bin/env bash
# Runs every example of the documentation, so the docs cannot drift from the program.
#   run-doc-examples.sh TAVRIN_RUN DOCS_DIR WORK_DIR
# In each docs/*.md, a fenced block opened with ```tvs is a script; one opened with
# ```json file=NAME is a form file written as NAME beside the scripts, so a script of the same page
# can load it. Every script runs with tavrin-run in WORK_DIR/<page>/ and must pass.
set -euo pipefail
run=$1 docs=$2 work=$3
status=0 count=0
for page in "$docs"/*.md; do
  name=$(basename "$page" .md)
  dir="$work/$name"
  rm -rf "$dir"
  mkdir -p "$dir"
  # Split the page: files first (so every script sees them), scripts numbered in page order.
  awk -v dir="$dir" '
    /^```/ && !inside {
      inside = 1; out = ""
      if ($1 == "```tvs") { out = sprintf("%s/example-%02d-line-%d.tvs", dir, ++n, NR) }
      else if ($1 == "```json" && $2 ~ /^file=/) { out = dir "/" substr($2, 6) }
      next
    }
    /^```/ && inside { inside = 0; if (out != "") close(out); next }
    inside && out != "" { print > out }
  ' "$page"
  for script in "$dir"/example-*.tvs; do
    [ -e "$script" ] || continue
    count=$((count + 1))
    if ! output=$("$run" --out "$dir" "$script" 2>&1); then
      echo "$page: the example in $(basename "$script") fails:"
      echo "$output"
      status=1
    fi
  done
done
echo "$count examples run"
[ "$count" -gt 0 ] || status=1
exit $status
