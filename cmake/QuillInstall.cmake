# Installation: the host "quill" and "quill-demo" in the program folder, the
# module library and every project library they load in QUILL_INSTALL_LIBDIR,
# the menu entry, icon, manual pages and the user's guide. Nothing installed
# refers to the source or build folder: the run paths are relative ($ORIGIN).

# quill_private_libraries(OUT target...): the project's shared libraries that
# the targets link, directly or through one another.
function(quill_private_libraries out)
  set(found)
  set(queue ${ARGN})
  while(queue)
    list(POP_FRONT queue target)
    get_target_property(direct ${target} LINK_LIBRARIES)
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    foreach(lib IN LISTS direct interface)
      if(NOT TARGET ${lib} OR lib IN_LIST found)
        continue()
      endif()
      get_target_property(imported ${lib} IMPORTED)
      get_target_property(type ${lib} TYPE)
      if(NOT imported AND type STREQUAL "SHARED_LIBRARY")
        list(APPEND found ${lib})
        list(APPEND queue ${lib})
      endif()
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

set(programs quill quill-demo)
# The module library is loaded at run time, never linked, so it is named here.
quill_private_libraries(libraries ${programs} quill_module)
list(APPEND libraries quill_module)
list(REMOVE_DUPLICATES libraries)

file(RELATIVE_PATH program_to_libraries /${CMAKE_INSTALL_BINDIR} /${QUILL_INSTALL_LIBDIR})
set_target_properties(${programs} PROPERTIES INSTALL_RPATH "$ORIGIN/${program_to_libraries}")
set_target_properties(${libraries} PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS ${programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${libraries} LIBRARY DESTINATION ${QUILL_INSTALL_LIBDIR})

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${packaging}/quill.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${packaging}/quill.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging}/man/quill.1 ${packaging}/man/quill-demo.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/man/zh_CN/quill.1 ${packaging}/man/zh_CN/quill-demo.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quill)
