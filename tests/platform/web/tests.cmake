# tests.cmake -- how the browser build runs its tests: the logic tests as WebAssembly under node, and the
# page itself in Chromium, headless and once headed under Xvfb, driven over the DevTools protocol.

# The logic tests under node, reading the build folder's files (musics/) through node's own file system.
target_link_options(glintmere_tests PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
# The tests that watch the program exit in a child process are skipped there (GoogleTest has no death
# tests under node); the page's end-to-end tests watch the exit instead.
gtest_discover_tests(glintmere_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES LABELS logic)

# The GL tests draw with a desktop GL context, which node has not; the page's pictures are compared with
# the native program's instead.
set_target_properties(glintmere_gltests PROPERTIES EXCLUDE_FROM_ALL TRUE)

# The logic test program's JavaScript must hold no WebGL, GLUT or Web Audio code, whatever reaches it.
add_test(NAME logic_links_no_gl
  COMMAND ${CMAKE_COMMAND} -DSCRIPT=$<TARGET_FILE:glintmere_tests> -P ${CMAKE_CURRENT_LIST_DIR}/check_no_gl_js.cmake)
set_tests_properties(logic_links_no_gl PROPERTIES LABELS logic)

# The end-to-end modules of tests/e2e drive a desktop window; the page has its own, below.
file(GLOB desktop_modules RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/e2e CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_*.py)
list(TRANSFORM desktop_modules REPLACE "\\.py$" "")
set(GLINTMERE_E2E_SKIPPED ${desktop_modules})

# The page's end-to-end tests: the built site in Chromium, each test with its own server, profile and port on
# 127.0.0.1 (Debian's python3-websockets speaks the DevTools protocol). The pictures are compared with the
# native release build's, as the Windows tests compare the exe's.
find_program(GLINTMERE_WEB_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
if(DEFINED ENV{GLINTMERE_NATIVE_BIN})
  set(native_default $ENV{GLINTMERE_NATIVE_BIN})
else()
  set(native_default ${CMAKE_SOURCE_DIR}/build/release/glintmere)
endif()
set(GLINTMERE_NATIVE_BIN ${native_default} CACHE FILEPATH
  "The native glintmere whose pictures the page's are compared with (cmake --preset release)")
file(GLOB web_modules CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/test_web_*.py)
foreach(module_file IN LISTS web_modules)
  get_filename_component(module ${module_file} NAME_WE)
  add_test(NAME ${module}
    COMMAND ${GLINTMERE_WEB_PYTHON} -m unittest -v ${module}
    WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR})
  # One browser at a time: two Chromiums drawing with SwiftShader would share the machine's two cores, and
  # a test that watches a cue's hold needs the page to keep its pace.
  set_tests_properties(${module} PROPERTIES
    LABELS web
    TIMEOUT 900
    RUN_SERIAL TRUE
    ENVIRONMENT "GLINTMERE_SITE_DIR=${CMAKE_BINARY_DIR}/site;GLINTMERE_BUILD_DIR=${CMAKE_BINARY_DIR};GLINTMERE_NATIVE_BIN=${GLINTMERE_NATIVE_BIN};PYTHONPATH=${CMAKE_CURRENT_SOURCE_DIR}/e2e:${CMAKE_CURRENT_LIST_DIR};PYTHONDONTWRITEBYTECODE=1")
endforeach()
