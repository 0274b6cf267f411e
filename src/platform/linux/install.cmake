# install.cmake -- what `cmake --install` lays out: the program, its assets, a launcher, the desktop
# entry with its icon, and the man page.
#
#   bin/glintmere                        launcher: runs the program from its data folder
#   libexec/glintmere/glintmere          the program itself
#   share/glintmere/texture, musics      the generated textures and wave files
#   share/applications/glintmere.desktop
#   share/icons/hicolor/NxN/apps/glintmere.png
#   share/metainfo/org.example.glintmere.metainfo.xml
#   share/man/man6/glintmere.6
include(GNUInstallDirs)

# The data folder and the man page file can be changed by a packaging layout (package.cmake beside it).
if(NOT GLINTMERE_INSTALL_DATA_DIR)
  set(GLINTMERE_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/glintmere)
endif()
if(NOT GLINTMERE_MAN_PAGE)
  set(GLINTMERE_MAN_PAGE ${CMAKE_CURRENT_SOURCE_DIR}/data/glintmere.6)
endif()

install(TARGETS glintmere RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/glintmere)
install(DIRECTORY ${CMAKE_BINARY_DIR}/texture ${CMAKE_BINARY_DIR}/musics
  DESTINATION ${GLINTMERE_INSTALL_DATA_DIR})

# The launcher finds the prefix from its own place, so an install moved after the fact still runs;
# folders given as absolute paths are used as they are.
function(glintmere_launch_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "$prefix/${dir}" PARENT_SCOPE)
  endif()
endfunction()
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  set(GLINTMERE_BIN_TO_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH GLINTMERE_BIN_TO_PREFIX "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix")
  set(GLINTMERE_BIN_TO_PREFIX "$bindir/${GLINTMERE_BIN_TO_PREFIX}")
endif()
glintmere_launch_path(GLINTMERE_LAUNCH_DATA "${GLINTMERE_INSTALL_DATA_DIR}")
glintmere_launch_path(GLINTMERE_LAUNCH_PROGRAM "${CMAKE_INSTALL_LIBEXECDIR}/glintmere/glintmere")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/scripts/glintmere-launcher.in ${CMAKE_BINARY_DIR}/launcher/glintmere @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/glintmere DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/glintmere.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/org.example.glintmere.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${GLINTMERE_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The icon is painted by our own tool at the usual theme sizes.
add_executable(gen_icon ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_icon.cpp)
target_include_directories(gen_icon PRIVATE ${STB_INCLUDE_DIR})
target_link_libraries(gen_icon PRIVATE ${STB_LIBRARY} glintmere_warnings)
set(GLINTMERE_ICON_FILES)
foreach(size 48 64 128 256)
  set(icon ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/glintmere.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps
    COMMAND gen_icon ${size} ${icon}
    DEPENDS gen_icon
    COMMENT "Painting the ${size}x${size} icon")
  list(APPEND GLINTMERE_ICON_FILES ${icon})
endforeach()
add_custom_target(icons ALL DEPENDS ${GLINTMERE_ICON_FILES})
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
