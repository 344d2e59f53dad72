#!/usr/bin/env bash
# Tests the web page in Chromium: builds the site (tools/build-web.sh), the native program
# (tools/build.sh) and out/world.kst as tools/convert-example.sh does, then drives Debian's
# Chromium with playwright-core (installed by npm from tests/web/package-lock.json) through the
# tests in tests/web/, one file after the other; each test file serves the site on 127.0.0.1.
# Screenshots of the page's views go to build-web/screenshots/, the placement view also to
# docs/web-placement.png.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --web
tools/build-web.sh
tools/convert-example.sh >/dev/null
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node --test --test-concurrency=1 --test-reporter=tap tests/web/*.test.mjs
