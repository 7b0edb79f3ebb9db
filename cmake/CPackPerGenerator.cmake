# The tarball is the bare program folder; the .deb puts it under /opt/frostlide and adds the
# desktop integration.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/opt/frostlide")
  set(CPACK_COMPONENTS_ALL program desktop)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX "/")
  set(CPACK_COMPONENTS_ALL program)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
