# Assistants: the forms a user walks through before a report is sent, saved
# or printed. The platform-free core (form resources, items, the e-mail
# check, what finished forms give the report) is built in both builds.
set(quor_assistant_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_assistant_tests ${PROJECT_SOURCE_DIR}/tests/report/assistant)

sorvenal_core(quor_assistant_core SOURCES
  ${quor_assistant_dir}/quorEmailAddress.cpp
  ${quor_assistant_dir}/quorNVFormModel.cpp
  ${quor_assistant_dir}/quorNVLayout.cpp
  DEPS quor_text)

sorvenal_test(quorAssistant_test SOURCES
  ${quor_assistant_tests}/quorEmailAddress_test.cpp
  ${quor_assistant_tests}/quorNVFormModel_test.cpp
  ${quor_assistant_tests}/quorNVLayout_test.cpp
  DEPS quor_assistant_core)

sorvenal_fuzz(nv_form_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/nv_form_fuzz.cpp DEPS quor_assistant_core)

if(SORVENAL_WIN)
  # The forms on the screen.
  add_library(quor_assistant STATIC ${quor_assistant_dir}/quorNVForm.cpp)
  target_include_directories(quor_assistant PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_assistant PUBLIC quor_assistant_core base gdi32 user32)
  sorvenal_test(quorNVForm_test SOURCES ${quor_assistant_tests}/quorNVForm_test.cpp DEPS quor_assistant)
endif()
