# The exception box: the window a user sees when the reporter caught an
# exception or a frozen main thread. The layout, texts, countdown, close
# resolution and colour arithmetic are platform-free (both builds); the
# window itself is Win32. It knows the exception only through IBoxException,
# so it builds and is tested in the 64-bit test build too.
set(quor_box_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_box_tests ${PROJECT_SOURCE_DIR}/tests/report/box)

# --- Details view ------------------------------------------------------------
# The platform-free formatters (tabs, column detection, the call-stack,
# disassembly and automatic layouts, row colours) are built in both builds;
# the tab control with its list view or edit only for Windows.
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

# --- The box ---------------------------------------------------------------------
sorvenal_core(quor_box_core SOURCES
  ${quor_box_dir}/quorBoxLayout.cpp
  ${quor_box_dir}/quorBoxTexts.cpp
  ${quor_box_dir}/quorBoxCountdown.cpp
  ${quor_box_dir}/quorBoxChoices.cpp
  ${quor_box_dir}/quorBoxColors.cpp)

sorvenal_test(quorBoxCore_test SOURCES
  ${quor_box_tests}/quorBoxLayout_test.cpp
  ${quor_box_tests}/quorBoxTexts_test.cpp
  ${quor_box_tests}/quorBoxChoices_test.cpp
  DEPS quor_box_core)

if(SORVENAL_WIN)
  # The icons, drawn by quoricons (native build) into the build tree; the
  # program and the box's test take them through resources/QuorIcons.rc.
  set(quor_box_icon_bins)
  foreach(icon QUORISEND QUORISAVE QUORIPRINT QUORISHOW QUORICONTINUE QUORIRESTART QUORICLOSE QUORICANTCONTINUE
               QUORIBIG QUORIPLWAIT QUORISEND32)
    list(APPEND quor_box_icon_bins ${PROJECT_BINARY_DIR}/report/${icon}.bin)
  endforeach()
  add_custom_command(OUTPUT ${quor_box_icon_bins}
    COMMAND ${SORVENAL_HOST_TOOLS}/quoricons ${PROJECT_BINARY_DIR}/report
    DEPENDS ${SORVENAL_HOST_TOOLS}/quoricons
    COMMENT "Drawing the exception box's icons")
  add_custom_target(quor_box_icons DEPENDS ${quor_box_icon_bins})
  set_property(GLOBAL PROPERTY quor_box_icon_bins ${quor_box_icon_bins})

  add_library(quor_box STATIC
    ${quor_box_dir}/quorBoxBeep.cpp
    ${quor_box_dir}/quorBoxIcons.cpp
    ${quor_box_dir}/quorBoxFonts.cpp
    ${quor_box_dir}/quorBoxButtons.cpp
    ${quor_box_dir}/quorBoxClipboard.cpp
    ${quor_box_dir}/quorBoxWindow.cpp
    ${quor_box_dir}/quorPresentException.cpp)
  target_link_libraries(quor_box PUBLIC quor_box_core quor_box_details quor_settings_core base comctl32 gdi32 user32)

  # Real boxes under Wine, driven by a second thread; screenshots as PNG.
  sorvenal_test(quorBoxWindow_test SOURCES ${quor_box_tests}/quorBoxWindow_test.cpp
    ${quor_box_tests}/BoxFixture.cpp ${quor_box_tests}/quorBoxWindow_test.rc
    DEPS quor_box quor_screenshot_core)
  target_include_directories(quorBoxWindow_test PRIVATE ${PROJECT_SOURCE_DIR}/resources ${PROJECT_BINARY_DIR}/report)
  add_dependencies(quorBoxWindow_test quor_box_icons quor_settings_resources)
  set_source_files_properties(${quor_box_tests}/quorBoxWindow_test.rc PROPERTIES OBJECT_DEPENDS
    "${quor_box_icon_bins};${PROJECT_BINARY_DIR}/report/QuorExcept.bin")
  set_tests_properties(quorBoxWindow_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

  # Timing harness under Wine (built, not run by the tests): the box from the
  # complete report to its painted window, plain and with a 1 MB report's details.
  add_executable(boxshow_bench ${PROJECT_SOURCE_DIR}/bench/boxshow_bench.cpp ${quor_box_tests}/BoxFixture.cpp
    ${quor_box_tests}/quorBoxWindow_test.rc)
  target_link_libraries(boxshow_bench PRIVATE quor_box quor_screenshot_core)
  target_include_directories(boxshow_bench PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources
    ${PROJECT_BINARY_DIR}/report)
  add_dependencies(boxshow_bench quor_box_icons quor_settings_resources)
endif()
