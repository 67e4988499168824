#!/usr/bin/env bash
# Installs what is missing, builds korvane and runs it on the bundled sample
# tool root: first headless, then the window (under Xvfb when there is no
# display, saving a screenshot to build/sample-window.png).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install_deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target korvane
bin=build/release/src/korvane/korvane
root="$PWD/samples/Tools"

echo "== korvane -batch on the sample tool root"
"$bin" -batch -Yes -Root "$root" -Ini "$root/Korvane.INI"
echo "exit status $?"

if [ -n "${DISPLAY:-}" ]; then
  exec "$bin" -Root "$root" -Ini "$root/Korvane.INI"
fi
echo "== korvane window under Xvfb"
xvfb-run -a -s "-screen 0 1280x900x24" bash -c "
  '$bin' -Root '$root' -Ini '$root/Korvane.INI' &
  pid=\$!
  sleep 4
  import -window root build/sample-window.png
  kill \$pid"
echo "screenshot: build/sample-window.png"
