#!/usr/bin/env bash
# Builds the Debian package of the command-line program: build-deb/quillmere_VERSION_ARCH.deb.
# With --check it then unpacks the package into a scratch root and tries what it
# installed: --version gives the package's version, the manual page renders
# without a warning, and the installed program converts the bundled example
# from an empty folder, finding its data in share/.
# Usage: tools/package-deb.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-deb

tools/install-deps.sh --package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF >/dev/null
cmake --build "$build"
rm -f "$build"/quillmere_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quillmere_*.deb)
echo "Package: $deb"
[ "${1:-}" = "--check" ] || exit 0

scratch=$(mktemp -d /tmp/quillmere-deb.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb --info "$deb" | sed -n 's/^ \(Package\|Version\|Depends\|Maintainer\):/  \1:/p'
dpkg -x "$deb" "$scratch/root"
program=$scratch/root/usr/bin/quillmere

version=$(dpkg-deb --field "$deb" Version)
shown=$("$program" --version)
[ "$shown" = "quillmere $version" ] || { echo "--version says '$shown', the package $version" >&2; exit 1; }

zcat "$scratch/root/usr/share/man/man1/quillmere.1.gz" >"$scratch/quillmere.1"
MANWIDTH=80 man --warnings -l "$scratch/quillmere.1" 2>"$scratch/man-warnings" >/dev/null
[ ! -s "$scratch/man-warnings" ] || { cat "$scratch/man-warnings" >&2; exit 1; }

mkdir "$scratch/empty"
(cd "$scratch/empty" && "$program" convert "$root/examples/example.kst" example.kst \
  --assign "$root/examples/example-plan.txt" >"$scratch/convert.log")
grep -q '^File saved successfully!$' "$scratch/convert.log"
"$program" check "$scratch/empty/example.kst" >/dev/null
echo "Checked: $version installs, shows its version and manual, and converts the example from an empty folder"
