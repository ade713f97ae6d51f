# Timing harnesses of the exception handling, run by hand under Wine: the
# time from a raise to the complete report, and what the raise capture adds
# to a throw (the same program built with and without it).
if(SORVENAL_WIN)
  add_executable(reportlatency_bench ${PROJECT_SOURCE_DIR}/bench/reportlatency_bench.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/quorExcept_test.rc)
  target_link_libraries(reportlatency_bench PRIVATE quor_except toolkit)
  target_include_directories(reportlatency_bench PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})

  add_executable(raisecapture_bench ${PROJECT_SOURCE_DIR}/bench/raisecapture_bench.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/quorExcept_test.rc)
  target_link_libraries(raisecapture_bench PRIVATE quor_except toolkit)
  target_include_directories(raisecapture_bench PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  target_compile_definitions(raisecapture_bench PRIVATE RAISE_CAPTURE=1)

  add_executable(raisecapture_plain_bench ${PROJECT_SOURCE_DIR}/bench/raisecapture_bench.cpp)
  target_link_libraries(raisecapture_plain_bench PRIVATE tk_core)
  target_include_directories(raisecapture_plain_bench PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(raisecapture_plain_bench PRIVATE RAISE_CAPTURE=0)
endif()
