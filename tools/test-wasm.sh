#!/usr/bin/env bash
# The WebAssembly build in continuous integration: builds it (tools/build-wasm.sh)
# and runs every golden case against build-wasm/quillmere under Node, through the
# native build's golden runner (tools/build.sh, which has nothing to do when the
# native build is current) and ctest, whose closing lines count the cases. The
# cases typed on a terminal are skipped, and listed first with the reason.
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
