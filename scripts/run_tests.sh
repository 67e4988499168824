#!/usr/bin/env bash
# Installs what is missing, builds the debug configuration and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install_deps.sh
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --preset debug -j "$(nproc)"
