# Man pages and the Debian package: `cpack -G DEB` in the build folder, after a full build.

# Man pages are written from the programs' own --help, so they cannot drift, with the
# sections --help has no room for from docs/man. The version string is given, as the
# window's --version starts with its title, not its command.
find_program(HELP2MAN help2man)
function(varendo_man_page program summary)
    if(NOT HELP2MAN OR NOT TARGET ${program})
        return()
    endif()
    set(page "${PROJECT_BINARY_DIR}/${program}.1")
    set(include "${PROJECT_SOURCE_DIR}/docs/man/${program}.h2m")
    add_custom_command(OUTPUT "${page}.gz"
        COMMAND "${HELP2MAN}" --no-info "--name=${summary}" "--output=${page}" "--include=${include}"
                "--version-string=${program} ${PROJECT_VERSION}"
                "$<TARGET_FILE:${program}>"
        COMMAND gzip -9nf "${page}"
        DEPENDS ${program} "${include}"
        COMMENT "Writing the man page of ${program}"
        VERBATIM)
    add_custom_target(${program}-man ALL DEPENDS "${page}.gz")
    install(FILES "${page}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endfunction()
varendo_man_page(varendo "solve 9x9 Sudoku puzzles in a window")
varendo_man_page(varendo-solve "solve files of Sudoku puzzles with Varendo's engine")

# What Debian asks of every package: the changelog, compressed, and the copyright file in
# its machine-readable form.
set(changelog "${PROJECT_BINARY_DIR}/changelog.gz")
add_custom_command(OUTPUT "${changelog}"
    COMMAND gzip -9nc "${PROJECT_SOURCE_DIR}/cmake/debian/changelog" > "${changelog}"
    DEPENDS "${PROJECT_SOURCE_DIR}/cmake/debian/changelog"
    COMMENT "Compressing the changelog")
add_custom_target(changelog ALL DEPENDS "${changelog}")
install(FILES "${changelog}" cmake/debian/copyright DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/varendo")

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
# lintian keeps the section games for packages with a program in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/varendo/varendo)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VARENDO_BUILD_WINDOW)
    # Qt draws the SVG icon through a plugin, which dpkg-shlibdeps cannot see; the
    # window's Arial is drawn in its metric twin, and Open Step File needs an opener.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-liberation2")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
