#!/usr/bin/env bash
# Builds the conversion core and the command-line program for WebAssembly with
# Debian's emscripten into build-wasm/ (Release; no tests or manual page; of the
# benchmarks only the in-process one, built on request): build-wasm/quillmere.js and quillmere.wasm, and build-wasm/quillmere,
# which runs them under Node on the real file system with the same arguments,
# exit codes and file handling as the native program. Installs emscripten and
# Node when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-wasm

tools/install-deps.sh --wasm

# emcc looks in no system folder: the header-only libraries are handed over in a
# folder of their own. Its optimiser runs JavaScript tools from Debian's node
# packages.
mkdir -p "$build/include"
ln -sfn /usr/include/CLI "$build/include/CLI"
ln -sfn /usr/include/nlohmann "$build/include/nlohmann"
export NODE_PATH=/usr/share/nodejs

emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF \
  -DQUILLMERE_BENCH=ON -DCLI11_INCLUDE_DIR="$build/include" \
  -DNLOHMANN_JSON_INCLUDE_DIR="$build/include" >/dev/null
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
