# The WebAssembly build with emscripten (tools/build-wasm.sh): the command-line
# program as quillmere.js and quillmere.wasm, run by Node on the real file system.
#
# C++ exceptions are WebAssembly's own (without them every throw aborts), given
# to every object of the program and to its link through the lowest layer.
# Memory grows as a save needs it, and an allocation that fails returns null so
# that the program's own "Not enough memory" message is shown instead of an abort.
target_compile_options(quillmere_script PUBLIC -fwasm-exceptions)
target_link_options(quillmere_script INTERFACE -fwasm-exceptions -sALLOW_MEMORY_GROWTH=1
                    -sMAXIMUM_MEMORY=4GB -sABORTING_MALLOC=0)
target_link_options(quillmere PRIVATE -sNODERAWFS=1)
