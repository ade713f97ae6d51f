# Report settings: the settings resource reader, property records, built-in
# defaults, settings objects, field lists, encoded lists and placeholders
# (platform-free), and the shared settings buffer and lookups (Win32).
set(quor_settings_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_settings_tests ${PROJECT_SOURCE_DIR}/tests/report/settings)

sorvenal_core(quor_settings_core
  SOURCES ${quor_settings_dir}/quorSettingsProperty.cpp ${quor_settings_dir}/quorSettingsResource.cpp
          ${quor_settings_dir}/quorBuiltInDefaults.cpp
          ${quor_settings_dir}/quorFields.cpp ${quor_settings_dir}/quorEncodedLists.cpp
          ${quor_settings_dir}/quorAttachments.cpp
          ${quor_settings_dir}/quorPlaceholders.cpp ${quor_settings_dir}/quorAssistantDefinition.cpp
          ${quor_settings_dir}/quorSettings.cpp ${quor_settings_dir}/quorSettingsObject.cpp
          ${quor_settings_dir}/quorFilterGroup.cpp ${quor_settings_dir}/quorFormCache.cpp
  DEPS quor_zip quor_text)

sorvenal_test(quorSettings_test
  SOURCES ${quor_settings_tests}/quorSettingsResource_test.cpp ${quor_settings_tests}/quorSettingsObject_test.cpp
          ${quor_settings_tests}/quorFields_test.cpp ${quor_settings_tests}/quorEncodedLists_test.cpp
          ${quor_settings_tests}/quorPlaceholders_test.cpp ${quor_settings_tests}/quorAttachments_test.cpp
  DEPS quor_settings_core)

foreach(target settings_resource_fuzz settings_lists_fuzz)
  sorvenal_fuzz(${target} SOURCES ${PROJECT_SOURCE_DIR}/fuzz/${target}.cpp DEPS quor_settings_core)
endforeach()

if(SORVENAL_WIN)
  add_library(quor_settings STATIC
    ${quor_settings_dir}/quorSharedSettings.cpp ${quor_settings_dir}/quorSettingsLookup.cpp
    ${quor_settings_dir}/quorModuleVersion.cpp ${quor_settings_dir}/quorModulePath.cpp)
  target_link_libraries(quor_settings PUBLIC quor_settings_core base version)

  # The program's settings resource and the test library's, written by settingsc.
  set(quor_settings_bin ${CMAKE_CURRENT_BINARY_DIR}/QuorExcept.bin)
  add_custom_command(OUTPUT ${quor_settings_bin}
    COMMAND ${SORVENAL_HOST_TOOLS}/settingsc ${PROJECT_SOURCE_DIR}/resources/QuorExcept.txt ${quor_settings_bin}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/QuorExcept.txt
    COMMENT "Writing the report settings resource")
  set(quor_settings_dll_bin ${CMAKE_CURRENT_BINARY_DIR}/QuorExceptTestDll.bin)
  add_custom_command(OUTPUT ${quor_settings_dll_bin}
    COMMAND ${SORVENAL_HOST_TOOLS}/settingsc ${quor_settings_tests}/QuorExceptTestDll.txt ${quor_settings_dll_bin}
    DEPENDS ${quor_settings_tests}/QuorExceptTestDll.txt
    COMMENT "Writing the test library's settings resource")
  add_custom_target(quor_settings_resources DEPENDS ${quor_settings_bin} ${quor_settings_dll_bin})
endif()

# The process-wide settings records are keyed by 32-bit module addresses: the
# product's layout, not the 64-bit test build's.
if(SORVENAL_PRODUCT)
  add_library(quorSettingsTestDll SHARED ${quor_settings_tests}/quorSettingsTestDll.cpp
                                         ${quor_settings_tests}/quorSettingsTestDll.rc)
  target_link_libraries(quorSettingsTestDll PRIVATE quor_settings)
  target_include_directories(quorSettingsTestDll PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_target_properties(quorSettingsTestDll PROPERTIES PREFIX "")
  add_dependencies(quorSettingsTestDll quor_settings_resources)
  set_source_files_properties(${quor_settings_tests}/quorSettingsTestDll.rc PROPERTIES OBJECT_DEPENDS ${quor_settings_dll_bin})

  sorvenal_test(quorSharedSettings_test
    SOURCES ${quor_settings_tests}/quorSharedSettings_test.cpp ${PROJECT_SOURCE_DIR}/resources/QuorExcept.rc
    DEPS quor_settings)
  target_include_directories(quorSharedSettings_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  add_dependencies(quorSharedSettings_test quorSettingsTestDll quor_settings_resources)
  set_source_files_properties(${PROJECT_SOURCE_DIR}/resources/QuorExcept.rc PROPERTIES OBJECT_DEPENDS ${quor_settings_bin})
  set_tests_properties(quorSharedSettings_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()
