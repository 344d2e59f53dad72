#!/usr/bin/env bash
# Builds the site, the native program and its benchmarks, installs the browser driver, then
# runs bench/web_bench.mjs (arguments passed on).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --web
tools/build.sh >/dev/null
tools/build-web.sh >/dev/null
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node bench/web_bench.mjs "$@"
