#!/usr/bin/env bash
# Builds the fuzz targets with the "fuzz" preset and runs each one for a bounded time.
# Fails as soon as one of them finds a crash, a sanitizer report or a broken invariant.
#
#   fuzz/run_fuzzers.sh [seconds-per-target]      (default 30)
#
# KORVANE_FUZZ_BUILD_DIR puts the build somewhere other than the preset's folder.
# Crash inputs are kept in <build>/fuzz-artifacts, corpora in <build>/fuzz-corpus/<name>.
set -euo pipefail

seconds="${1:-30}"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$source_dir"

if [[ -n "${KORVANE_FUZZ_BUILD_DIR:-}" ]]; then
  build_dir="$KORVANE_FUZZ_BUILD_DIR"
  cmake --preset fuzz -B "$build_dir"
  cmake --build "$build_dir" --target korvane_fuzzers -j 2
else
  build_dir="$source_dir/build/fuzz"
  cmake --preset fuzz
  cmake --build --preset fuzz --target korvane_fuzzers -j 2
fi

artifacts="$build_dir/fuzz-artifacts"
mkdir -p "$artifacts"

mapfile -t targets < <(find "$build_dir/fuzz" -maxdepth 1 -type f -name '*_fuzz' -perm -u+x | sort)
if [[ ${#targets[@]} -eq 0 ]]; then
  echo "no fuzz targets were built" >&2
  exit 1
fi

failed=()
for target in "${targets[@]}"; do
  name="$(basename "$target")"
  corpus="$build_dir/fuzz-corpus/$name"
  mkdir -p "$corpus"
  echo "=== $name (${seconds}s)"
  if ! "$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$artifacts/$name-" -print_final_stats=1 >"$build_dir/$name.log" 2>&1; then
    echo "FAILED: $name (see $build_dir/$name.log)" >&2
    tail -n 40 "$build_dir/$name.log" >&2
    failed+=("$name")
  else
    grep -E '^stat::number_of_executed_units' "$build_dir/$name.log" || true
  fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "fuzz targets with failures: ${failed[*]}" >&2
  exit 1
fi
echo "all ${#targets[@]} fuzz targets ran clean"
