# tests.cmake -- how the Windows build runs its tests: every test program under Wine, on the test run's
# Xvfb and in one Wine prefix per run, the WINMM backend as Wine's prefix has it (no sound driver),
# and the hostile bitmaps and the end-to-end tests against the exe (test_windows_sound with a wave-out
# device of its own, with-wine.sh --heard).
set(GLINTMERE_WITH_WINE ${PROJECT_SOURCE_DIR}/scripts/with-wine.sh)
set(GLINTMERE_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(GLINTMERE_ON_WINE ${GLINTMERE_ON_DISPLAY} ${GLINTMERE_WITH_WINE} --on ${GLINTMERE_WINE_PREFIX} wine)

# The wine_prefix fixture makes the prefix (after the X server, whose display its desktop takes for
# good) and removes it at the end.
add_test(NAME wine_prefix.start COMMAND ${GLINTMERE_ON_DISPLAY} ${GLINTMERE_WITH_WINE} --start ${GLINTMERE_WINE_PREFIX})
add_test(NAME wine_prefix.stop COMMAND ${GLINTMERE_WITH_WINE} --stop ${GLINTMERE_WINE_PREFIX})
set_tests_properties(wine_prefix.start PROPERTIES FIXTURES_SETUP wine_prefix FIXTURES_REQUIRED x_display)
set_tests_properties(wine_prefix.stop PROPERTIES FIXTURES_CLEANUP wine_prefix FIXTURES_REQUIRED x_display)

# The WINMM cue backend.
file(GLOB WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_wintest.cpp)
add_executable(glintmere_wintests ${WIN_TESTS} support/logic_objects.cpp)
target_link_libraries(glintmere_wintests PRIVATE glintmere_test_support glintmere_platform glintmere_warnings)
add_dependencies(glintmere_wintests assets)

# CMake puts the emulator before each test program that a test names as a target.
set_target_properties(glintmere_tests glintmere_gltests glintmere_wintests PROPERTIES
  CROSSCOMPILING_EMULATOR "${GLINTMERE_ON_WINE}")

# Each test program runs in a few shards (GoogleTest's own sharding) rather than once per test:
# listing the tests through Wine at the start of ctest would need the prefix before the fixture
# has made it. A failing shard's output names the failing tests. The tests named after the
# shard count look at the process before any window opens, so each runs alone in a fresh one.
function(glintmere_wine_tests target shards label)
  set(environment GTEST_COLOR=no)
  if(ARGN)
    list(JOIN ARGN ":" alone)
    list(APPEND environment GTEST_FILTER=-${alone})
  endif()
  math(EXPR last "${shards} - 1")
  foreach(index RANGE ${last})
    add_test(NAME ${target}.shard${index} COMMAND ${target}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${target}.shard${index} PROPERTIES
      ENVIRONMENT "${environment};GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${index}")
  endforeach()
  foreach(test IN LISTS ARGN)
    add_test(NAME ${target}.${test} COMMAND ${target} --gtest_filter=${test}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${target}.${test} PROPERTIES ENVIRONMENT GTEST_COLOR=no)
  endforeach()
  get_directory_property(all TESTS)
  list(FILTER all INCLUDE REGEX "^${target}\\.")
  # The end-to-end tests end the prefix's Windows processes as each one finishes, so every test
  # in the prefix takes its turn.
  set_tests_properties(${all} PROPERTIES LABELS ${label} TIMEOUT 600 FIXTURES_REQUIRED "x_display;wine_prefix"
    RESOURCE_LOCK wine_prefix)
endfunction()
glintmere_wine_tests(glintmere_tests 2 logic)
glintmere_wine_tests(glintmere_gltests 4 gl SwapIntervalTest.RequestWithoutAContextIsRefusedQuietly)
glintmere_wine_tests(glintmere_wintests 1 sound)

# The logic test program must import no GL, GLU, GDI, WINMM or USER32 DLL, whatever reaches it.
add_test(NAME logic_links_no_gl
  COMMAND ${CMAKE_COMMAND} -DBINARY=$<TARGET_FILE:glintmere_tests> -DOBJDUMP=${CMAKE_OBJDUMP}
          -P ${CMAKE_CURRENT_LIST_DIR}/check_no_gl_dlls.cmake)
set_tests_properties(logic_links_no_gl PROPERTIES LABELS logic)

# The manifest Windows reads as the exe starts: DPI-aware, so a scaled screen shows the window sharp.
add_test(NAME windows_manifest
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/check_manifest.py $<TARGET_FILE:glintmere>)
set_tests_properties(windows_manifest PROPERTIES LABELS logic ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)

# The hostile bitmaps against the exe, under Wine in the test run's prefix, on an X server of its own:
# the script ends the prefix's Windows processes before that server goes, so it takes turns with the
# other Wine tests. The soak and the leak check (LSan) are Linux's.
find_program(GLINTMERE_HOSTILE_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_test(NAME hostile_bitmaps
  COMMAND ${GLINTMERE_WITH_DISPLAY} ${GLINTMERE_HOSTILE_PYTHON}
    ${CMAKE_CURRENT_SOURCE_DIR}/hostile/run_hostile.py $<TARGET_FILE:glintmere> ${CMAKE_BINARY_DIR})
set_tests_properties(hostile_bitmaps PROPERTIES
  LABELS reliability
  TIMEOUT 600
  FIXTURES_REQUIRED wine_prefix
  RESOURCE_LOCK wine_prefix
  ENVIRONMENT "GLINTMERE_WINE_PREFIX=${GLINTMERE_WINE_PREFIX};GLINTMERE_WITH_WINE=${GLINTMERE_WITH_WINE}")

# The end-to-end tests run the exe under Wine in the test run's prefix, and compare its pictures with
# the native release build's. Each test ends the prefix's Windows processes with its X server, so the
# tests of the prefix take turns. The Linux build's package, install and ffmpeg recording are not here.
set(GLINTMERE_E2E_SKIPPED test_package test_install test_recording)
if(DEFINED ENV{GLINTMERE_NATIVE_BIN})
  set(native_default $ENV{GLINTMERE_NATIVE_BIN})
else()
  set(native_default ${CMAKE_SOURCE_DIR}/build/release/glintmere)
endif()
set(GLINTMERE_NATIVE_BIN ${native_default} CACHE FILEPATH
  "The native glintmere whose pictures the exe's are compared with (cmake --preset release)")
# What a start-up error test reads a message box with, as a user would, under Wine.
add_executable(message_box_reader ${CMAKE_CURRENT_LIST_DIR}/message_box_reader.cpp)
target_link_libraries(message_box_reader PRIVATE user32 glintmere_warnings)
set(GLINTMERE_E2E_PLATFORM_ENVIRONMENT
  "GLINTMERE_WINE_PREFIX=${GLINTMERE_WINE_PREFIX}"
  "GLINTMERE_MESSAGE_BOX_READER=$<TARGET_FILE:message_box_reader>"
  "GLINTMERE_WITH_WINE=${GLINTMERE_WITH_WINE}"
  "GLINTMERE_NATIVE_BIN=${GLINTMERE_NATIVE_BIN}")
set(GLINTMERE_E2E_PLATFORM_PROPERTIES FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine_prefix)
