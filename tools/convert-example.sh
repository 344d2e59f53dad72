#!/usr/bin/env bash
# Sets up, builds, and converts the bundled example save into out/example.kst.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
mkdir -p out
build/quillmere format examples/example.kst out/example.kst
echo "Written: out/example.kst"
