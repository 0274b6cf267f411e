# tests.cmake -- how the Linux build runs its tests: each GoogleTest case a ctest test of its own, the
# GL tests on the run's Xvfb, the SDL2_mixer backend on SDL's dummy driver, and the soak, the leak check
# and the hostile bitmaps against the program.
gtest_discover_tests(glintmere_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES LABELS logic)
set_target_properties(glintmere_gltests PROPERTIES CROSSCOMPILING_EMULATOR "${GLINTMERE_ON_DISPLAY}")
gtest_discover_tests(glintmere_gltests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES LABELS gl FIXTURES_REQUIRED x_display)

# The logic test binary must load no GL, GLU, GLUT, SDL or X11 library, whatever reaches it.
add_test(NAME logic_links_no_gl
  COMMAND ${CMAKE_COMMAND} -DBINARY=$<TARGET_FILE:glintmere_tests> -P ${CMAKE_CURRENT_LIST_DIR}/check_no_gl.cmake)
set_tests_properties(logic_links_no_gl PROPERTIES LABELS logic)

# The SDL2_mixer backend and the player over it, on SDL's dummy audio driver.
file(GLOB SDL_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_sdltest.cpp)
add_executable(glintmere_sdltests ${SDL_TESTS} support/logic_objects.cpp)
target_link_libraries(glintmere_sdltests PRIVATE glintmere_test_support glintmere_platform glintmere_warnings)
gtest_discover_tests(glintmere_sdltests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES LABELS sound)

# The drawing through the ES layer on Mesa's OpenGL ES 2.0, against Mesa's fixed function.
add_subdirectory(es)

# The soak, the leak check (LSan) and the hostile bitmaps run the Linux build.
add_subdirectory(soak)
add_subdirectory(leakcheck)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME hostile_bitmaps
  COMMAND ${GLINTMERE_ON_DISPLAY} ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/hostile/run_hostile.py
    $<TARGET_FILE:glintmere> ${CMAKE_BINARY_DIR})
set_tests_properties(hostile_bitmaps PROPERTIES LABELS reliability TIMEOUT 600 FIXTURES_REQUIRED x_display)

# The Windows build's end-to-end modules: the exe's likeness to this program, its installer, its
# .y4m-only recording, its start-up errors in a message box and its cues on a wave-out device.
set(GLINTMERE_E2E_SKIPPED test_windows_pictures test_windows_installer test_windows_recording test_windows_errors
  test_windows_sound)
