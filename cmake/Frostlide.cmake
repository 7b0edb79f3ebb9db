# Shared helpers for every folder's CMakeLists.

# frostlide_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2)
# A GoogleTest program whose tests are registered one by one and always run headless.
include(GoogleTest)
set(FROSTLIDE_TEST_ENV
    "SDL_VIDEODRIVER=dummy" "SDL_AUDIODRIVER=dummy" "QT_QPA_PLATFORM=offscreen" "DISPLAY="
    "FROSTLIDE_DIST=${FROSTLIDE_DIST_DIR}")
function(frostlide_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${T_NAME}
    PROPERTIES ENVIRONMENT "${FROSTLIDE_TEST_ENV}"
    DISCOVERY_TIMEOUT 60)
endfunction()

# Warnings that the rest of the tree treats as errors stay errors in our own code only.
function(frostlide_strict target)
  target_compile_options(${target} PRIVATE -Werror)
endfunction()
