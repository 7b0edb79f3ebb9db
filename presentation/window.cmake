# The game's window over SDL2: frame presentation, input events, modal loops, the music timer,
# the platform message box, full screen, the window-style class and message text.
if(NOT TARGET frostlide_presentation OR NOT TARGET frostlide_platform)
  message(STATUS "frostlide_window waits for frostlide_presentation and frostlide_platform")
  return()
endif()

add_library(frostlide_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loop_tasks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_style.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_mode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawn_message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/builtin_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loaded_libraries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp)
target_include_directories(frostlide_window PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(frostlide_window PUBLIC cxx_std_20)
target_link_libraries(frostlide_window PUBLIC
  frostlide_presentation frostlide_platform SDL2::SDL2 SDL2_image::SDL2_image SDL2_ttf::SDL2_ttf)
frostlide_strict(frostlide_window)

if(BUILD_TESTING AND EXISTS ${CMAKE_CURRENT_LIST_DIR}/window_test.cpp)
  frostlide_test(NAME window_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/window_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/drawn_message_box_test.cpp
    LIBS frostlide_window frostlide_synthetic_art)
  target_compile_definitions(window_tests PRIVATE
    FROSTLIDE_TEST_FONT="/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf")
  frostlide_strict(window_tests)
endif()
