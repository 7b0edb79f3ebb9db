# Fails when a file of engine/ or platform/ includes SDL or Qt.
file(GLOB_RECURSE files "${SOURCE_DIR}/engine/*.h" "${SOURCE_DIR}/engine/*.cpp"
                        "${SOURCE_DIR}/platform/*.h" "${SOURCE_DIR}/platform/*.cpp")
set(bad "")
foreach(f ${files})
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](SDL|Q[A-Z]|Qt)")
  if(lines)
    list(APPEND bad "${f}: ${lines}")
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "Toolkit includes found where none may be:\n${bad}")
endif()
message(STATUS "engine/ and platform/ include no toolkit (${CMAKE_CURRENT_LIST_FILE})")
