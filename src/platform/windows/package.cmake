# package.cmake -- the Windows release files, made by the windows preset's build (make windows):
#
#   glintmere-<version>-windows-x64.zip   the folder glintmere-<version>-windows-x64/ zipped
#   glintmere-<version>-setup.exe         the NSIS installer of the same files
#
# and the program's icon and version details, built into glintmere.exe. The folder holds:
#
#   glintmere.exe            the program, freeglut and the C++ runtime linked in, stripped
#   texture/, musics/        the generated textures and wave files
#   README.txt               for Windows users, with Windows line endings
#   licenses/<library>/      the notices of what glintmere.exe links in
set(GLINTMERE_WINDOWS_NAME glintmere-${PROJECT_VERSION}-windows-x64)
set(GLINTMERE_WINDOWS_STAGE ${CMAKE_BINARY_DIR}/${GLINTMERE_WINDOWS_NAME})
set(GLINTMERE_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${GLINTMERE_WINDOWS_NAME}.zip)
set(GLINTMERE_WINDOWS_SETUP ${CMAKE_BINARY_DIR}/glintmere-${PROJECT_VERSION}-setup.exe)
set(GLINTMERE_WINDOWS_WORK ${CMAKE_BINARY_DIR}/windows-package)
set(GLINTMERE_WINDOWS_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows)
file(MAKE_DIRECTORY ${GLINTMERE_WINDOWS_WORK})

