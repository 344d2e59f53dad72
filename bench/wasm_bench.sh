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

# WebAssembly's best time over native's, save by save (the last is the 40 MB one).
paste -d' ' <(echo "$native" | sed 's/.*best \([0-9.]*\) ms.*/\1/') \
  <(echo "$wasm" | sed 's/^\([^:]*\):.*best \([0-9.]*\) ms.*/\2 \1/') |
  awk '{ printf "%s: WebAssembly %.2fx native\n", $3, $2 / $1 }
       END { printf "40 MB save: %.2fx native, target 1.8x: %s\n", $2 / $1, $2 / $1 <= 1.8 ? "PASS" : "FAIL" }'
for file in build-wasm/quillmere.wasm build-wasm/quillmere.js; do
  echo "$file: $(stat -c %s "$file") bytes, $(gzip -9c "$file" | wc -c) gzip -9"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
