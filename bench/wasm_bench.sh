#!/usr/bin/env bash
# The conversion inside one process, native against WebAssembly under Node, on
# the same saves in one run (bench/inprocess_bench.cpp): the world example and
# generated saves of 5 and 40 MB, each converted 5 times from bytes to bytes;
# then the sizes of the WebAssembly command line's files, raw and gzip -9.
# Target: WebAssembly within 1.8x native on the 40 MB save (best runs compared).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh >/dev/null
tools/build-wasm.sh >/dev/null
cmake --build build --target quillmere_bench_inprocess quillmere_gen_save >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build build-wasm --target quillmere_bench_inprocess >/dev/null

saves=(examples/world.kst build-wasm/save5.kst build-wasm/save40.kst)
build/bench/quillmere_gen_save build-wasm/save5.kst 5 >/dev/null
build/bench/quillmere_gen_save build-wasm/save40.kst 40 >/dev/null
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
native=$(build/bench/quillmere_bench_inprocess Data "${saves[@]}")
wasm=$(node --no-experimental-fetch build-wasm/bench/quillmere_bench_inprocess.js Data "${saves[@]}")
echo "native:"; echo "$native" | sed 's/^/  /'
echo "WebAssembly under Node:"; echo "$wasm" | sed 's/^/  /'

best() { sed -n 's/.*best \([0-9.]*\) ms.*/\1/p'; }
paste <(echo "$native" | best) <(echo "$wasm" | best) | while read -r n w; do
  echo "${saves[0]}: WebAssembly $(awk -v n="$n" -v w="$w" 'BEGIN { printf "%.2f", w / n }')x native"
  saves=("${saves[@]:1}")
  if [ ${#saves[@]} -eq 0 ]; then
    awk -v n="$n" -v w="$w" 'BEGIN { r = w / n; printf "40 MB save: %.2fx native, target 1.8x: %s\n", r, r <= 1.8 ? "PASS" : "FAIL" }'
  fi
done
for file in build-wasm/quillmere.wasm build-wasm/quillmere.js; do
  echo "$file: $(stat -c %s "$file") bytes, $(gzip -9c "$file" | wc -c) gzip -9"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
