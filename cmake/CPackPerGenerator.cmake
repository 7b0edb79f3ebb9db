# The tarball is the bare program folder; the .deb puts it under /opt/frostlide and adds the
# desktop integration.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/opt/frostlide")
  set(CPACK_COMPONENTS_ALL program desktop)
  # Component install, so that the desktop files (left out of a plain folder install) come in;
  # all of it in one package.
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX "/")
  set(CPACK_COMPONENTS_ALL program)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
