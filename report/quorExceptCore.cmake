# The platform-free part of the exception handling: report text, the bug
# report file editor, the handling request, the exception history, the image
# check sum and the exception class description.
set(quor_except_dir ${CMAKE_CURRENT_LIST_DIR})

# The number and time forms every report text uses (the disassembly too).
sorvenal_core(quor_textformat SOURCES ${quor_except_dir}/quorTextFormat.cpp)

sorvenal_core(quor_except_core SOURCES
  ${quor_except_dir}/quorBugRepFile.cpp
  ${quor_except_dir}/quorReportText.cpp
  ${quor_except_dir}/quorReportSections.cpp
  ${quor_except_dir}/quorHandlingRequest.cpp
  ${quor_except_dir}/quorExceptionHistory.cpp
  ${quor_except_dir}/quorImageCheckSum.cpp
  ${quor_except_dir}/quorExceptClass.cpp
  ${quor_except_dir}/quorToolsText.cpp
  DEPS quor_settings_core quor_zip quor_textformat tk_core)

sorvenal_test(quorExceptCore_test SOURCES
  ${PROJECT_SOURCE_DIR}/tests/report/quorBugRepFile_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/report/quorReportText_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/report/quorExceptRecords_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/report/quorExceptClass_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/report/quorFreezeInterval_test.cpp
  DEPS quor_except_core)

sorvenal_fuzz(bugrepfile_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/bugrepfile_fuzz.cpp DEPS quor_except_core)