find_program(GLINTMERE_HOST_CXX NAMES c++ g++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
find_program(GLINTMERE_CONVERT convert REQUIRED)
find_program(GLINTMERE_MAKENSIS makensis REQUIRED)

# The icon: our own painter, built for the build machine as the other generators are (tools/), draws
# it at each size, and ImageMagick puts the sizes into one .ico.
set(GLINTMERE_HOST_GEN_ICON ${CMAKE_BINARY_DIR}/host-tools/gen_icon)
add_custom_command(OUTPUT ${GLINTMERE_HOST_GEN_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
  COMMAND ${GLINTMERE_HOST_CXX} -std=c++20 -O2 -Wall -Wextra ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_icon.cpp
    -o ${GLINTMERE_HOST_GEN_ICON} -lstb
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_icon.cpp
  COMMENT "Building the icon painter for the build machine")
set(GLINTMERE_ICON_PNGS)
foreach(size 16 32 48 256)
  set(png ${GLINTMERE_WINDOWS_WORK}/icon-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${GLINTMERE_HOST_GEN_ICON} ${size} ${png}
    DEPENDS ${GLINTMERE_HOST_GEN_ICON}
    COMMENT "Painting the ${size}x${size} icon")
  list(APPEND GLINTMERE_ICON_PNGS ${png})
endforeach()
# ImageMagick keeps the small sizes as 32-bit bitmaps, which every Windows and windres read, and
# the 256 px one as PNG, as Windows expects; -strip leaves out any notes beside the pictures.
set(GLINTMERE_ICON ${GLINTMERE_WINDOWS_WORK}/glintmere.ico)
add_custom_command(OUTPUT ${GLINTMERE_ICON}
  COMMAND ${GLINTMERE_CONVERT} ${GLINTMERE_ICON_PNGS} -strip ${GLINTMERE_ICON}
  DEPENDS ${GLINTMERE_ICON_PNGS}
  COMMENT "Putting the icon's sizes into glintmere.ico")
add_custom_target(windows_icon DEPENDS ${GLINTMERE_ICON})

# The resources: the icon, the manifest and the version details. They are compiled on their own,
# without the compiler warnings' options, which windres does not take.
enable_language(RC)
set(GLINTMERE_ICON_RC_PATH ${GLINTMERE_ICON})
set(GLINTMERE_RC_VERSION ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
set(GLINTMERE_RC_DOTTED_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
set(GLINTMERE_MANIFEST_RC_PATH ${GLINTMERE_WINDOWS_WORK}/glintmere.manifest)
configure_file(${GLINTMERE_WINDOWS_SOURCE}/glintmere.manifest.in ${GLINTMERE_MANIFEST_RC_PATH} @ONLY)
configure_file(${GLINTMERE_WINDOWS_SOURCE}/glintmere.rc.in ${GLINTMERE_WINDOWS_WORK}/glintmere.rc @ONLY)
add_library(glintmere_resources OBJECT ${GLINTMERE_WINDOWS_WORK}/glintmere.rc)
set_source_files_properties(${GLINTMERE_WINDOWS_WORK}/glintmere.rc PROPERTIES
  OBJECT_DEPENDS "${GLINTMERE_ICON};${GLINTMERE_MANIFEST_RC_PATH}")
add_dependencies(glintmere_resources windows_icon)
target_sources(glintmere PRIVATE $<TARGET_OBJECTS:glintmere_resources>)

# The notices, with Windows line endings and a .txt name each: those scripts/windows-deps.sh keeps for
# freeglut, stb and glm, and Debian's copyright files of the MinGW-w64 runtime (the C runtime and
# winpthreads) and of its GCC (libstdc++ and libgcc, under the GCC Runtime Library Exception).
set(GLINTMERE_MINGW_COPYRIGHT /usr/share/doc/mingw-w64-x86-64-dev/copyright
  CACHE FILEPATH "Copyright file of the MinGW-w64 runtime and winpthreads")
set(GLINTMERE_GCC_COPYRIGHT /usr/share/doc/gcc-mingw-w64-base/copyright
  CACHE FILEPATH "Copyright file of MinGW-w64's GCC, libstdc++ and libgcc")
set(deps_licenses ${GLINTMERE_WINDOWS_DEPS}/share/licenses)
file(GLOB_RECURSE GLINTMERE_DEPS_NOTICES RELATIVE ${deps_licenses} ${deps_licenses}/*)
list(SORT GLINTMERE_DEPS_NOTICES)
foreach(library freeglut stb glm)
  if(NOT "${GLINTMERE_DEPS_NOTICES}" MATCHES "(^|;)${library}/")
    message(FATAL_ERROR "No licence of ${library} in ${deps_licenses}: run scripts/windows-deps.sh")
  endif()
endforeach()
set(GLINTMERE_NOTICE_SOURCES)
set(GLINTMERE_NOTICE_NAMES)
foreach(notice IN LISTS GLINTMERE_DEPS_NOTICES)
  list(APPEND GLINTMERE_NOTICE_SOURCES ${deps_licenses}/${notice})
  list(APPEND GLINTMERE_NOTICE_NAMES ${notice})
endforeach()
foreach(pair "mingw-w64;${GLINTMERE_MINGW_COPYRIGHT}" "gcc;${GLINTMERE_GCC_COPYRIGHT}")
  list(GET pair 0 library)
  list(GET pair 1 source)
  if(NOT EXISTS ${source})
    message(FATAL_ERROR "No copyright file of ${library} at ${source}")
  endif()
  list(APPEND GLINTMERE_NOTICE_SOURCES ${source})
  list(APPEND GLINTMERE_NOTICE_NAMES ${library}/copyright)
endforeach()

configure_file(${GLINTMERE_WINDOWS_SOURCE}/README.txt.in ${GLINTMERE_WINDOWS_WORK}/README.txt @ONLY NEWLINE_STYLE CRLF)

# The folder's files, relative to it, in the order the zip lists them; the textures and wave files
# are those tools/CMakeLists.txt has the generators write.
get_directory_property(texture_files DIRECTORY tools DEFINITION GLINTMERE_TEXTURE_FILES)
get_directory_property(sound_files DIRECTORY tools DEFINITION GLINTMERE_SOUND_FILES)
if(NOT texture_files OR NOT sound_files)
  message(FATAL_ERROR "tools/ names no textures or wave files to package")
endif()
set(GLINTMERE_STAGED glintmere.exe README.txt)
set(stage_commands)
foreach(file IN LISTS texture_files)
  get_filename_component(name ${file} NAME)
  list(APPEND GLINTMERE_STAGED texture/${name})
endforeach()
foreach(file IN LISTS sound_files)
  get_filename_component(name ${file} NAME)
  list(APPEND GLINTMERE_STAGED musics/${name})
endforeach()
foreach(source name IN ZIP_LISTS GLINTMERE_NOTICE_SOURCES GLINTMERE_NOTICE_NAMES)
  get_filename_component(folder ${name} DIRECTORY)
  get_filename_component(stem ${name} NAME_WE)
  set(staged licenses/${folder}/${stem}.txt)
  list(APPEND GLINTMERE_STAGED ${staged})
  list(APPEND stage_commands COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${GLINTMERE_WINDOWS_STAGE}/${staged}
    -P ${GLINTMERE_WINDOWS_SOURCE}/crlf.cmake)
endforeach()
list(TRANSFORM GLINTMERE_STAGED PREPEND ${GLINTMERE_WINDOWS_STAGE}/ OUTPUT_VARIABLE staged_paths)

# The folder is made afresh each time, so a file dropped from the lists does not stay behind in it.
# Its glintmere.exe is stripped: the debugging data of the static runtime would double its size.
add_custom_command(OUTPUT ${staged_paths}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${GLINTMERE_WINDOWS_STAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GLINTMERE_WINDOWS_STAGE}/texture ${GLINTMERE_WINDOWS_STAGE}/musics
  COMMAND ${CMAKE_STRIP} -o ${GLINTMERE_WINDOWS_STAGE}/glintmere.exe $<TARGET_FILE:glintmere>
  COMMAND ${CMAKE_COMMAND} -E copy ${GLINTMERE_WINDOWS_WORK}/README.txt ${GLINTMERE_WINDOWS_STAGE}
  COMMAND ${CMAKE_COMMAND} -E copy ${texture_files} ${GLINTMERE_WINDOWS_STAGE}/texture
  COMMAND ${CMAKE_COMMAND} -E copy ${sound_files} ${GLINTMERE_WINDOWS_STAGE}/musics
  ${stage_commands}
  DEPENDS glintmere $<TARGET_FILE:glintmere> ${GLINTMERE_WINDOWS_WORK}/README.txt ${texture_files} ${sound_files}
    ${GLINTMERE_NOTICE_SOURCES} ${GLINTMERE_WINDOWS_SOURCE}/crlf.cmake
  COMMENT "Laying out ${GLINTMERE_WINDOWS_NAME}/")

list(TRANSFORM GLINTMERE_STAGED PREPEND ${GLINTMERE_WINDOWS_NAME}/ OUTPUT_VARIABLE zipped)
add_custom_command(OUTPUT ${GLINTMERE_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${GLINTMERE_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${GLINTMERE_WINDOWS_ZIP} --format=zip ${zipped}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${staged_paths}
  COMMENT "Zipping ${GLINTMERE_WINDOWS_NAME}.zip")

# The installer's list of files, written for makensis: what it installs, and what the uninstaller
# removes, the folders last and only once empty.
set(install_lines)
set(uninstall_lines)
set(folders)
set(current_folder "")
foreach(file IN LISTS GLINTMERE_STAGED)
  get_filename_component(folder ${file} DIRECTORY)
  string(REPLACE "/" "\\" windows_file "${file}")
  if(NOT folder STREQUAL current_folder OR NOT install_lines)
    string(REPLACE "/" "\\" windows_folder "${folder}")
    if(folder)
      string(APPEND install_lines "  SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
      list(APPEND folders ${folder})
    else()
      string(APPEND install_lines "  SetOutPath \"$INSTDIR\"\n")
    endif()
    set(current_folder "${folder}")
  endif()
  string(APPEND install_lines "  File \"${GLINTMERE_WINDOWS_STAGE}/${file}\"\n")
  string(APPEND uninstall_lines "  Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
# licenses/freeglut goes before licenses: the deeper folders first.
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
  get_filename_component(parent ${folder} DIRECTORY)
  if(parent AND NOT parent IN_LIST folders)
    list(APPEND folders ${parent})
  endif()
endforeach()
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(APPEND uninstall_lines "  RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
set(GLINTMERE_FILES_NSH ${GLINTMERE_WINDOWS_WORK}/glintmere-files.nsh)
file(CONFIGURE OUTPUT ${GLINTMERE_FILES_NSH} CONTENT
"; glintmere-files.nsh -- written by src/platform/windows/package.cmake: the files the installer holds.
!macro GLINTMERE_INSTALL_FILES
${install_lines}!macroend
!macro GLINTMERE_UNINSTALL_FILES
${uninstall_lines}!macroend
" @ONLY)

add_custom_command(OUTPUT ${GLINTMERE_WINDOWS_SETUP}
  COMMAND ${GLINTMERE_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
    -DVIVERSION=${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0
    -DICON=${GLINTMERE_ICON} -DFILES=${GLINTMERE_FILES_NSH} -DOUTFILE=${GLINTMERE_WINDOWS_SETUP}
    ${GLINTMERE_WINDOWS_SOURCE}/glintmere.nsi
  DEPENDS ${GLINTMERE_WINDOWS_SOURCE}/glintmere.nsi ${GLINTMERE_FILES_NSH} ${GLINTMERE_ICON} ${staged_paths}
  COMMENT "Making the installer glintmere-${PROJECT_VERSION}-setup.exe")

add_custom_target(windows_package ALL DEPENDS ${GLINTMERE_WINDOWS_ZIP} ${GLINTMERE_WINDOWS_SETUP})
