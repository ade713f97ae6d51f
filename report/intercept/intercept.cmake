# The reporter's runtime, one object library for the three runtime rooms
# (interception here, handling and storage add their files), so that a
# program linking it gets the start-up object and the throw capture even
# though nothing in the program names them.
#
# Interception: start-up, the raise capture, thread hooks, creator and
# naming, code patches, the emergency reserve, the shared thread buffer and
# list, pausing, the blocked-process test, the freeze watchdog, the message
# window, calibration and the integrity check.
set(quor_intercept_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_intercept_tests ${PROJECT_SOURCE_DIR}/tests/report/intercept)

# The freeze watchdog's probe interval (header only, platform-free).
sorvenal_test(quorFreezeInterval_test SOURCES ${quor_intercept_tests}/quorFreezeInterval_test.cpp)

if(SORVENAL_WIN)
  add_library(quor_except OBJECT
    ${quor_intercept_dir}/quorExceptRaise.cpp
    ${quor_intercept_dir}/quorExceptIntegrity.cpp
    ${quor_intercept_dir}/quorExceptStartup.cpp
    ${quor_intercept_dir}/quorExceptThreadHooks.cpp
    ${quor_intercept_dir}/quorThreadCreator.cpp
    ${quor_intercept_dir}/quorExceptThreads.cpp
    ${quor_intercept_dir}/quorExceptBuf.cpp
    ${quor_intercept_dir}/quorThreadNaming.cpp
    ${quor_intercept_dir}/quorMessageWindow.cpp
    ${quor_intercept_dir}/quorFreezeWatchdog.cpp
    ${quor_intercept_dir}/quorCodePatch.cpp
    ${quor_intercept_dir}/quorProcessBlocked.cpp
    ${quor_intercept_dir}/quorCalibration.cpp
    ${quor_intercept_dir}/quorPauseThreads.cpp
    ${quor_intercept_dir}/quorEmergencyReserve.cpp)
  target_include_directories(quor_except PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_except PUBLIC quor_box quor_lists quor_handling_core quor_storage_core quor_settings quor_stacktrace_win
    quor_stacktrace_sections quor_stacktrace_symbols quor_symbols tk_core version advapi32 user32 gdi32 comdlg32 shell32)
  # Every C++ throw passes the raise capture before the stack unwinds.
  target_link_options(quor_except INTERFACE -Wl,--wrap=__cxa_throw)
  # A pure virtual call is reported as a run-time error before the C++
  # library ends the program.
  target_link_options(quor_except INTERFACE -Wl,--wrap=__cxa_pure_virtual)
  # quorTraceProcess is exported under its plain name, without the @4 of a
  # stdcall function, so that outside tools find it by that name.
  target_link_options(quor_except INTERFACE -Wl,--kill-at)

  # Test programs built like the product: the reporter starts first and
  # takes over the toolkit's exception seams; each has its own settings,
  # <room>/<settings>.txt beside its sources <room>/<name>.cpp and .rc.
  function(quor_except_test name room settings)
    set(dir ${PROJECT_SOURCE_DIR}/tests/report/${room})
    set(bin ${CMAKE_CURRENT_BINARY_DIR}/${settings}.bin)
    add_custom_command(OUTPUT ${bin}
      COMMAND ${SORVENAL_HOST_TOOLS}/settingsc ${dir}/${settings}.txt ${bin}
      DEPENDS ${dir}/${settings}.txt
      COMMENT "Writing the report settings resource of ${name}")
    sorvenal_test(${name} SOURCES ${dir}/${name}.cpp ${dir}/${name}.rc DEPS quor_except toolkit)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
    set_source_files_properties(${dir}/${name}.rc PROPERTIES OBJECT_DEPENDS ${bin})
  endfunction()
  quor_except_test(quorExcept_test intercept QuorExceptTest)
  quor_except_test(quorFreeze_test intercept QuorFreezeTest)
  quor_except_test(quorTrace_test intercept QuorTraceTest)
  # Beside the trace test program: the outside tool that asks it for its
  # state, and a library with a second copy of the reporter.
  set(tests ${quor_intercept_tests})
  add_executable(quorTraceTool ${tests}/quorTraceTool.cpp)
  add_library(quorTraceTestDll SHARED ${tests}/quorTraceTestDll.cpp ${tests}/quorTraceTestDll.rc)
  target_link_libraries(quorTraceTestDll PRIVATE quor_except)
  target_include_directories(quorTraceTestDll PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_target_properties(quorTraceTestDll PROPERTIES PREFIX "")
  set_source_files_properties(${tests}/quorTraceTestDll.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/QuorTraceTest.bin)
  add_dependencies(quorTrace_test quorTraceTool quorTraceTestDll)
  set_tests_properties(quorTrace_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

  # What the raise capture adds to a throw: the same program built with and
  # without it (timing harness, run by hand under Wine).
  add_executable(raisecapture_bench ${PROJECT_SOURCE_DIR}/bench/raisecapture_bench.cpp
    ${tests}/quorExcept_test.rc)
  target_link_libraries(raisecapture_bench PRIVATE quor_except toolkit)
  target_include_directories(raisecapture_bench PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  target_compile_definitions(raisecapture_bench PRIVATE RAISE_CAPTURE=1)

  add_executable(raisecapture_plain_bench ${PROJECT_SOURCE_DIR}/bench/raisecapture_bench.cpp)
  target_link_libraries(raisecapture_plain_bench PRIVATE tk_core)
  target_include_directories(raisecapture_plain_bench PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(raisecapture_plain_bench PRIVATE RAISE_CAPTURE=0)
endif()
