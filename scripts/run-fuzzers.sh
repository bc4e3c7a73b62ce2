#!/usr/bin/env bash
# Runs every fuzzer of a fuzzing build for a bounded time, starting from its committed corpus.
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS
#   scripts/run-fuzzers.sh --available   (succeeds where clang++-14 can link a libFuzzer target)
# New inputs go to BUILD_DIR/corpus (the committed corpus is not changed); a crash, a leak, a
# timeout or too much memory stops with the input saved in BUILD_DIR/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--available" ]; then
  command -v clang++-14 > /dev/null || exit 1
  probe=$(mktemp -d)
  trap 'rm -rf "$probe"' EXIT
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    > "$probe/probe.cpp"
  clang++-14 -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2> /dev/null
  exit
fi
build=$1
seconds=${2:-30}
mkdir -p "$build/crashes"
for fuzzer in fuzz_form_file fuzz_script fuzz_png fuzz_statements; do
  work="$build/corpus/$fuzzer"
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$fuzzer" ] && seeds=("fuzz/corpus/$fuzzer")
  echo "fuzzing $fuzzer for $seconds s"
  "$build/fuzz/$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$build/crashes/$fuzzer-" "$work" "${seeds[@]}" \
    2>"$build/$fuzzer.log" || { tail -n 60 "$build/$fuzzer.log"; echo "$fuzzer failed"; exit 1; }
  grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE)' "$build/$fuzzer.log" || true
done
