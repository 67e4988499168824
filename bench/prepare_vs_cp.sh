#!/bin/sh
# Times building the input structure of 9,998 sources of 10 KB with copy expansion from
# 2,000 members against "cp -r" of the same sources and labels, in one run on the same
# disk, and reports the peak memory of the build. Usage: prepare_vs_cp.sh <build dir>
set -eu
build=${1:?build directory with prepare_structure_run}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/prepare_structure_run" generate "$work/job"
start=$(date +%s%N)
mkdir "$work/copy"
cp -r "$work/job/SourceCollection" "$work/job/LabelCollection" "$work/copy/"
end=$(date +%s%N)
echo "cp -r: $(((end - start) / 1000000)) ms"
/usr/bin/time -f "peak memory: %M KB" "$build/bench/prepare_structure_run" build "$work/job"
echo "written: $(du -sk "$work/job/Workinp" | cut -f1) KB in Workinp"
