# settingsc: the report settings resource from its text form (passwords scrambled).
if(SORVENAL_NATIVE)
  sorvenal_core(tool_settingsform SOURCES ${CMAKE_CURRENT_LIST_DIR}/SettingsForm.cpp DEPS tool_textform quor_zip)
  sorvenal_host_tool(settingsc SOURCES ${CMAKE_CURRENT_LIST_DIR}/settingsc.cpp DEPS tool_settingsform)
  sorvenal_test(settingsform_test SOURCES ${PROJECT_SOURCE_DIR}/tests/tools/SettingsForm_test.cpp
                DEPS tool_settingsform quor_settings_core)
  target_compile_definitions(settingsform_test PRIVATE
    QUOR_SETTINGS_SOURCE="${PROJECT_SOURCE_DIR}/resources/QuorExcept.txt")
endif()

# Settings look-ups, resource reading and placeholders (native benchmark).
sorvenal_bench(quorSettings_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/quorSettings_bench.cpp
               DEPS tool_settingsform quor_settings_core)
if(TARGET quorSettings_bench)
  target_compile_definitions(quorSettings_bench PRIVATE
    QUOR_SETTINGS_SOURCE="${PROJECT_SOURCE_DIR}/resources/QuorExcept.txt")
endif()
