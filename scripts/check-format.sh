#!/usr/bin/env bash
# Fails when a C++ file of the tree drifts from .clang-format, and says how to fix it.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format}
if [ "${1:-}" = "--fix" ]; then
  git ls-files '*.cpp' '*.h' | xargs "$format" -i
  exit 0
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! "$format" --dry-run --Werror "${files[@]}" 2>"$report"; then
  head -40 "$report"
  echo "formatting drift: run  scripts/check-format.sh --fix  (clang-format -i on the files above)"
  exit 1
fi
