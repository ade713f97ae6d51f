# Report text: number, size and time forms every report text uses (the
# disassembly too), the operating-system record and its description, the
# reporter's single-byte string helpers, the report header text and its
# sections, the list of the reporter's own failures (platform-free, both
# builds).
set(quor_text_dir ${CMAKE_CURRENT_LIST_DIR})
sorvenal_core(quor_text SOURCES
  ${quor_text_dir}/quorTextFormat.cpp
  ${quor_text_dir}/quorText.cpp
  ${quor_text_dir}/quorReportText.cpp
  ${quor_text_dir}/quorReportSections.cpp
  ${quor_text_dir}/quorToolsText.cpp
  ${quor_text_dir}/quorOsVersion.cpp
  ${quor_text_dir}/quorInternalErrors.cpp)

# The test also checks the settings' hexadecimal form beside the text forms.
sorvenal_test(quorText_test SOURCES ${PROJECT_SOURCE_DIR}/tests/report/text/quorReportText_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/report/text/quorInternalErrors_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/report/text/quorOsVersion_test.cpp
  DEPS quor_text quor_settings_core)
