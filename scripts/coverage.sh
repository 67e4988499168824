#!/usr/bin/env bash
# Builds the coverage configuration, runs every test (the end-to-end tests start
# the real programs, which add their own counts) and reports line and branch
# coverage over src/. The gcovr options stay fixed so that runs compare.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-2}"
build=build/coverage

cmake --preset coverage >/dev/null
cmake --build --preset coverage -j "$jobs"
find "$build" -name '*.gcda' -delete
QT_QPA_PLATFORM=offscreen ctest --preset coverage -j "$jobs" || echo "coverage: some tests failed" >&2

# Only the shipped code counts; throw-away branches the compiler adds for
# exception unwinding are left out, or every call would count as a branch.
gcovr -r . --object-directory "$build" \
  --filter 'src/' --exclude 'bench/' --exclude 'fuzz/' --exclude 'tests/' \
  --exclude-throw-branches --exclude-unreachable-branches \
  -j "$jobs" --print-summary --txt "$build/report.txt" >"$build/summary.txt"
grep -E '^(lines|branches):' "$build/summary.txt"
