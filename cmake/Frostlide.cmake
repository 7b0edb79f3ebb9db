# Shared helpers for every folder's CMakeLists.

# frostlide_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2)
# A GoogleTest program whose tests are registered one by one and always run headless.
include(GoogleTest)
# LeakSanitizer leaves the system libraries' own leaks aside (tests/lsan.supp says which).
set(FROSTLIDE_LSAN_SUPPRESSIONS "${PROJECT_SOURCE_DIR}/tests/lsan.supp")
set(FROSTLIDE_TEST_ENV
    "SDL_VIDEODRIVER=dummy" "SDL_AUDIODRIVER=dummy" "QT_QPA_PLATFORM=offscreen" "DISPLAY="
    "FROSTLIDE_DIST=${FROSTLIDE_DIST_DIR}"
    "LSAN_OPTIONS=suppressions=${FROSTLIDE_LSAN_SUPPRESSIONS}:print_suppressions=0")
function(frostlide_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60)
  # gtest_discover_tests splits a list-valued property into separate arguments, which loses
  # every variable but the first; set the environment from the discovered test list instead.
  set(env_script "${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}_env.cmake")
  file(WRITE "${env_script}"
       "if(${T_NAME}_TESTS)\n  set_tests_properties(\${${T_NAME}_TESTS} PROPERTIES ENVIRONMENT \"${FROSTLIDE_TEST_ENV}\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${env_script}")
endfunction()

# Warnings that the rest of the tree treats as errors stay errors in our own code only.
# GCC 12's flow-based warnings (restrict, stringop-*, array-bounds) misfire inside the standard
# library once it inlines at -O2/-O3; they stay warnings so that optimised builds still build.
function(frostlide_strict target)
  target_compile_options(${target} PRIVATE -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-error=restrict -Wno-error=stringop-overflow
                           -Wno-error=stringop-overread -Wno-error=array-bounds)
  endif()
endfunction()
