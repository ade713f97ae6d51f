# System facts and the report's list plug-ins: the plug-in registry and the
# texts of the "modules", "processes" and "hardware" sections are
# platform-free (both builds); the Windows side reads the header's system
# facts and collects the modules, processes and devices.
set(quor_lists_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_lists_tests ${PROJECT_SOURCE_DIR}/tests/report/lists)

sorvenal_core(quor_lists_core SOURCES
  ${quor_lists_dir}/quorReportPlugins.cpp
  ${quor_lists_dir}/quorListText.cpp
  ${quor_lists_dir}/quorListHardware.cpp
  DEPS quor_text)
sorvenal_test(quorListsCore_test SOURCES ${quor_lists_tests}/quorLists_test.cpp
  ${quor_lists_tests}/quorListHardware_test.cpp DEPS quor_lists_core)

if(SORVENAL_WIN)
  add_library(quor_lists STATIC
    ${quor_lists_dir}/quorListsWin.cpp
    ${quor_lists_dir}/quorListHardwareWin.cpp
    ${quor_lists_dir}/quorSystemLibraries.cpp
    ${quor_lists_dir}/quorOsInfo.cpp
    ${quor_lists_dir}/quorTools.cpp)
  target_include_directories(quor_lists PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_lists PUBLIC quor_lists_core quor_settings base advapi32 gdi32 user32 kernel32)
  sorvenal_test(quorListsWin_test SOURCES ${quor_lists_tests}/quorListsWin_test.cpp
    ${quor_lists_tests}/quorTools_test.cpp DEPS quor_lists psapi)
endif()
