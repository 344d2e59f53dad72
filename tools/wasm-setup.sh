# Sourced by tools/build-wasm.sh and tools/build-web.sh with a build folder:
# installs emscripten and Node when they are missing and configures the folder
# for a Release build with emscripten (no tests or manual page; of the
# benchmarks only the one inside a process, built when asked for).
# emcc looks in no system folder: the header-only libraries are handed over in
# a folder of their own. Its optimiser runs JavaScript tools from Debian's node
# packages, hence NODE_PATH, which the build that follows needs as well.
tools/install-deps.sh --wasm

mkdir -p "$1/include"
ln -sfn /usr/include/CLI "$1/include/CLI"
ln -sfn /usr/include/nlohmann "$1/include/nlohmann"
export NODE_PATH=/usr/share/nodejs

emcmake cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF \
  -DQUILLMERE_BENCH=ON -DCLI11_INCLUDE_DIR="$1/include" \
  -DNLOHMANN_JSON_INCLUDE_DIR="$1/include" >/dev/null
