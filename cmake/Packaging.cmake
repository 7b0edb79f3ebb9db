# Installation and packages.
#
#   cmake --install build --prefix DIR    a complete, relocatable program folder in DIR
#                                         (component "program", font included)
#   cpack --config build/CPackConfig.cmake -G TGZ   that folder as a .tar.gz
#   cpack --config build/CPackConfig.cmake -G DEB   a .deb laid out as Debian installs games
#                                                   (component "deb", prefix /usr):
#
#     /usr/games/{frostlide,mapwright,frostlide-cli}   links to the programs
#     /usr/lib/games/frostlide/                        the program folder: the three programs and
#                                                      data -> ../../../share/games/frostlide
#     /usr/share/games/frostlide/                      read-only data; its font is a link into
#                                                      fonts-open-sans
#     /usr/share/{applications,metainfo,mime,icons}/   desktop integration
#     /usr/share/doc/frostlide/, /usr/share/man/man6/  copyright, changelog, manual pages
#
# The programs find everything through their own folder (/proc/self/exe, links resolved), and
# write below the per-user folder because /usr/lib/games/frostlide is read-only.
include(GNUInstallDirs)

set(_pkg "${CMAKE_CURRENT_SOURCE_DIR}/packaging")
set(_pkg_out "${CMAKE_BINARY_DIR}/packaging")
set(_programs)
foreach(t Frostlide Mapwright frostlide-cli)
  if(TARGET ${t})
    list(APPEND _programs ${t})
  endif()
endforeach()

# What a run of the programs writes into the build's program folder is never shipped.
set(_written PATTERN "settings.ini" EXCLUDE PATTERN "editor.ini" EXCLUDE PATTERN "*.cdx" EXCLUDE PATTERN "*.best" EXCLUDE
             PATTERN "levels" EXCLUDE PATTERN "Levels" EXCLUDE PATTERN "*.stamp" EXCLUDE)
