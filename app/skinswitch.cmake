# Skinned painting of the main window in real windows under Wine: switching
# skins at run time, the buttons' fades and the skin command protocol.
if(SORVENAL_WIN)
  set(t ${PROJECT_SOURCE_DIR}/tests/app)
  sorvenal_test(skinswitch_test SOURCES ${t}/skinswitch_test.cpp ${t}/buttonfade_test.cpp ${t}/skincommands_test.cpp
                ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc DEPS app_core)
  add_dependencies(skinswitch_test form_main_layout quor_settings_resources)
  target_include_directories(skinswitch_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  set_tests_properties(skinswitch_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()
