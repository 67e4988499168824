#!/usr/bin/env bash
# Counts the places below the composition root (core/app) that look a window
# component up by name or downcast one, outside the form binding and the job-file
# codec, which exist for that. With a git revision, counts that revision instead.
set -euo pipefail
cd "$(dirname "$0")/.."
rev=${1:-}
files() {
  if [ -n "$rev" ]; then git grep -nE "$1" "$rev" -- 'src/korvane/core/*.cpp' 'src/korvane/core/*.h'
  else git grep -nE "$1" -- 'src/korvane/core/*.cpp' 'src/korvane/core/*.h'; fi
}
below_app() { grep -vE 'core/(app|components|form)/|core/project/job_file' || true; }
lookups=$(files '(form|form_|\.form)\.(Get<|Get\(|Find\()|Get<[A-Za-z]+>\((n|names)::' | below_app | wc -l)
casts=$(files 'dynamic_cast<' | below_app | wc -l)
forms=$(files '\bFormModel\b' | below_app | wc -l)
echo "component lookups by name: $lookups"
echo "dynamic_casts:             $casts"
echo "lines naming FormModel:    $forms"
