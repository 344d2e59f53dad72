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

# The page's conversion module (app/web, built by tools/build-web.sh): the
# core behind the functions of web_bridge.cpp, run in the page's worker, and
# a factory QuillmereModule() without a file system, which is given the module
# compiled by the page (make_worker_script.py puts the bytes in the page's
# scripts: opened from disk, a page may fetch nothing). A 40 MB save needs
# about 200 MB; growing memory is slow in some browsers, so the module starts
# with that much.
file(GLOB WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/web/*.cpp)
add_executable(quillmere_web ${WEB_SOURCES})
target_link_libraries(quillmere_web PRIVATE quillmere_core)
target_include_directories(quillmere_web PRIVATE ${NLOHMANN_JSON_INCLUDE_DIR})
target_link_options(quillmere_web PRIVATE -sMODULARIZE=1 -sEXPORT_NAME=QuillmereModule
                    -sENVIRONMENT=worker -sFILESYSTEM=0 -sINITIAL_MEMORY=256MB
                    -sEXPORTED_FUNCTIONS=_malloc,_sbrk -sEXPORTED_RUNTIME_METHODS=ccall)
