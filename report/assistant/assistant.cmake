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

# The stored forms, written from their text form (resources/assistant) by
# the layout writer into the build tree: resources of the program, and read
# back by the native test.
if(SORVENAL_WIN)
  set(quor_layoutc ${SORVENAL_HOST_TOOLS}/layoutc)
  set(quor_layoutc_target)
else()
  set(quor_layoutc $<TARGET_FILE:layoutc>)
  set(quor_layoutc_target layoutc)
endif()
set(quor_assistant_form_bins)
foreach(form ContactForm DetailsForm ScrShotForm)
  set(bin ${PROJECT_BINARY_DIR}/report/${form}.bin)
  add_custom_command(OUTPUT ${bin}
    COMMAND ${quor_layoutc} ${PROJECT_SOURCE_DIR}/resources/assistant/${form}.txt ${bin}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/assistant/${form}.txt ${quor_layoutc_target}
    COMMENT "Writing the assistant form ${form}")
  list(APPEND quor_assistant_form_bins ${bin})
endforeach()
add_custom_target(quor_assistant_forms DEPENDS ${quor_assistant_form_bins})

sorvenal_test(quorAssistant_test SOURCES
  ${quor_assistant_tests}/quorEmailAddress_test.cpp
  ${quor_assistant_tests}/quorNVFormModel_test.cpp
  ${quor_assistant_tests}/quorNVLayout_test.cpp
  ${quor_assistant_tests}/quorStoredForms_test.cpp
  DEPS quor_assistant_core)
add_dependencies(quorAssistant_test quor_assistant_forms)
target_compile_definitions(quorAssistant_test PRIVATE QUOR_ASSISTANT_FORMS="${PROJECT_BINARY_DIR}/report")

sorvenal_fuzz(nv_form_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/nv_form_fuzz.cpp DEPS quor_assistant_core)

if(SORVENAL_WIN)
  # The forms on the screen.
  add_library(quor_assistant STATIC ${quor_assistant_dir}/quorNVForm.cpp ${quor_assistant_dir}/quorNVImage.cpp
    ${quor_assistant_dir}/quorNVCheckBox.cpp ${quor_assistant_dir}/quorNVEditFrame.cpp
    ${quor_assistant_dir}/quorContactForm.cpp ${quor_assistant_dir}/quorScreenshotForm.cpp
    ${quor_assistant_dir}/quorReportAssistant.cpp)
  target_include_directories(quor_assistant PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_assistant PUBLIC quor_assistant_core quor_settings quor_screenshot base gdi32 user32
                        advapi32 shell32 comctl32)
  sorvenal_test(quorNVForm_test SOURCES ${quor_assistant_tests}/quorNVForm_test.cpp
    ${quor_assistant_tests}/quorContactForm_test.cpp DEPS quor_assistant)
  add_dependencies(quorNVForm_test quor_assistant_forms)
  target_compile_definitions(quorNVForm_test PRIVATE QUOR_ASSISTANT_FORMS="${PROJECT_BINARY_DIR}/report")
  # The program's assistants with its settings and stored forms.
  sorvenal_test(quorReportAssistant_test SOURCES ${quor_assistant_tests}/quorReportAssistant_test.cpp
    ${quor_assistant_tests}/quorReportAssistant_test.rc DEPS quor_assistant)
  add_dependencies(quorReportAssistant_test quor_assistant_forms quor_settings_resources)
  target_include_directories(quorReportAssistant_test PRIVATE ${PROJECT_BINARY_DIR}/report)
  # The stand-in image editor records the file it was given.
  target_compile_definitions(quorReportAssistant_test PRIVATE
    QUOR_RECORD_ARGS_W=L"${PROJECT_SOURCE_DIR}/tests/report/delivery/record_args.py")
  set_source_files_properties(${quor_assistant_tests}/quorReportAssistant_test.rc PROPERTIES
    OBJECT_DEPENDS "${quor_assistant_form_bins};${quor_settings_bin}")
endif()
