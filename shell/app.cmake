# The game program: start-up and shutdown, the main menu, the game screen with its menu, the
# game's message box, and the Frostlide executable in the program folder.
if(NOT TARGET frostlide_window OR NOT TARGET frostlide_engine OR NOT TARGET frostlide_sound)
  message(STATUS "frostlide_shell waits for frostlide_window, frostlide_engine and frostlide_sound")
  return()
endif()

set(_app_sources ${CMAKE_CURRENT_LIST_DIR}/screen.cpp)
foreach(f application main_menu game_screen message_box
          screen_drawing_main_menu screen_drawing_game screen_drawing_message)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${f}.cpp)
    list(APPEND _app_sources ${CMAKE_CURRENT_LIST_DIR}/${f}.cpp)
  endif()
endforeach()
add_library(frostlide_shell STATIC ${_app_sources})
target_include_directories(frostlide_shell PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(frostlide_shell PUBLIC cxx_std_20)
target_link_libraries(frostlide_shell PUBLIC frostlide_window frostlide_presentation frostlide_sound
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
