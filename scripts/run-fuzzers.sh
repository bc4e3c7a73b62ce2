#!/usr/bin/env bash
# Runs every fuzzer of a fuzzing build for a bounded time, starting from its committed corpus.
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS
# New inputs go to BUILD_DIR/corpus (the committed corpus is not changed); a crash, a leak, a
# timeout or too much memory stops with the input saved in BUILD_DIR/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=${2:-30}
mkdir -p "$build/crashes"
for fuzzer in fuzz_form_file fuzz_script fuzz_png fuzz_statements; do
  work="$build/corpus/$fuzzer"
  mkdir -p "$work"
  echo "fuzzing $fuzzer for $seconds s"
  "$build/fuzz/$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$build/crashes/$fuzzer-" "$work" "fuzz/corpus/$fuzzer" \
    2>"$build/$fuzzer.log" || { tail -n 60 "$build/$fuzzer.log"; echo "$fuzzer failed"; exit 1; }
  grep -E '^stat::number_of_executed_units' "$build/$fuzzer.log" || true
done
