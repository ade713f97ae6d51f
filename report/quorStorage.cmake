# Printing, saving and the box's action hook: the platform-free page layout
# (both builds) and the Windows tests of storing, printing and the ends of
# the process.
sorvenal_core(quor_print_layout SOURCES ${CMAKE_CURRENT_LIST_DIR}/quorPrintLayout.cpp)
sorvenal_test(quorPrintLayout_test SOURCES ${PROJECT_SOURCE_DIR}/tests/report/quorPrintLayout_test.cpp
  DEPS quor_print_layout)

if(SORVENAL_WIN)
  # In-process: the Save As dialog, the action hook and the printed pages,
  # with the exception tests' settings.
  sorvenal_test(quorStorage_test SOURCES
    ${PROJECT_SOURCE_DIR}/tests/report/quorSaveAs_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/quorActionHook_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/quorPrintReport_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/quorExcept_test.rc
    DEPS quor_except toolkit)
  target_include_directories(quorStorage_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${PROJECT_SOURCE_DIR}/tests/report/quorExcept_test.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/QuorExceptTest.bin)

  # The child the process tests start: built like the product, with its
  # image check sum written.
  add_executable(quorProcessChild ${PROJECT_SOURCE_DIR}/tests/report/quorProcessChild.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/quorExcept_test.rc)
  target_link_libraries(quorProcessChild PRIVATE quor_except toolkit)
  target_include_directories(quorProcessChild PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(TARGET quorProcessChild POST_BUILD
    COMMAND ${SORVENAL_HOST_TOOLS}/pechecksum $<TARGET_FILE:quorProcessChild>
    COMMENT "Writing the image check sum into quorProcessChild.exe")

  sorvenal_test(quorProcess_test SOURCES ${PROJECT_SOURCE_DIR}/tests/report/quorProcess_test.cpp
    DEPS quor_except_core)
  target_compile_definitions(quorProcess_test PRIVATE QUOR_CHILD_EXE="$<TARGET_FILE:quorProcessChild>")
  add_dependencies(quorProcess_test quorProcessChild)
endif()
