#!/usr/bin/env bash
# Builds the conversion core and the command-line program for WebAssembly with
# Debian's emscripten into build-wasm/ (Release): build-wasm/quillmere.js and
# quillmere.wasm, and build-wasm/quillmere, which runs them under Node on the
# real file system with the same arguments, exit codes and file handling as the
# native program. Installs emscripten and
# Node when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-wasm

source tools/wasm-setup.sh "$build"
cmake --build "$build" --target quillmere

# The program as a user runs it. Node is the interpreter of this file, so the
# program's own name (in its usage lines) is this file's path; without fetch,
# the loader reads quillmere.wasm from the disk.
cat >"$build/quillmere" <<'SCRIPT'
#!/usr/bin/env -S node --no-experimental-fetch
require(__dirname + "/quillmere.js");
SCRIPT
chmod +x "$build/quillmere"
echo "Built $build/quillmere"
