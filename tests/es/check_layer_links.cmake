# check_layer_links.cmake -- fails when BINARY loads a library that defines GL, GLES, GLU or GLUT names,
# as ldd lists them: with one, a call the ES layer lacks would quietly reach it instead of failing the link.
execute_process(COMMAND ldd ${BINARY} OUTPUT_VARIABLE libraries RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ldd ${BINARY} failed")
endif()
string(REGEX MATCHALL "lib(GL|GLX|OpenGL|GLESv1_CM|GLESv2|GLU|glut)\\.so[.0-9]*" found "${libraries}")
if(found)
  list(REMOVE_DUPLICATES found)
  list(JOIN found ", " shown)
  message(FATAL_ERROR "${BINARY} loads ${shown}")
endif()
