# The game program: start-up and shutdown, the main menu, the game screen with its menu, the
# game's message box, and the Frostlide executable in the program folder.
if(NOT TARGET frostlide_window OR NOT TARGET frostlide_engine OR NOT TARGET frostlide_sound)
  message(STATUS "frostlide_shell waits for frostlide_window, frostlide_engine and frostlide_sound")
  return()
endif()

# The Screen base class on its own, so the secondary screens (frostlide_screens, which
# frostlide_shell links) can derive from it without linking frostlide_shell back.
add_library(frostlide_screen_base STATIC ${CMAKE_CURRENT_LIST_DIR}/screen.cpp)
target_include_directories(frostlide_screen_base PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(frostlide_screen_base PUBLIC cxx_std_20)
target_link_libraries(frostlide_screen_base PUBLIC frostlide_window)
frostlide_strict(frostlide_screen_base)

set(_app_sources)
foreach(f application command_line main_menu game_screen game_screen_keyboard game_screen_status message_box solver_worker status_panel
          screen_drawing_main_menu screen_drawing_game screen_drawing_message)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${f}.cpp)
    list(APPEND _app_sources ${CMAKE_CURRENT_LIST_DIR}/${f}.cpp)
  endif()
endforeach()
add_library(frostlide_shell STATIC ${_app_sources})
target_include_directories(frostlide_shell PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(frostlide_shell PUBLIC cxx_std_20)
target_link_libraries(frostlide_shell PUBLIC frostlide_screen_base frostlide_window frostlide_presentation frostlide_sound
                                             frostlide_engine frostlide_platform)
if(TARGET frostlide_shell_settings)
  target_link_libraries(frostlide_shell PUBLIC frostlide_shell_settings)
endif()
frostlide_strict(frostlide_shell)

# The secondary screens come from frostlide_screens (shell/screens.cmake, read after this file);
# until it exists a stand-in whose screens close at once is linked instead.
function(frostlide_shell_link_screens)
  if(TARGET frostlide_screens)
    target_link_libraries(frostlide_shell PUBLIC frostlide_screens)
  else()
    target_sources(frostlide_shell PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/screens_fallback.cpp)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} CALL frostlide_shell_link_screens)

# --- The program ------------------------------------------------------------------------------
add_executable(Frostlide ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(Frostlide PRIVATE frostlide_shell)
set_target_properties(Frostlide PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${FROSTLIDE_DIST_DIR})
frostlide_strict(Frostlide)

# The message text's font and the built-in pack, copied into the program folder.
set(_font_source /usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf)
set(_font_target ${FROSTLIDE_DIST_DIR}/data/fonts/OpenSans-Bold.ttf)
add_custom_command(OUTPUT ${_font_target}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${FROSTLIDE_DIST_DIR}/data/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_font_source} ${_font_target}
  DEPENDS ${_font_source}
  COMMENT "Copying the message font into the program folder")
add_custom_target(frostlide_app_data ALL
  DEPENDS ${_font_target}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/data/ogpice.cdn
          -DTARGET=${FROSTLIDE_DIST_DIR}/data/ogpice.cdn
          -DSOLUTIONS=${CMAKE_SOURCE_DIR}/data/ogpice.solutions
          -DSOLUTIONS_TARGET=${FROSTLIDE_DIST_DIR}/data/ogpice.solutions
          -P ${CMAKE_CURRENT_LIST_DIR}/install_game_pack.cmake
  COMMENT "Built-in level pack into the program folder")
add_dependencies(Frostlide frostlide_app_data)
function(frostlide_app_hook_assets)
  if(TARGET frostlide_assets)
    add_dependencies(frostlide_assets frostlide_app_data)
    add_dependencies(Frostlide frostlide_assets)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL frostlide_app_hook_assets)

if(BUILD_TESTING AND TARGET frostlide_synthetic_art)
  set(_app_tests ${CMAKE_CURRENT_LIST_DIR}/application_test.cpp ${CMAKE_CURRENT_LIST_DIR}/test_play_test.cpp)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/message_box_test.cpp)
    list(APPEND _app_tests ${CMAKE_CURRENT_LIST_DIR}/message_box_test.cpp)
  endif()
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/keyboard_play_test.cpp)
    list(APPEND _app_tests ${CMAKE_CURRENT_LIST_DIR}/keyboard_play_test.cpp)
  endif()
  list(APPEND _app_tests ${CMAKE_CURRENT_LIST_DIR}/status_panel_test.cpp)
  frostlide_test(NAME shell_app_tests SOURCES ${_app_tests} LIBS frostlide_shell frostlide_synthetic_art)
  # The keyboard test plays the built-in pack's own levels and stored solutions.
  target_compile_definitions(shell_app_tests PRIVATE FROSTLIDE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  frostlide_strict(shell_app_tests)
endif()
