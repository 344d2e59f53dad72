#!/usr/bin/env bash
# Runs every golden case against another build of the command-line program
# (32-bit, WebAssembly, Windows), through the native build's golden runner and
# ctest, whose closing lines count the cases.
# Usage: tools/run-golden.sh PROGRAM [--emulator COMMAND] [--shown-as NAME] [--no-terminal] [--retry]
#   --emulator    what starts the program (qemu-i386, wine)
#   --shown-as    the program's own path as it prints it in its usage lines
#   --no-terminal the program cannot tell a terminal: the cases typed on one are
#                 skipped, and listed first
#   --retry       a case that fails is run once more: wine now and then fails to
#                 start a program at all (it ends at once with exit code 1 and
#                 prints nothing), which says nothing of the program
set -euo pipefail
cd "$(dirname "$0")/.."
export QUILLMERE_CLI_OVERRIDE=$1
shift
repeat=()
while [ $# -gt 0 ]; do
  case "$1" in
    --emulator) export QUILLMERE_CLI_EMULATOR=$2; shift ;;
    --shown-as) export QUILLMERE_CLI_SHOWN_AS=$2; shift ;;
    --no-terminal)
      export QUILLMERE_CLI_NO_TERMINAL=1
      echo "Golden cases skipped: typed on a terminal, which the program run this way does not see as one:"
      for typed in tests/golden/*/stdin.txt; do
        [ -e "$typed" ] && echo "  $(basename "$(dirname "$typed")")"
      done
      ;;
    --retry) repeat=(--repeat until-pass:2) ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
  shift
done
tools/build.sh >/dev/null
ctest --test-dir build -R '^Cases/Golden\.' --output-on-failure -j2 --timeout 300 "${repeat[@]}"