set(_file_perms FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
                DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                      WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# --- The program folder (cmake --install, .tar.gz) ---------------------------------------------
# Programs as targets, so that --strip and CPack's stripping reach them.
install(TARGETS ${_programs} RUNTIME DESTINATION "." COMPONENT program)
install(DIRECTORY "${FROSTLIDE_DIST_DIR}/data" DESTINATION "." COMPONENT program ${_file_perms} ${_written})
install(FILES "${_pkg}/copyright" DESTINATION "." COMPONENT program)

# --- The Debian layout --------------------------------------------------------------------------
set(_deb_lib "lib/games/frostlide")
set(_deb_share "share/games/frostlide")
install(TARGETS ${_programs} RUNTIME DESTINATION "${_deb_lib}" COMPONENT deb EXCLUDE_FROM_ALL)
# The icons go to the desktop's own folder below; the font comes from fonts-open-sans.
install(DIRECTORY "${FROSTLIDE_DIST_DIR}/data/" DESTINATION "${_deb_share}" COMPONENT deb EXCLUDE_FROM_ALL
        ${_file_perms} ${_written} PATTERN "fonts" EXCLUDE PATTERN "icons" EXCLUDE)

# The links, made once in the build tree and installed as links (relative, so that any prefix
# or DESTDIR keeps them right).
set(_links "${_pkg_out}/links")
file(REMOVE_RECURSE "${_links}")
file(MAKE_DIRECTORY "${_links}/games" "${_links}/${_deb_lib}" "${_links}/${_deb_share}/fonts")
file(CREATE_LINK "../../../share/games/frostlide" "${_links}/${_deb_lib}/data" SYMBOLIC)
file(CREATE_LINK "../../../fonts/truetype/open-sans/OpenSans-Bold.ttf"
     "${_links}/${_deb_share}/fonts/OpenSans-Bold.ttf" SYMBOLIC)
foreach(t ${_programs})
  string(TOLOWER "${t}" _launcher)
  file(CREATE_LINK "../lib/games/frostlide/${t}" "${_links}/games/${_launcher}" SYMBOLIC)
endforeach()
install(DIRECTORY "${_links}/" DESTINATION "." COMPONENT deb EXCLUDE_FROM_ALL ${_file_perms})

# Desktop integration (the editor's only where it is built).
set(_desktop "${_pkg}/frostlide.desktop")
set(_metainfo "${_pkg}/org.example.frostlide.Frostlide.metainfo.xml")
if(TARGET Mapwright)
  list(APPEND _desktop "${_pkg}/mapwright.desktop")
  list(APPEND _metainfo "${_pkg}/org.example.frostlide.Mapwright.metainfo.xml")
endif()
install(FILES ${_desktop} DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications" COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES "${_pkg}/frostlide-mime.xml" RENAME frostlide.xml
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/mime/packages" COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${_metainfo} DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo" COMPONENT deb EXCLUDE_FROM_ALL)
install(DIRECTORY "${FROSTLIDE_DIST_DIR}/data/icons/hicolor"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons" COMPONENT deb EXCLUDE_FROM_ALL OPTIONAL ${_file_perms})

# Documentation: the changelog and the manual pages compressed as Debian wants them (best
# compression, no name or time stamp in the header, so that rebuilds give the same bytes).
find_program(FROSTLIDE_GZIP gzip REQUIRED)
set(_docs)
foreach(page frostlide mapwright frostlide-cli)
  configure_file("${_pkg}/man/${page}.6.in" "${_pkg_out}/man/${page}.6" @ONLY)
  add_custom_command(OUTPUT "${_pkg_out}/man/${page}.6.gz"
    COMMAND "${FROSTLIDE_GZIP}" -9 -n -k -f "${_pkg_out}/man/${page}.6"
    DEPENDS "${_pkg_out}/man/${page}.6" "${_pkg}/man/${page}.6.in"
    COMMENT "Compressing the manual page ${page}(6)" VERBATIM)
  list(APPEND _docs "${_pkg_out}/man/${page}.6.gz")
endforeach()
add_custom_command(OUTPUT "${_pkg_out}/changelog.gz"
  COMMAND "${CMAKE_COMMAND}" -E copy "${_pkg}/changelog" "${_pkg_out}/changelog"
  COMMAND "${FROSTLIDE_GZIP}" -9 -n -f "${_pkg_out}/changelog"
  DEPENDS "${_pkg}/changelog"
  COMMENT "Compressing the changelog" VERBATIM)
list(APPEND _docs "${_pkg_out}/changelog.gz")
add_custom_target(frostlide_package_docs ALL DEPENDS ${_docs})
list(FILTER _docs INCLUDE REGEX "\\.6\\.gz$")
install(FILES ${_docs} DESTINATION "${CMAKE_INSTALL_MANDIR}/man6" COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES "${_pkg}/copyright" "${_pkg_out}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/frostlide" COMPONENT deb EXCLUDE_FROM_ALL)

# --- CPack ----------------------------------------------------------------------------------------
set(CPACK_PACKAGE_NAME "frostlide")
set(CPACK_PACKAGE_VENDOR "The Frostlide developers")
set(CPACK_PACKAGE_CONTACT "The Frostlide developers <team@frostlide.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colour puzzle game on ice, with its level editor")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "frostlide")
set(CPACK_GENERATOR "TGZ;DEB")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://frostlide.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-open-sans")
# The custom levels screen's Import asks zenity or kdialog for the file dialogue; the main
# menu opens its web page with xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "zenity | kdialog, xdg-utils")
# The extended description, below the summary line.
set(CPACK_PACKAGE_DESCRIPTION "Frostlide is a calm colour puzzle game. A level is a board of 15 by 15
cells of ice with coloured cubes, spheres of the same six colours, blocks,
cracked blocks, crush blocks and trapdoors. Point at a cube, pick one of
the arrows it shows and click: the cube slides until something stops it.
A level is solved when every sphere is covered by a cube of its own colour.

A hundred built-in levels in six sceneries unlock as they are solved, and
moves can be undone. The pictures, sounds and ten music tracks are made by
the project's own generators.

Mapwright, the level editor, paints level packs of up to a hundred levels
with the game's own sprites; frostlide-cli plays, renders and solves levels
on the command line.")
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_SOURCE_DIR}/cmake/CPackPerGenerator.cmake")
include(CPack)

# --- Checks -----------------------------------------------------------------------------------
if(BUILD_TESTING)
  # The .deb of this build, looked at by lintian (skipped where lintian is missing).
  add_test(NAME packaging.deb_lintian
           COMMAND sh "${_pkg}/check-deb.sh" "${CMAKE_CPACK_COMMAND}" "${CMAKE_BINARY_DIR}"
                   "${CMAKE_BINARY_DIR}/packaging/check")
  set_tests_properties(packaging.deb_lintian PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
  # Each program answers --version with its name and the version the manual pages carry.
  foreach(t ${_programs})
    add_test(NAME packaging.version.${t} COMMAND ${t} --version)
    set_tests_properties(packaging.version.${t} PROPERTIES
      PASS_REGULAR_EXPRESSION "^${t} ${PROJECT_VERSION}\n$" ENVIRONMENT "${FROSTLIDE_TEST_ENV}")
  endforeach()
endif()
