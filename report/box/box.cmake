# The exception box: its window, buttons and count-down, and its details
# view (the report in tabs).

# --- Details view ------------------------------------------------------------
# The platform-free formatters (tabs, column detection, the call-stack,
# disassembly and automatic layouts, row colours) are built in both builds;
# the tab control with its list view or edit only for Windows.
set(quor_box_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_box_tests ${PROJECT_SOURCE_DIR}/tests/report/box)

sorvenal_core(quor_box_details_core SOURCES
  ${quor_box_dir}/quorDetailsLines.cpp
  ${quor_box_dir}/quorDetectColumns.cpp
  ${quor_box_dir}/quorDetailsCells.cpp
  ${quor_box_dir}/quorAutoFormat.cpp
  ${quor_box_dir}/quorDisAsmFormat.cpp
  ${quor_box_dir}/quorCallStackFormat.cpp
  ${quor_box_dir}/quorDetailsTabs.cpp
  ${quor_box_dir}/quorDetailsFormat.cpp
  ${quor_box_dir}/quorDetailsColours.cpp
  ${quor_box_dir}/quorIdeJump.cpp)

sorvenal_test(quorBoxDetailsFormat_test SOURCES
  ${quor_box_tests}/quorDetectColumns_test.cpp
  ${quor_box_tests}/quorDetailsFormat_test.cpp
  ${quor_box_tests}/quorCallStackFormat_test.cpp
  ${quor_box_tests}/quorDetailsTabs_test.cpp
  ${quor_box_tests}/quorDetailsColours_test.cpp
  DEPS quor_box_details_core quor_text)

sorvenal_fuzz(details_format_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/details_format_fuzz.cpp
  DEPS quor_box_details_core)
sorvenal_bench(quorBoxDetails_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/quorBoxDetails_bench.cpp
  DEPS quor_box_details_core)

if(SORVENAL_WIN)
  add_library(quor_box_details STATIC
    ${quor_box_dir}/quorBoxDetails.cpp
    ${quor_box_dir}/quorDetailsView.cpp
    ${quor_box_dir}/quorDetailsRowPaint.cpp
    ${quor_box_dir}/quorIdeJumpWin.cpp)
  target_link_libraries(quor_box_details PUBLIC quor_box_details_core base comctl32 gdi32 user32)

  sorvenal_test(quorBoxDetails_test SOURCES ${quor_box_tests}/quorBoxDetails_test.cpp DEPS quor_box_details quor_text)
  # The screenshots of the details view stay in the build tree.
  set_tests_properties(quorBoxDetails_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

  # Timing harness under Wine (built, not run by the tests).
  add_executable(boxdetails_bench ${PROJECT_SOURCE_DIR}/bench/boxdetails_bench.cpp)
  target_link_libraries(boxdetails_bench PRIVATE quor_box_details)
  target_include_directories(boxdetails_bench PRIVATE ${PROJECT_SOURCE_DIR})
endif()
# --- end of details view -----------------------------------------------------
