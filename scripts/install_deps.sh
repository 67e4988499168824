#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the sample run need,
# only those that are missing. The Windows cross build needs mingw-w64 with
# the posix thread model, GoogleTest's sources and wine64, which runs 64-bit
# programs on its own (no i386 architecture needed).
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
          libbenchmark-dev qt6-base-dev libgl-dev xvfb xauth imagemagick unrtf
          nasm dosbox nlohmann-json3-dev python3-jsonschema
          lintian desktop-file-utils appstream shared-mime-info xdg-utils dpkg-dev file
          librsvg2-bin man-db ccache
          munge slurmctld slurmd slurm-client
          g++-mingw-w64-x86-64-posix googletest wine64)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
