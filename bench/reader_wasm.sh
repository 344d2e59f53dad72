#!/usr/bin/env bash
# The script reader and writer built for WebAssembly against the native build,
# in one run:
#
#   bench/reader_wasm.sh [MB] [REPEAT]
#
# builds build/ (native) and build-wasm/ (tools/build-wasm.sh), generates a
# save of MB millions of bytes (40 by default) in the shape of the games' late
# saves, and runs "check" and "format" of both programs REPEAT times (5), the
# WebAssembly one under Node. Prints the best wall time of each, MB/s, and the
# WebAssembly build's time as a multiple of the native one's: the whole
# process (Node's start, the file read, fresh memory), then the same steps
# inside one process (quillmere_bench_inprocess --step), from the save's bytes
# in memory, as the web page runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
mb=${1:-40}
repeat=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build build --target quillmere quillmere_gen_save quillmere_bench_inprocess -j2 >/dev/null
tools/build-wasm.sh >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build build-wasm --target quillmere_bench_inprocess >/dev/null
build/bench/quillmere_gen_save "$work/save.kst" "$mb" --game-shape >/dev/null
bytes=$(stat -c %s "$work/save.kst")

# The best wall time of REPEAT runs of a command, in seconds.
best() {
  local best_time=""
  for _ in $(seq "$repeat"); do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    best_time=$(echo "$start $end ${best_time:-999}" | awk '{t = $2 - $1; print (t < $3 ? t : $3)}')
  done
  echo "$best_time"
}

# One line: COMMAND's native and WebAssembly times (seconds), MB/s and their ratio.
compare() {
  awk -v c="$1" -v n="$2" -v w="$3" -v b="$bytes" 'BEGIN {
    printf "%-7s native %.3f s (%.1f MB/s)   wasm %.3f s (%.1f MB/s)   wasm / native %.2f x\n",
           c, n, b / 1e6 / n, w, b / 1e6 / w, w / n }'
}

# The best time, in seconds, of a line of quillmere_bench_inprocess.
best_seconds() {
  echo "$1" | sed 's/.*best \([0-9.]*\) ms.*/\1/' | awk '{print $1 / 1e3}'
}

echo "file: $bytes bytes; load $(cut -d' ' -f1 /proc/loadavg) on $(nproc) cores"
for command in check format; do
  args=("$work/save.kst")
  [ "$command" = format ] && args+=("$work/out.kst")
  native=$(best build/quillmere "$command" "${args[@]}")
  wasm=$(best build-wasm/quillmere "$command" "${args[@]}")
  compare "$command" "$native" "$wasm"
done

echo "inside one process, best of $repeat:"
for command in check format; do
  native=$(build/bench/quillmere_bench_inprocess Data "$work/save.kst" --runs "$repeat" --step "$command")
  wasm=$(node --no-experimental-fetch build-wasm/bench/quillmere_bench_inprocess.js Data "$work/save.kst" \
    --runs "$repeat" --step "$command")
  compare "$command" "$(best_seconds "$native")" "$(best_seconds "$wasm")"
done
