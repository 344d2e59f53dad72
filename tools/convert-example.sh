#!/usr/bin/env bash
# Sets up, builds, and converts the bundled whole-world example save
# examples/world.kst into out/world.kst, with the plan examples/world-plan.txt
# giving its uncolonised provinces to their neighbours, and writes the report of
# the run beside it, out/world-report.md.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
mkdir -p out
# The options of the conversion, one per line.
options=(
  --assign examples/world-plan.txt
  --report out/world-report.md
)
build/quillmere convert examples/world.kst out/world.kst "${options[@]}"
echo "Written: out/world.kst and its report out/world-report.md"
