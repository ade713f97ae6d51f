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
