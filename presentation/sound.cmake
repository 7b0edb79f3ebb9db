# Sound effects and music over SDL2_mixer.
add_library(frostlide_sound STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sound_device.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/music.cpp)
target_include_directories(frostlide_sound PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(frostlide_sound PUBLIC cxx_std_20)
target_link_libraries(frostlide_sound PUBLIC frostlide_platform SDL2::SDL2 SDL2_mixer::SDL2_mixer)
frostlide_strict(frostlide_sound)

if(BUILD_TESTING)
  # The checks against the generated effects and tracks read them from the program folder
  # (FROSTLIDE_DIST); the audio generator makes this program wait for them.
  frostlide_test(NAME sound_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/sound_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/music_test.cpp
    LIBS frostlide_sound)
  frostlide_strict(sound_tests)
endif()
