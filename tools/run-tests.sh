#!/usr/bin/env bash
# Sets up, builds and runs every test: the native build's with ctest, then the web page's in
# Chromium (tools/test-web.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
ctest --test-dir build --output-on-failure -j2 --timeout 300
tools/test-web.sh
