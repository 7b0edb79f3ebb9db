# The secondary screens: options, level select, custom level packs (with the open-file
# dialog) and how to play -> frostlide_screens, which frostlide_shell links (app.cmake).
# The screens derive from the Screen base class in frostlide_screen_base; without it the
# program keeps its stand-in screens.
if(NOT TARGET frostlide_screen_base OR NOT TARGET frostlide_shell_settings OR NOT TARGET frostlide_sound)
  message(STATUS "frostlide_screens waits for frostlide_screen_base, frostlide_shell_settings and frostlide_sound")
  return()
endif()

add_library(frostlide_screens STATIC
  ${CMAKE_CURRENT_LIST_DIR}/secondary_screens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_drawing_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_select_screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_drawing_level_select.cpp
  ${CMAKE_CURRENT_LIST_DIR}/custom_levels_screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_drawing_custom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/how_to_play_screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_drawing_how_to_play.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_dialog.cpp)
target_include_directories(frostlide_screens PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(frostlide_screens PUBLIC cxx_std_20)
target_link_libraries(frostlide_screens PUBLIC
  frostlide_screen_base frostlide_window frostlide_presentation frostlide_sound frostlide_engine
  frostlide_shell_settings frostlide_platform)
frostlide_strict(frostlide_screens)

if(BUILD_TESTING)
  set(_screens_tests
    ${CMAKE_CURRENT_LIST_DIR}/options_screen_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/level_select_screen_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/custom_levels_screen_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/how_to_play_screen_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_dialog_test.cpp)
  set(_present)
  foreach(t ${_screens_tests})
    if(EXISTS ${t})
      list(APPEND _present ${t})
    endif()
  endforeach()
  if(_present)
    frostlide_test(NAME screens_tests SOURCES ${_present} LIBS frostlide_screens frostlide_synthetic_art)
    # The tests share one copy of the synthetic art per build (see screens_test_support.h).
    set(_art ${CMAKE_CURRENT_BINARY_DIR}/screens_test_art)
    target_compile_definitions(screens_tests PRIVATE
      FROSTLIDE_TEST_FONT="/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf"
      FROSTLIDE_SCREENS_ART_DIR="${_art}")
    add_custom_command(TARGET screens_tests POST_BUILD COMMAND ${CMAKE_COMMAND} -E rm -f ${_art}/complete)
    frostlide_strict(screens_tests)
  endif()
  # The whole program with the real screens, headless.
  if(TARGET frostlide_shell AND TARGET frostlide_synthetic_art AND EXISTS ${CMAKE_CURRENT_LIST_DIR}/screens_app_test.cpp
     AND EXISTS ${CMAKE_CURRENT_LIST_DIR}/app_test_fixture.h)
    frostlide_test(NAME screens_app_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/screens_app_test.cpp
      LIBS frostlide_shell frostlide_synthetic_art)
    frostlide_strict(screens_app_tests)
  endif()
endif()
