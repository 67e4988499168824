#!/bin/sh
# Times adding a tree of 9,998 sources of 10 KB to a job against "cp -r" of the
# same tree, in one run on the same disk. Usage: add_directory_vs_cp.sh <build dir>
set -eu
build=${1:?build directory with add_directory_bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
body=$(head -c 10240 /dev/zero | tr '\0' x)
i=0
while [ $i -lt 9998 ]; do
  d="$work/tree/dir$((i / 100))"
  [ $((i % 100)) -eq 0 ] && mkdir -p "$d"
  printf '%s' "$body" >"$d/PROG$i.cbl"
  i=$((i + 1))
done
# Both sides copy the tree once into a folder that never existed: deleting ten
# thousand files just before makes the file system slower at creating the next
# ones, which would blur the comparison.
start=$(date +%s%N)
cp -r "$work/tree" "$work/copy"
end=$(date +%s%N)
echo "cp -r: $(((end - start) / 1000000)) ms"
KORVANE_BENCH_TREE="$work/tree" "$build/bench/add_directory_bench" \
  --benchmark_filter=BM_AddDirectoryTreeOnce
