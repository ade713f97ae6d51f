# System facts and the report's list plug-ins: the plug-in registry and the
# texts of the "modules", "processes" and "hardware" sections are
# platform-free (both builds), as are the handler lists of the per-thread
# message-handler windows; the Windows side reads the header's system facts,
# collects the modules, processes and devices, and keeps the windows.
set(quor_lists_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_lists_tests ${PROJECT_SOURCE_DIR}/tests/report/lists)

sorvenal_core(quor_lists_core SOURCES
  ${quor_lists_dir}/quorReportPlugins.cpp
  ${quor_lists_dir}/quorListText.cpp
  ${quor_lists_dir}/quorListHardware.cpp
  ${quor_lists_dir}/quorMsgHandlers.cpp
  DEPS quor_text)
sorvenal_test(quorListsCore_test SOURCES ${quor_lists_tests}/quorLists_test.cpp
  ${quor_lists_tests}/quorListHardware_test.cpp ${quor_lists_tests}/quorMsgHandlers_test.cpp DEPS quor_lists_core)

if(SORVENAL_WIN)
  add_library(quor_lists STATIC
    ${quor_lists_dir}/quorListsWin.cpp
    ${quor_lists_dir}/quorListHardwareWin.cpp
    ${quor_lists_dir}/quorSystemLibraries.cpp
    ${quor_lists_dir}/quorMsgHandlerWindow.cpp
    ${quor_lists_dir}/quorOsInfo.cpp
    ${quor_lists_dir}/quorTools.cpp)
  target_include_directories(quor_lists PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_lists PUBLIC quor_lists_core quor_settings base advapi32 gdi32 user32 kernel32)
  sorvenal_test(quorListsWin_test SOURCES ${quor_lists_tests}/quorListsWin_test.cpp
    ${quor_lists_tests}/quorTools_test.cpp ${quor_lists_tests}/quorMsgHandlerWindow_test.cpp DEPS quor_lists psapi)

  # Timing harness, run by hand under Wine: the header's system facts and
  # the three list sections.
  add_executable(systemfacts_bench ${PROJECT_SOURCE_DIR}/bench/systemfacts_bench.cpp)
  target_link_libraries(systemfacts_bench PRIVATE quor_lists)
endif()
