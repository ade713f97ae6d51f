# Skinned labels and edits of the main window in real windows under Wine:
# the effect label's shadow, the sticky label, typing into the file-name
# edit, its folder button and dialog, and screenshots in every skin.
if(SORVENAL_WIN)
  set(t ${PROJECT_SOURCE_DIR}/tests/app)
  sorvenal_test(skinedits_test SOURCES ${t}/labels_test.cpp ${t}/edits_test.cpp
                ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc DEPS app_core)
  add_dependencies(skinedits_test form_main_layout quor_settings_resources)
  target_include_directories(skinedits_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  set_tests_properties(skinedits_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()

if(SORVENAL_WIN)
  # Standard dialogs over the skinned main window: message boxes, the open
  # dialog, odd and late children; screenshots kept in the test's folder.
  set(t ${PROJECT_SOURCE_DIR}/tests/app)
  sorvenal_test(dialogs_test SOURCES ${t}/dialogs_test.cpp ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc DEPS app_core)
  add_dependencies(dialogs_test form_main_layout quor_settings_resources)
  target_include_directories(dialogs_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  set_tests_properties(dialogs_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()

if(SORVENAL_WIN)
  # Timing harness: MessageBox call to the painted box, skinned and not.
  add_executable(dialogshow_bench ${PROJECT_SOURCE_DIR}/bench/dialogshow_bench.cpp ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc)
  add_dependencies(dialogshow_bench form_main_layout quor_settings_resources)
  target_include_directories(dialogshow_bench PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  target_link_libraries(dialogshow_bench PRIVATE app_core)
endif()
