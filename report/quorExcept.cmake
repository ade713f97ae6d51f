# The exception handling of the Windows program: interception, pipeline,
# exception object, report building and storage. An object library, so that
# a program linking it gets the start-up object and the throw capture even
# though nothing in the program names them.
if(SORVENAL_WIN)
  add_library(quor_except OBJECT
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptRaise.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptModules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptStacks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptObject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptBuild.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptHeader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptPipeline.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptIntegrity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptStartup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptThreadHooks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorThreadCreator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptThreads.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptBuf.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorThreadNaming.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorStateReport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorMessageWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorFreezeWatchdog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorCodePatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorProcessBlocked.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorCalibration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorPauseThreads.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorTempFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorEmergencyReserve.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorBugRepStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorSaveAsDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorPrintReport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorAutoActions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorActionHook.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorTools.cpp)
  target_include_directories(quor_except PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_except PUBLIC quor_except_core quor_settings quor_stacktrace_win quor_stacktrace_sections
    quor_stacktrace_symbols quor_symbols tk_core quor_print_layout version advapi32 user32 gdi32 comdlg32 shell32)
  # Every C++ throw passes the raise capture before the stack unwinds.
  target_link_options(quor_except INTERFACE -Wl,--wrap=__cxa_throw)
  # quorTraceProcess is exported under its plain name, without the @4 of a
  # stdcall function, so that outside tools find it by that name.
  target_link_options(quor_except INTERFACE -Wl,--kill-at)

  # Test programs built like the product: the reporter starts first and
  # takes over the toolkit's exception seams; each has its own settings.
  function(quor_except_test name settings)
    set(bin ${CMAKE_CURRENT_BINARY_DIR}/${settings}.bin)
    add_custom_command(OUTPUT ${bin}
      COMMAND ${SORVENAL_HOST_TOOLS}/settingsc ${PROJECT_SOURCE_DIR}/tests/report/${settings}.txt ${bin}
      DEPENDS ${PROJECT_SOURCE_DIR}/tests/report/${settings}.txt
      COMMENT "Writing the report settings resource of ${name}")
    sorvenal_test(${name} SOURCES
      ${PROJECT_SOURCE_DIR}/tests/report/${name}.cpp
      ${PROJECT_SOURCE_DIR}/tests/report/${name}.rc
      DEPS quor_except toolkit)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
    set_source_files_properties(${PROJECT_SOURCE_DIR}/tests/report/${name}.rc PROPERTIES OBJECT_DEPENDS ${bin})
  endfunction()
  quor_except_test(quorExcept_test QuorExceptTest)
  quor_except_test(quorFreeze_test QuorFreezeTest)
  quor_except_test(quorTrace_test QuorTraceTest)
  # Beside the trace test program: the outside tool that asks it for its
  # state, and a library with a second copy of the reporter.
  set(tests ${PROJECT_SOURCE_DIR}/tests/report)
  add_executable(quorTraceTool ${tests}/quorTraceTool.cpp)
  add_library(quorTraceTestDll SHARED ${tests}/quorTraceTestDll.cpp ${tests}/quorTraceTestDll.rc)
  target_link_libraries(quorTraceTestDll PRIVATE quor_except)
  target_include_directories(quorTraceTestDll PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_target_properties(quorTraceTestDll PROPERTIES PREFIX "")
  set_source_files_properties(${tests}/quorTraceTestDll.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/QuorTraceTest.bin)
  add_dependencies(quorTrace_test quorTraceTool quorTraceTestDll)
  set_tests_properties(quorTrace_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()

if(SORVENAL_WIN)
  # The pipeline tests' program carries its own symbols like the product.
  quor_except_test(quorPipeline_test QuorPipelineTest)
  sorvenal_embed_symbols(quorPipeline_test RC ${PROJECT_SOURCE_DIR}/tests/report/quorPipeline_test.rc)
endif()
