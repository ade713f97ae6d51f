# The progress window: the plan of weighted areas and its bar value, the
# window's layout and the blending of the reporter's raw icons
# (platform-free, both builds); the window itself on the Win32 side. It
# does not depend on the processor, so the 64-bit test build has it too.
set(quor_progress_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_progress_tests ${PROJECT_SOURCE_DIR}/tests/report/progress)

sorvenal_core(quor_progress_core SOURCES
  ${quor_progress_dir}/quorProgressAreas.cpp
  ${quor_progress_dir}/quorProgressLayout.cpp
  ${quor_progress_dir}/quorRawIcon.cpp)

sorvenal_test(quorProgressCore_test SOURCES
  ${quor_progress_tests}/quorProgressAreas_test.cpp
  ${quor_progress_tests}/quorProgressLayout_test.cpp
  ${quor_progress_tests}/quorRawIcon_test.cpp
  DEPS quor_progress_core)

if(SORVENAL_WIN)
  add_library(quor_progress STATIC ${quor_progress_dir}/quorNVPrgrAlert.cpp ${quor_progress_dir}/quorProgressWindow.cpp
    ${quor_progress_dir}/quorProgressWait.cpp)
  target_include_directories(quor_progress PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_progress PUBLIC quor_progress_core base comctl32 gdi32 user32)

  # A raw icon of the test's own drawing, as a resource of the test program.
  find_program(QUOR_TEST_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
  set(quor_progress_icon ${CMAKE_CURRENT_BINARY_DIR}/progress_test_icon.bin)
  add_custom_command(OUTPUT ${quor_progress_icon}
    COMMAND ${QUOR_TEST_PYTHON} ${quor_progress_tests}/make_test_icon.py ${quor_progress_icon}
    DEPENDS ${quor_progress_tests}/make_test_icon.py
    COMMENT "Drawing the progress test's icon")
  sorvenal_test(quorNVPrgrAlert_test SOURCES ${quor_progress_tests}/quorNVPrgrAlert_test.cpp
    ${quor_progress_tests}/quorProgressWait_test.cpp ${quor_progress_tests}/quorNVPrgrAlert_test.rc DEPS quor_progress)
  target_include_directories(quorNVPrgrAlert_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${quor_progress_tests}/quorNVPrgrAlert_test.rc PROPERTIES OBJECT_DEPENDS ${quor_progress_icon})
  # The test keeps its screenshot beside the program.
  target_compile_definitions(quorNVPrgrAlert_test PRIVATE QUOR_PROGRESS_SHOTS="${CMAKE_CURRENT_BINARY_DIR}")

  # Timing harness under Wine (built, not run by the tests): the wait
  # window's cost for a report that is ready before it would show.
  add_executable(waitwindow_bench ${PROJECT_SOURCE_DIR}/bench/waitwindow_bench.cpp)
  target_link_libraries(waitwindow_bench PRIVATE quor_progress)
  target_include_directories(waitwindow_bench PRIVATE ${PROJECT_SOURCE_DIR})
endif()
