# Man pages and the Debian package: `cpack -G DEB` in the build folder, after a full build.

# Man pages are written from the programs' own --help, so they cannot drift. The version
# string is given, as the window's --version starts with its title, not its command.
find_program(HELP2MAN help2man)
function(varendo_man_page program summary)
    if(NOT HELP2MAN OR NOT TARGET ${program})
        return()
    endif()
    set(page "${PROJECT_BINARY_DIR}/${program}.1")
    add_custom_command(OUTPUT "${page}.gz"
        COMMAND "${HELP2MAN}" --no-info "--name=${summary}" "--output=${page}"
                "--version-string=${program} ${PROJECT_VERSION}"
                "$<TARGET_FILE:${program}>"
        COMMAND gzip -9nf "${page}"
        DEPENDS ${program}
        COMMENT "Writing the man page of ${program}"
        VERBATIM)
    add_custom_target(${program}-man ALL DEPENDS "${page}.gz")
    install(FILES "${page}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endfunction()
varendo_man_page(varendo "solve 9x9 Sudoku puzzles in a window")
varendo_man_page(varendo-solve "solve files of Sudoku puzzles with Varendo's engine")

install(FILES LICENSE DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/varendo" RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varendo)
set(CPACK_PACKAGE_VENDOR "The Varendo developers")
set(CPACK_PACKAGE_CONTACT "The Varendo developers <dev@varendo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku solver with a window and a command-line tool")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Varendo solves 9x9 Sudoku puzzles: type the givens into a grid, freeze them
and let it solve, rate the difficulty and log every placed digit on request.
The command-line tool varendo-solve runs the same solver over files of puzzles.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX "${VARENDO_PACKAGE_PREFIX}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VARENDO_BUILD_WINDOW)
    # Qt draws the SVG icon through a plugin, which dpkg-shlibdeps cannot see.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
