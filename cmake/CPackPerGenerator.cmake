# The tarball is the bare program folder; the .deb is the Debian layout below /usr.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
  set(CPACK_COMPONENTS_ALL deb)
  # The "deb" component is left out of a plain install; a component install brings it in, as
  # one package.
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX "/")
  set(CPACK_COMPONENTS_ALL program)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
