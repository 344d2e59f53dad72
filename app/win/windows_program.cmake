# The Windows programs: the dialog program quillmere.exe, and the console
# program, renamed quillmere-cli.exe so that both fit in one folder.
enable_language(RC)
set_target_properties(quillmere PROPERTIES OUTPUT_NAME quillmere-cli)
target_sources(quillmere PRIVATE ${CMAKE_SOURCE_DIR}/app/win/console/binary_output.cpp)

file(GLOB WINDOWS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/win/*.cpp)
add_executable(quillmere_dialog WIN32 ${WINDOWS_SOURCES} ${CMAKE_SOURCE_DIR}/app/win/quillmere.rc)
set_target_properties(quillmere_dialog PROPERTIES OUTPUT_NAME quillmere)
target_link_libraries(quillmere_dialog PRIVATE quillmere_files comctl32 comdlg32 advapi32)

if(QUILLMERE_TESTS)
  add_subdirectory(tests/windows)
endif()
