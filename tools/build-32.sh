#!/usr/bin/env bash
# Builds the conversion core and the command-line program as 32-bit x86
# programs into build-32/ (Release, without tests, benchmarks and manual page),
# the way a WebAssembly target sees them: 4-byte pointers, size_t and long, and
# numbers converted without the library's floating-point to_chars and
# from_chars. Installs g++-multilib, and qemu-user for machines whose kernel does
# not run 32-bit programs. Then prints how to run the golden cases against it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --32
cmake -S . -B build-32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-m32 \
  -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF -DQUILLMERE_PORTABLE_NUMBERS=ON >/dev/null
cmake --build build-32 --target quillmere
emulator=""
build-32/quillmere --version >/dev/null 2>&1 || emulator="qemu-i386"
echo "Built build-32/quillmere. The golden cases against it, from the 64-bit build's tests:"
echo "  QUILLMERE_CLI_OVERRIDE=$PWD/build-32/quillmere QUILLMERE_CLI_EMULATOR=$emulator" \
  "ctest --test-dir build -R Golden"
