#!/bin/bash
# From "Start wrapper" to the first tool running, for a job of 1,000 sources (the sample's
# four COBOL sources copied 250 times each): the time to open and save the job alone, the
# time until the first tool's first console line reaches the shell and the whole run; then,
# as the baseline, copying the sources with cp and running the same batch file with the
# batch runner alone, in one run.
# Usage: start_latency.sh <build dir>   (a build with its tool root)
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
samples=$(cd "$(dirname "$0")/../samples" && pwd)
root=$build/toolroot
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src" "$work/out/SourceCollection" "$work/out/CopyCollection"
cp "$samples"/jobs/cobol/copylib/* "$work/out/CopyCollection/"

marks=()
entries=()
for i in $(seq -w 1 250); do
  for name in ACCTUPD CUSTINQ CUSTRPT INTCALC; do
    file="$name$i.cbl"
    cp "$samples/jobs/cobol/$name.cbl" "$work/src/$file"
    cp "$work/src/$file" "$work/out/SourceCollection/$file"
    marks+=("$file.WrpT=Module")
    entries+=("YY$file=$work/src/$file")
  done
done
{
  sed -n '1,13p' "$samples/jobs/cobol/Customer.jwrap.in"
  (IFS=,; echo "StLHWrapperMarks=(${marks[*]})")
  sed -n '15,28p' "$samples/jobs/cobol/Customer.jwrap.in"
  echo "CheckListBoxSelectedFiles=CheckListBoxSelectedFiles"
  printf '%s\n' "${entries[@]}"
  echo "[Konyec szkazki]"
} | sed -e "s#@JOBDIR@/out#$work/out#g" -e "s#@JOBDIR@#$work#g" -e "s#@SAMPLES@#$samples#g" \
  >"$work/Big.jwrap"
cp "$work/Big.jwrap" "$work/Big.orig"

export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
args=(-batch -Yes -Root "$root" -Ini "$root/Korvane.INI" -Proj "$work/Big.jwrap")
now() { date +%s%N; }

# The first opening writes a label file per source; the second is what a run starts from.
for round in first second; do
  cp "$work/Big.orig" "$work/Big.jwrap"
  start=$(now)
  "$build/src/korvane/korvane" "${args[@]}" >/dev/null 2>&1
  echo "$round opening and saving of the job alone: $((($(now) - start) / 1000000)) ms"
done

cp "$work/Big.orig" "$work/Big.jwrap"
start=$(now)
first=""
while IFS= read -r line; do
  if [ -z "$first" ]; then
    first=$(now)
    echo "first console line after: $(((first - start) / 1000000)) ms ($line)"
  fi
done < <("$build/src/korvane/korvane" "${args[@]}" -ar Anal 2>"$work/err")
tail -3 "$work/err" >&2
echo "whole run of 1,000 tool starts: $((($(now) - start) / 1000000)) ms"

start=$(now)
cp -r "$work/out/SourceCollection" "$work/copied"
echo "baseline cp -r of the sources: $((($(now) - start) / 1000000)) ms"
start=$(now)
(cd "$work/out" && "$build/src/korvane/korvane-batch-runner" lastbatch.cmd >/dev/null 2>&1)
echo "baseline batch file alone: $((($(now) - start) / 1000000)) ms"
