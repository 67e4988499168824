#!/usr/bin/env bash
# Fails when a library includes a layer above its own: the cores are stacked
#   platform < common < components < form < config < project < sources < wordlist < prepare
#   < viewer < marker < run < app < ui
# and each may include only its own layer and those below. No core file and no
# platform file may include Qt.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(common components form config project sources wordlist prepare viewer marker run app)
status=0

# rank <layer>: its place in the stack, platform being 0.
rank() {
  local i
  for i in "${!layers[@]}"; do
    if [ "${layers[$i]}" = "$1" ]; then echo $((i + 1)); return; fi
  done
  echo 99
}

check_folder() {  # <folder> <rank of its layer>
  local folder=$1 own=$2 line file target
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's#.*"korvane/core/([a-z_]+)/.*#\1#' <<<"$line")
    if [ "$(rank "$target")" -gt "$own" ]; then
      echo "layering: $file includes the higher layer '$target'" >&2
      status=1
    fi
  done < <(grep -rHn '#include "korvane/core/' "$folder" || true)
}

for layer in "${layers[@]}"; do
  check_folder "src/korvane/core/$layer" "$(rank "$layer")"
done
if grep -rHn '#include "korvane/' src/platform; then
  echo "layering: the platform layer includes the shell" >&2
  status=1
fi
if grep -rHnE '#include <Q' src/platform src/korvane/core; then
  echo "layering: Qt included below the view" >&2
  status=1
fi
if grep -rHn '#include "korvane/ui/' src/korvane/core src/platform; then
  echo "layering: a core file includes the view" >&2
  status=1
fi
# The PL/I front-end's core stands on the platform layer alone.
if grep -rHnE '#include <Q|#include "(korvane|stelmar/ui)/' src/stelmar/core; then
  echo "layering: the stelmar core includes Qt, the shell or its own view" >&2
  status=1
fi
if grep -rHn '#include "stelmar/' src/platform src/korvane; then
  echo "layering: the platform layer or the shell includes stelmar" >&2
  status=1
fi
exit $status
