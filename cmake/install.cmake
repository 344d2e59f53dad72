# Installing the command-line program, and its Debian package.
#
#   cmake --install BUILD --prefix P   P/bin/quillmere, P/share/quillmere/Data,
#                                      P/share/man/man1/quillmere.1.gz (when
#                                      help2man is there), P/share/doc/quillmere
#   cpack -G DEB --config BUILD/CPackConfig.cmake
include(GNUInstallDirs)

install(TARGETS quillmere RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmere/Data)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmere)
install(FILES ${CMAKE_SOURCE_DIR}/COPYRIGHT DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmere RENAME copyright)

# The manual page, made from the program's own --help and --version.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(manual ${CMAKE_BINARY_DIR}/quillmere.1)
  add_custom_command(
    OUTPUT ${manual} ${manual}.gz
    COMMAND ${HELP2MAN} --no-info --section=1 --source=Quillmere
            "--name=converts Saltmarch save games into Brackenfold scenarios"
            --include=${CMAKE_SOURCE_DIR}/app/cli/quillmere.h2m --output=${manual} $<TARGET_FILE:quillmere>
    COMMAND gzip -9 -n -c ${manual} > ${manual}.gz
    DEPENDS quillmere ${CMAKE_SOURCE_DIR}/app/cli/quillmere.h2m
    VERBATIM)
  add_custom_target(manual ALL DEPENDS ${manual})
  install(FILES ${manual}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no manual page (tools/install-deps.sh installs it)")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillmere developers <maintainers@users.noreply.c-seed-0390b361.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converts Saltmarch save games into Brackenfold scenarios")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "converts Saltmarch save games into Brackenfold scenarios\n Quillmere turns a save game of Saltmarch into a scenario file of Brackenfold,\n so that a new campaign can start from the state of the save: countries,\n provinces, economy, armies, fleets, politics, technology, diplomacy, subjects\n and alliances. It also checks and reformats files of the games' script format.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
