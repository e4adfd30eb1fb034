# Adds every direct subfolder of DIR (and DIR itself) that has a CMakeLists.txt,
# so a new subsystem folder needs no edit elsewhere.
function(quill_add_subdirs dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()
