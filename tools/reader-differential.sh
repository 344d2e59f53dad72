#!/usr/bin/env bash
# The script reader and writer against an earlier version of themselves:
#
#   tools/reader-differential.sh [REVISION] [--quick]
#
# builds the program of REVISION (by default 281e1fc, before the reader was
# rewritten for speed) in build-differential/REVISION and the current one in
# build/, then runs "check FILE" and "format FILE OUT" of both on every file
# of the shared corpus (/work/shared/corpus, or $QUILLMERE_CORPUS), of
# tests/golden, tests/data and examples, of the fuzz corpora (build-fuzz/corpus-*),
# and on generated saves (several sizes and shapes, LF and CR LF) and damaged
# copies of them (cut short at several places, bytes overwritten). Standard
# output, standard error, exit code and the formatted file must be the same
# byte for byte. Prints the number of files and bytes compared and every
# difference; exits with 1 when there is one. --quick leaves out the large saves.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

revision=281e1fc
quick=0
for arg in "$@"; do
  case "$arg" in
    --quick) quick=1 ;;
    *) revision=$arg ;;
  esac
done
corpus=${QUILLMERE_CORPUS:-/work/shared/corpus}

old_build=$root/build-differential/$revision
work=$root/build-differential/work
new_program=$work/quillmere  # a copy of build/quillmere, which a rebuild meanwhile leaves alone
old_program=$old_build/build/quillmere
generator=$root/build/bench/quillmere_gen_save

# The earlier program, built once per revision from its own sources.
if [ ! -x "$old_program" ]; then
  rm -rf "$old_build"
  mkdir -p "$old_build/src"
  git archive "$revision" | tar -x -C "$old_build/src"
  cmake -S "$old_build/src" -B "$old_build/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF >/dev/null
  cmake --build "$old_build/build" --target quillmere -j2 >/dev/null
fi
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build build --target quillmere quillmere_gen_save -j2 >/dev/null

rm -rf "$work"
mkdir -p "$work/generated" "$work/old" "$work/new"
cp build/quillmere "$new_program"

# Generated saves: sizes in millions of bytes, both line ends, with and without
# forces, in the shape of the games' own saves.
sizes="0.02 0.3 2"
[ "$quick" = 1 ] || sizes="$sizes 12"
for mb in $sizes; do
  for options in "" "--crlf" "--no-forces" "--game-shape" "--game-shape --crlf"; do
    name=save-$mb$(echo "$options" | tr -d ' -')
    "$generator" "$work/generated/$name.kst" "$mb" $options >/dev/null
  done
done

# Damaged copies of the smaller saves and of a few other files: cut short at
# several places, and with bytes overwritten by others (every byte value
# occurs, the zero byte and the line ends included).
damage() {
  python3 - "$@" <<'PY'
import random, sys
source, prefix = sys.argv[1], sys.argv[2]
data = open(source, "rb").read()
rng = random.Random(source)
for i, fraction in enumerate((0.13, 0.5, 0.77, 0.999)):
    open(f"{prefix}-cut{i}.kst", "wb").write(data[: int(len(data) * fraction)])
for i in range(6):
    flipped = bytearray(data)
    for _ in range(1 + i * 7):
        if flipped:
            flipped[rng.randrange(len(flipped))] = rng.randrange(256)
    open(f"{prefix}-flip{i}.kst", "wb").write(bytes(flipped))
PY
}
for source in "$work"/generated/save-0.02*.kst "$work"/generated/save-0.3gameshape*.kst \
              tests/data/full-crlf.kst examples/example.kst; do
  damage "$source" "$work/generated/damaged-$(basename "$source" .kst)"
done

list=$work/files.txt
{
  [ -d "$corpus" ] && find "$corpus" -type f
  find tests/golden tests/data examples -type f
  for dir in build-fuzz/corpus-*; do [ -d "$dir" ] && find "$dir" -type f; done
  find "$work/generated" -type f
} | sort >"$list"

# Runs one program on one file in its own folder (the formatted file has the
# same relative name for both, so their messages are alike).
run() {
  local program=$1 folder=$2 file=$3
  (
    cd "$folder"
    rm -f formatted.kst
    set +e
    "$program" check "$file" >check.out 2>check.err
    echo "$?" >check.rc
    "$program" format "$file" formatted.kst >format.out 2>format.err
    echo "$?" >format.rc
  )
}

files=0
bytes=0
differences=0
while IFS= read -r file; do
  case "$file" in /*) ;; *) file=$root/$file ;; esac
  run "$old_program" "$work/old" "$file"
  run "$new_program" "$work/new" "$file"
  for part in check.out check.err check.rc format.out format.err format.rc formatted.kst; do
    if [ -e "$work/old/$part" ] || [ -e "$work/new/$part" ]; then
      if ! cmp -s "$work/old/$part" "$work/new/$part"; then
        echo "DIFFERENT: $part of $file"
        differences=$((differences + 1))
      fi
    fi
  done
  files=$((files + 1))
  bytes=$((bytes + $(stat -c %s "$file")))
done <"$list"

echo "reader differential against $revision: $files files, $bytes bytes, each checked and formatted by both programs"
echo "differences: $differences"
[ "$differences" = 0 ]
