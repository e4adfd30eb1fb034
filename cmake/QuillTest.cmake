# quill_add_test(NAME name LABEL area SOURCES ... [LIBS ...] [PG])
#
# Builds one GoogleTest program and registers it with CTest under the label of
# the source folder it tests. Tests that run per engine are instantiated with
# names ending in "/sqlite" and "/pg"; with PG the program is registered twice:
# once without the PostgreSQL cases and once with only them (labels area;pg).
function(quill_add_test)
  cmake_parse_arguments(T "PG" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE quill_test_support ${T_LIBS})
  set(env "QT_QPA_PLATFORM=offscreen;QUILL_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_filter=-*/pg)
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABEL}" TIMEOUT 600
                                            ENVIRONMENT "${env}")
  if(T_PG)
    add_test(NAME ${T_NAME}_pg COMMAND ${T_NAME} --gtest_filter=*/pg)
    set_tests_properties(${T_NAME}_pg PROPERTIES LABELS "${T_LABEL};pg" TIMEOUT 600
                                                 ENVIRONMENT "${env}")
  endif()
endfunction()
