# package.cmake -- the Debian package: with GLINTMERE_DEBIAN_LAYOUT on, the install is laid out as
# Debian lays out a game, and `cmake --build DIR --target package` has CPack's DEB generator make
# glintmere_<version>_<arch>.deb, its dependencies computed by dpkg-shlibdeps from what the program
# really links. scripts/build-package.sh (`make package`) configures such a tree.
#
#   /usr/games/glintmere                         the launcher
#   /usr/lib/games/glintmere/glintmere           the program
#   /usr/share/games/glintmere/texture, musics   the generated textures and wave files
#   /usr/share/applications, icons, metainfo     the desktop entry, its icons, the AppStream data
#   /usr/share/man/man6/glintmere.6.gz           the man page
#   /usr/share/doc/glintmere/copyright, changelog.gz
option(GLINTMERE_DEBIAN_LAYOUT "Lay the install out as the Debian package does, and enable the package target" OFF)
if(NOT GLINTMERE_DEBIAN_LAYOUT)
  return()
endif()

set(CMAKE_INSTALL_BINDIR games)
set(CMAKE_INSTALL_LIBEXECDIR lib/games)
set(GLINTMERE_INSTALL_DATA_DIR share/games/glintmere)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian ships manual pages and changelogs compressed, without the time stamp gzip would store.
find_program(GZIP_PROGRAM gzip REQUIRED)
function(glintmere_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${GZIP_PROGRAM} -9nc ${source} > ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${source}")
endfunction()
set(GLINTMERE_MAN_PAGE ${CMAKE_BINARY_DIR}/debian/glintmere.6.gz)
set(GLINTMERE_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/debian/changelog.gz)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/debian)
glintmere_gzip(${CMAKE_CURRENT_SOURCE_DIR}/data/glintmere.6 ${GLINTMERE_MAN_PAGE})
glintmere_gzip(${CMAKE_CURRENT_SOURCE_DIR}/data/changelog ${GLINTMERE_CHANGELOG_GZ})
add_custom_target(debian_docs ALL DEPENDS ${GLINTMERE_MAN_PAGE} ${GLINTMERE_CHANGELOG_GZ})

# The package's version is the project's: the newest changelog entry must name it.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/data/changelog GLINTMERE_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT GLINTMERE_CHANGELOG_TOP MATCHES "^glintmere \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/changelog starts with '${GLINTMERE_CHANGELOG_TOP}', not version ${PROJECT_VERSION}")
endif()

set(GLINTMERE_DOC_DIR share/doc/glintmere)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/copyright DESTINATION ${GLINTMERE_DOC_DIR})
install(FILES ${GLINTMERE_CHANGELOG_GZ} DESTINATION ${GLINTMERE_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glintmere)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "furnished 3-D room with a living aquarium")
# Debian wraps the long description itself only on display; keep its lines under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Glintmere shows a furnished room drawn with OpenGL: a tiled floor,
wallpaper, pictures, a ceiling lamp and a table, and on the table an
aquarium where fish swim, chase and eat worms, grow, and leave when grown.

Walk through the room, orbit it or look at it from the side; switch the
lights and the rendering modes, feed the fish from the keyboard or a menu,
and hear short sounds and background music. It can also run full screen
and record what it shows as a video.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Glintmere developers <glintmere@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Recording to anything but .y4m goes through ffmpeg, when it is there.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS ffmpeg)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
