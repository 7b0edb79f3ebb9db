# Installation and packages.
#
#   cmake --install build --prefix DIR    a complete program folder in DIR (component "program")
#   cpack --config build/CPackConfig.cmake -G TGZ   that folder as a .tar.gz
#   cpack --config build/CPackConfig.cmake -G DEB   a .deb with the folder under /opt/frostlide,
#                                                   launchers on the PATH and desktop integration
include(GNUInstallDirs)

# The program folder as the build assembled it, without what a run of the game wrote into it.
install(DIRECTORY "${FROSTLIDE_DIST_DIR}/" DESTINATION "." COMPONENT program
        USE_SOURCE_PERMISSIONS
        PATTERN "settings.ini" EXCLUDE
        PATTERN "editor.ini" EXCLUDE
        PATTERN "*.cdx" EXCLUDE
        PATTERN "levels" EXCLUDE
        PATTERN "Levels" EXCLUDE
        PATTERN "*.stamp" EXCLUDE)

# Desktop integration for the .deb (absolute paths; not part of a plain folder install).
set(_pkg "${CMAKE_CURRENT_SOURCE_DIR}/packaging")
install(FILES "${_pkg}/frostlide.desktop" "${_pkg}/mapwright.desktop"
        DESTINATION /usr/share/applications COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES "${_pkg}/frostlide-mime.xml" RENAME frostlide.xml
        DESTINATION /usr/share/mime/packages COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES "${_pkg}/org.example.frostlide.Frostlide.metainfo.xml"
              "${_pkg}/org.example.frostlide.Mapwright.metainfo.xml"
        DESTINATION /usr/share/metainfo COMPONENT desktop EXCLUDE_FROM_ALL)
install(DIRECTORY "${FROSTLIDE_DIST_DIR}/data/icons/hicolor"
        DESTINATION /usr/share/icons COMPONENT desktop EXCLUDE_FROM_ALL OPTIONAL)
install(PROGRAMS "${_pkg}/frostlide" "${_pkg}/mapwright"
        DESTINATION /usr/bin COMPONENT desktop EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME "frostlide")
set(CPACK_PACKAGE_VENDOR "The Frostlide developers")
set(CPACK_PACKAGE_CONTACT "The Frostlide developers <team@frostlide.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Colour puzzle game on ice, with its level editor Mapwright")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "frostlide")
set(CPACK_GENERATOR "TGZ;DEB")
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-open-sans")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${_pkg}/postinst;${_pkg}/postrm")
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_SOURCE_DIR}/cmake/CPackPerGenerator.cmake")
include(CPack)
