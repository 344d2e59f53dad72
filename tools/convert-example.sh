#!/usr/bin/env bash
# Sets up, builds, and converts the bundled example save into out/example.kst.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
mkdir -p out
build/quillmere convert examples/example.kst out/example.kst --assign examples/example-plan.txt
echo "Written: out/example.kst"
