#!/usr/bin/env bash
# Counts the lines of C++ under tests/ and src/ that are neither blank nor only
# a // comment, and the share of the tests. With folder arguments, counts each.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 -r cat | grep -cvE '^[[:space:]]*(//.*)?$' || true
}

if [ $# -gt 0 ]; then
  for dir in "$@"; do printf '%6d %s\n' "$(count "$dir")" "$dir"; done
  exit 0
fi
tests=$(count tests)
src=$(count src)
echo "tests: $tests"
echo "src:   $src"
awk -v t="$tests" -v s="$src" 'BEGIN { printf "share: %.1f%%\n", 100 * t / s }'
