#!/usr/bin/env bash
# Builds the page that converts saves in the browser into build-web/site/:
# index.html with its style sheet and scripts, the conversion module
# (app/web, built with Debian's emscripten in build-wasm/, beside the command
# line's WebAssembly build, whose libraries it shares) and the bundled Data
# files inside the worker's script. The site works from any static host
# and opened from disk. Installs emscripten and Node when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-wasm
site=$PWD/build-web/site

source tools/wasm-setup.sh "$build"
cmake --build "$build" --target quillmere_web

rm -rf "$site"
mkdir -p "$site"
cp app/web/index.html app/web/page.css app/web/page.js "$site/"
python3 app/web/make_worker_script.py "$build/quillmere_web.js" "$build/quillmere_web.wasm" app/web/worker.js Data examples/example.kst >"$site/worker.js"
echo "Built $site/index.html"
