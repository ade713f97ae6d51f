# Handling: the pipeline on the handler thread, the handling request, the
# exception history, the exception object and its build, header, stacks,
# class description and modules and the current-state report. The request,
# history and class description are platform-free.
set(quor_handling_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_handling_tests ${PROJECT_SOURCE_DIR}/tests/report/handling)

sorvenal_core(quor_handling_core SOURCES
  ${quor_handling_dir}/quorHandlingRequest.cpp
  ${quor_handling_dir}/quorExceptionHistory.cpp
  ${quor_handling_dir}/quorExceptClass.cpp
  DEPS quor_text tk_core)

sorvenal_test(quorHandlingCore_test SOURCES
  ${quor_handling_tests}/quorExceptRecords_test.cpp
  ${quor_handling_tests}/quorExceptClass_test.cpp
  DEPS quor_handling_core)

if(SORVENAL_WIN)
  target_sources(quor_except PRIVATE
    ${quor_handling_dir}/quorExceptModules.cpp
    ${quor_handling_dir}/quorExceptStacks.cpp
    ${quor_handling_dir}/quorExceptObject.cpp
    ${quor_handling_dir}/quorExceptBuild.cpp
    ${quor_handling_dir}/quorExceptWait.cpp
    ${quor_handling_dir}/quorExceptHeader.cpp
    ${quor_handling_dir}/quorExceptPipeline.cpp
    ${quor_handling_dir}/quorBoxAdapter.cpp
    ${quor_handling_dir}/quorHandlingThreads.cpp
    ${quor_handling_dir}/quorStateReport.cpp)
  target_link_libraries(quor_except PUBLIC quor_progress quor_screenshot)

  # The pipeline tests' program carries its own symbols like the product.
  quor_except_test(quorPipeline_test handling QuorPipelineTest)
  sorvenal_embed_symbols(quorPipeline_test RC ${quor_handling_tests}/quorPipeline_test.rc)

  # Timing harness, run by hand under Wine: the time from a raise to the
  # complete report.
  add_executable(reportlatency_bench ${PROJECT_SOURCE_DIR}/bench/reportlatency_bench.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/intercept/quorExcept_test.rc)
  target_link_libraries(reportlatency_bench PRIVATE quor_except toolkit)
  target_include_directories(reportlatency_bench PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
endif()
