# quill_add_test(NAME name LABEL area SOURCES ... [LIBS ...] [PG] [X11])
#
# Builds one GoogleTest program and registers it with CTest under the label of
# the source folder it tests. Tests that run per engine are instantiated with
# names ending in "/sqlite" and "/pg"; with PG the program is registered twice:
# once without the PostgreSQL cases and once with only them (labels area;pg).
# With X11 the program runs on a private X display of its own under
# "xvfb-run -a" when that is installed (labels area;x11); without one it skips,
# and fails under CI=true.
function(quill_add_test)
  cmake_parse_arguments(T "PG;X11" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE quill_test_support ${T_LIBS})
  set(env "QT_QPA_PLATFORM=offscreen;QUILL_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(T_X11)
    find_program(XVFB_RUN xvfb-run)
    set(command ${T_NAME})
    if(XVFB_RUN)
      set(command ${XVFB_RUN} -a $<TARGET_FILE:${T_NAME}>)
    endif()
    add_test(NAME ${T_NAME} COMMAND ${command})
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABEL};x11" TIMEOUT 600
                                              ENVIRONMENT "${env}")
    return()
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_filter=-*/pg)
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABEL}" TIMEOUT 600
                                            ENVIRONMENT "${env}")
  if(T_PG)
    add_test(NAME ${T_NAME}_pg COMMAND ${T_NAME} --gtest_filter=*/pg)
    set_tests_properties(${T_NAME}_pg PROPERTIES LABELS "${T_LABEL};pg" TIMEOUT 600
                                                 ENVIRONMENT "${env}")
  endif()
endfunction()
