#!/usr/bin/env bash
# Cross-builds the Windows targets (preset "windows": mingw-w64, no Qt) and runs
# their tests under Wine, headless, in a throwaway Wine prefix that is removed
# afterwards. Needs g++-mingw-w64-x86-64-posix and wine64 (scripts/install_deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-wine.XXXXXX")
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs, no display: nothing may wait for a person.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# The prefix is made once, before any test starts Wine in parallel.
wineboot -i </dev/null >/dev/null 2>&1 || /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
"$wineserver" -w

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
ctest --preset windows -j "$(nproc)" </dev/null
