#!/usr/bin/env bash
# The WebAssembly build in continuous integration: builds it (tools/build-wasm.sh)
# and runs every golden case against build-wasm/quillmere under Node
# (tools/run-golden.sh; the cases typed on a terminal are skipped, and listed
# first with the reason). Then the world example and a generated 40 MB save
# must give the native scenarios.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
tools/build-wasm.sh

# Every standard stream under Node claims to be a terminal, so the program asks
# no questions there.
tools/run-golden.sh "$PWD/build-wasm/quillmere" --no-terminal

# The world example and a generated 40 MB save give the native build's scenarios.
for save in examples/world.kst build-wasm/save40.kst; do
  [ "$save" = build-wasm/save40.kst ] && build/bench/quillmere_gen_save "$save" 40 >/dev/null
  placement=(--assign-rest ENG)
  [ "$save" = examples/world.kst ] && placement=(--assign examples/world-plan.txt)
  for program in build/quillmere build-wasm/quillmere; do
    "$program" convert "$save" "build-wasm/$(basename "$save" .kst)-$(basename "$(dirname "$program")").kst" \
      --data Data "${placement[@]}" >/dev/null
  done
  cmp "build-wasm/$(basename "$save" .kst)-build.kst" "build-wasm/$(basename "$save" .kst)-build-wasm.kst"
  echo "$save: the WebAssembly build's scenario is the native build's, byte for byte"
done
