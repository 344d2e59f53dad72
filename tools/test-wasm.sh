#!/usr/bin/env bash
# The WebAssembly build in continuous integration: builds it (tools/build-wasm.sh)
# and runs every golden case against build-wasm/quillmere under Node, through the
# native build's golden runner (tools/build.sh, which has nothing to do when the
# native build is current) and ctest, whose closing lines count the cases. The
# cases typed on a terminal are skipped, and listed first with the reason. Then
# the world example and a generated 40 MB save must give the native scenarios.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
tools/build-wasm.sh

echo "Golden cases skipped under WebAssembly (typed on a terminal, and every standard stream"
echo "there claims to be one, so the program asks no questions):"
for typed in tests/golden/*/stdin.txt; do
  [ -e "$typed" ] && echo "  $(basename "$(dirname "$typed")")"
done
QUILLMERE_CLI_OVERRIDE=$PWD/build-wasm/quillmere QUILLMERE_CLI_NO_TERMINAL=1 \
  ctest --test-dir build -R '^Cases/Golden\.' --output-on-failure -j2 --timeout 300

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
