# The exception box: the window a user sees when the reporter caught an
# exception or a frozen main thread. The layout, texts, countdown, close
# resolution and colour arithmetic are platform-free (both builds); the
# window itself is Win32. It knows the exception only through IBoxException,
# so it builds and is tested in the 64-bit test build too.
set(quor_box_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_box_tests ${PROJECT_SOURCE_DIR}/tests/report/box)

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
    ${quor_box_dir}/quorBoxIcons.cpp
    ${quor_box_dir}/quorBoxFonts.cpp
    ${quor_box_dir}/quorBoxButtons.cpp
    ${quor_box_dir}/quorBoxClipboard.cpp
    ${quor_box_dir}/quorBoxDetails.cpp
    ${quor_box_dir}/quorBoxWindow.cpp
    ${quor_box_dir}/quorPresentException.cpp)
  target_link_libraries(quor_box PUBLIC quor_box_core quor_settings_core base comctl32 gdi32 user32)

  # Real boxes under Wine, driven by a second thread; screenshots as PNG.
  sorvenal_test(quorBoxWindow_test SOURCES ${quor_box_tests}/quorBoxWindow_test.cpp
    ${quor_box_tests}/BoxFixture.cpp ${quor_box_tests}/quorBoxWindow_test.rc
    DEPS quor_box quor_screenshot_core)
  target_include_directories(quorBoxWindow_test PRIVATE ${PROJECT_SOURCE_DIR}/resources ${PROJECT_BINARY_DIR}/report)
  add_dependencies(quorBoxWindow_test quor_box_icons quor_settings_resources)
  set_source_files_properties(${quor_box_tests}/quorBoxWindow_test.rc PROPERTIES OBJECT_DEPENDS
    "${quor_box_icon_bins};${PROJECT_BINARY_DIR}/report/QuorExcept.bin")
  set_tests_properties(quorBoxWindow_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()
