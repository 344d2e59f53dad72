#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quillmere needs.
# Usage: tools/install-deps.sh [--fuzz] [--package] [--32] [--wasm] [--web]
#   --fuzz adds clang for the fuzz targets; --package what building and checking
#   the Debian package needs; --32 the 32-bit compiler and libraries, and
#   qemu-i386 to run 32-bit programs where the kernel does not; --wasm emscripten
#   and Node for the WebAssembly build; --web those and, for the tests of the
#   web page, Chromium and npm (which installs the library driving the browser).
set -euo pipefail

packages=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev help2man
          nlohmann-json3-dev python3-jsonschema strace)
for arg in "$@"; do
  case "$arg" in
    --wasm) packages+=(emscripten nodejs) ;;
    --web) packages+=(emscripten nodejs chromium)
           # Node from elsewhere than Debian brings its own npm, which Debian's would conflict with.
           command -v npm >/dev/null || packages+=(npm) ;;
    --fuzz) packages+=(clang libclang-rt-dev) ;;
    --package) packages+=(dpkg-dev file man-db) ;;
    --32) packages+=(g++-multilib qemu-user) ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
