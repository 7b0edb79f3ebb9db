# Surfaces, image loading, the sprite store and the board renderer.
add_library(frostlide_presentation STATIC
  ${CMAKE_CURRENT_LIST_DIR}/surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sprite_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board_renderer.cpp)
target_include_directories(frostlide_presentation PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(frostlide_presentation PUBLIC cxx_std_20)
target_link_libraries(frostlide_presentation PUBLIC SDL2::SDL2 SDL2_image::SDL2_image)
# The engine's interfaces are headers; its library joins in once it exists.
foreach(dep frostlide_engine frostlide_platform)
  if(TARGET ${dep})
    target_link_libraries(frostlide_presentation PUBLIC ${dep})
  endif()
endforeach()
frostlide_strict(frostlide_presentation)

# A complete data folder of small, exactly predictable pictures, for tests and benchmarks
# that must not depend on the generated art.
add_library(frostlide_synthetic_art STATIC ${CMAKE_CURRENT_LIST_DIR}/synthetic_art.cpp)
target_link_libraries(frostlide_synthetic_art PUBLIC frostlide_presentation)
frostlide_strict(frostlide_synthetic_art)

if(BUILD_TESTING)
  set(_presentation_core_tests
    ${CMAKE_CURRENT_LIST_DIR}/surface_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sprite_store_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/board_renderer_test.cpp)
  # Moves and undos drawn by the real engine need its library.
  if(TARGET frostlide_engine)
    list(APPEND _presentation_core_tests ${CMAKE_CURRENT_LIST_DIR}/engine_drawing_test.cpp)
  endif()
  frostlide_test(NAME presentation_tests
    SOURCES ${_presentation_core_tests}
    LIBS frostlide_presentation frostlide_synthetic_art)
  frostlide_strict(presentation_tests)
endif()
