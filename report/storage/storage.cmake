# Storage: the bug report file and its editor, the automatic store, Save As,
# the print layout and printing, the automatic actions, the box's action
# hook and the temporary folder. The file editor and the page layout are
# platform-free (both builds).
set(quor_storage_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_storage_tests ${PROJECT_SOURCE_DIR}/tests/report/storage)

sorvenal_core(quor_storage_core SOURCES
  ${quor_storage_dir}/quorBugRepFile.cpp
  ${quor_storage_dir}/quorPrintLayout.cpp)
sorvenal_test(quorStorageCore_test SOURCES
  ${quor_storage_tests}/quorBugRepFile_test.cpp
  ${quor_storage_tests}/quorPrintLayout_test.cpp
  DEPS quor_storage_core)
sorvenal_fuzz(bugrepfile_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/bugrepfile_fuzz.cpp DEPS quor_storage_core)

if(SORVENAL_WIN)
  target_sources(quor_except PRIVATE
    ${quor_storage_dir}/quorTempFolder.cpp
    ${quor_storage_dir}/quorBugRepStore.cpp
    ${quor_storage_dir}/quorSaveAsDialog.cpp
    ${quor_storage_dir}/quorPrintReport.cpp
    ${quor_storage_dir}/quorAutoActions.cpp
    ${quor_storage_dir}/quorActionHook.cpp
    ${quor_storage_dir}/quorExceptAssistant.cpp
    ${quor_storage_dir}/quorExceptSend.cpp)
  target_link_libraries(quor_except PUBLIC quor_assistant quor_delivery_win)

  # In-process: the Save As dialog, the action hook and the printed pages,
  # with the exception tests' settings.
  sorvenal_test(quorStorage_test SOURCES
    ${PROJECT_SOURCE_DIR}/tests/report/storage/quorSaveAs_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/storage/quorActionHook_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/storage/quorPrintReport_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/intercept/quorExcept_test.rc
    DEPS quor_except toolkit)
  target_include_directories(quorStorage_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${PROJECT_SOURCE_DIR}/tests/report/intercept/quorExcept_test.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/QuorExceptTest.bin)

  # The child the process tests start: built like the product, with its
  # image check sum written.
  add_executable(quorProcessChild ${PROJECT_SOURCE_DIR}/tests/report/storage/quorProcessChild.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/intercept/quorExcept_test.rc)
  target_link_libraries(quorProcessChild PRIVATE quor_except toolkit)
  target_include_directories(quorProcessChild PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(TARGET quorProcessChild POST_BUILD
    COMMAND ${SORVENAL_HOST_TOOLS}/pechecksum $<TARGET_FILE:quorProcessChild>
    COMMENT "Writing the image check sum into quorProcessChild.exe")

  sorvenal_test(quorProcess_test SOURCES ${PROJECT_SOURCE_DIR}/tests/report/storage/quorProcess_test.cpp
    DEPS quor_storage_core quor_mapfile)
  target_compile_definitions(quorProcess_test PRIVATE QUOR_CHILD_EXE="$<TARGET_FILE:quorProcessChild>")
  add_dependencies(quorProcess_test quorProcessChild)
endif()
