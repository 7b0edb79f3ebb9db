# settings.ini, the small shared routines and the .cdn file association.
# Only engine/ports.h of the engine is used (the Prompt interface), so the include path that
# frostlide_platform gives is all this library needs of it.
add_library(frostlide_shell_settings STATIC
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utilities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_association.cpp)
target_link_libraries(frostlide_shell_settings PUBLIC frostlide_platform)
target_include_directories(frostlide_shell_settings PUBLIC ${PROJECT_SOURCE_DIR})
frostlide_strict(frostlide_shell_settings)

if(BUILD_TESTING)
  frostlide_test(NAME shell_settings_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/utilities_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/file_association_test.cpp
    LIBS frostlide_shell_settings)
  frostlide_strict(shell_settings_tests)
endif()
