#!/usr/bin/env bash
# Makes the Windows release package from a finished cross-build:
#   BUILD_DIR/quillmere-VERSION-windows.zip, holding one folder quillmere-VERSION
#   with quillmere.exe, quillmere-cli.exe, the Data folder and README.txt.
# Usage: tools/package-windows.sh [BUILD_DIR]   (default: build-win)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(cd "${1:-build-win}" && pwd)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
name=quillmere-$version
stage=$build/package/$name
zip=$build/$name-windows.zip

rm -rf "$build/package" "$zip"
mkdir -p "$stage"
cp "$build/quillmere.exe" "$build/quillmere-cli.exe" "$stage/"
cp -r "$root/Data" "$stage/"
# Windows line ends, for Notepad.
sed 's/$/\r/' "$root/app/win/package-readme.txt" >"$stage/README.txt"
(cd "$build/package" && cmake -E tar cf "$zip" --format=zip "$name")
echo "Package: $zip"
