# site.cmake -- the page's program and its site: how glintmere links for the browser, then build/<preset>/site
# (index.html, page.css, page.js, glintmere.js, glintmere.wasm and glintmere.data) and a zip of it.

# The textures and wave files the generators make are preloaded: glintmere.data holds them, and the
# program reads them from texture/ and musics/ of the page's file system as it reads them from disk on the
# desktop. (Generating them in the page would save 3.6 MB of a download the browser caches, for some 0.6 s
# of work at every start on every visitor's machine.)
target_link_options(glintmere PRIVATE
  -sENVIRONMENT=web
  -sALLOW_MEMORY_GROWTH=1
  # The exit ends the program for good: the process-wide objects are destroyed and the page is told.
  -sEXIT_RUNTIME=1
  -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1
  "SHELL:--preload-file ${CMAKE_BINARY_DIR}/texture@/texture"
  "SHELL:--preload-file ${CMAKE_BINARY_DIR}/musics@/musics")
# A generator that changes makes other files, which the program's data must then hold.
set_property(TARGET glintmere APPEND PROPERTY LINK_DEPENDS
  ${CMAKE_BINARY_DIR}/host-tools/gen_textures ${CMAKE_BINARY_DIR}/host-tools/gen_sounds)

set(GLINTMERE_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(GLINTMERE_SITE_NAME glintmere-${PROJECT_VERSION}-web)
set(GLINTMERE_SITE_ZIP ${CMAKE_BINARY_DIR}/${GLINTMERE_SITE_NAME}.zip)
set(GLINTMERE_SITE_STAGE ${CMAKE_BINARY_DIR}/site-zip)
add_custom_command(OUTPUT ${GLINTMERE_SITE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${GLINTMERE_SITE_DIR} ${GLINTMERE_SITE_STAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GLINTMERE_SITE_DIR} ${GLINTMERE_SITE_STAGE}
  COMMAND ${CMAKE_COMMAND} -E copy ${GLINTMERE_WEB_PAGE_FILES} $<TARGET_FILE:glintmere>
    $<TARGET_FILE_DIR:glintmere>/glintmere.wasm $<TARGET_FILE_DIR:glintmere>/glintmere.data ${GLINTMERE_SITE_DIR}
  # The zip holds one folder, named for the version, so that it unpacks beside whatever is there.
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GLINTMERE_SITE_DIR} ${GLINTMERE_SITE_STAGE}/${GLINTMERE_SITE_NAME}
  COMMAND ${CMAKE_COMMAND} -E chdir ${GLINTMERE_SITE_STAGE}
    ${CMAKE_COMMAND} -E tar cf ${GLINTMERE_SITE_ZIP} --format=zip ${GLINTMERE_SITE_NAME}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${GLINTMERE_SITE_STAGE}
  DEPENDS glintmere ${GLINTMERE_WEB_PAGE_FILES}
  COMMENT "Writing the site, ${GLINTMERE_SITE_DIR}, and ${GLINTMERE_SITE_NAME}.zip")
add_custom_target(site ALL DEPENDS ${GLINTMERE_SITE_ZIP})
