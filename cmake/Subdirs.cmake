# Adds every direct subfolder of DIR (and DIR itself) that has a CMakeLists.txt,
# so a new subsystem folder needs no edit elsewhere.
function(quill_add_subdirs dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()

# quill_add_library(NAME [LIBS ...]): a shared library of every source file in
# the current folder; its headers are included as "area/File.h" from src/.
# Shared, so the host and the module it loads hold one SuiteLib between them.
function(quill_add_library name)
  cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  if(NOT sources)
    return()
  endif()
  add_library(${name} SHARED ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_LIBS})
endfunction()
