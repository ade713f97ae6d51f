# System facts and the report's list plug-ins: the plug-in registry and the
# texts of the "modules" and "processes" sections are platform-free (both
# builds); the Windows side collects the modules and processes.
set(quor_lists_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_lists_tests ${PROJECT_SOURCE_DIR}/tests/report/lists)

sorvenal_core(quor_lists_core SOURCES
  ${quor_lists_dir}/quorReportPlugins.cpp
  ${quor_lists_dir}/quorListText.cpp
  DEPS quor_text)
sorvenal_test(quorListsCore_test SOURCES ${quor_lists_tests}/quorLists_test.cpp DEPS quor_lists_core)

if(SORVENAL_WIN)
  add_library(quor_lists STATIC ${quor_lists_dir}/quorListsWin.cpp)
  target_include_directories(quor_lists PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_lists PUBLIC quor_lists_core quor_settings base kernel32)
  sorvenal_test(quorListsWin_test SOURCES ${quor_lists_tests}/quorListsWin_test.cpp DEPS quor_lists psapi)
endif()
