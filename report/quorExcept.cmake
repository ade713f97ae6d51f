# The exception handling of the Windows program: interception, pipeline,
# exception object, report building and storage. An object library, so that
# a program linking it gets the start-up object and the throw capture even
# though nothing in the program names them.
if(SORVENAL_WIN)
  add_library(quor_except OBJECT
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptRaise.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptModules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptStacks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptObject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptBuild.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptHeader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptPipeline.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptIntegrity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptStartup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorExceptThreadHooks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorCodePatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorEmergencyReserve.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorBugRepStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorTools.cpp)
  target_include_directories(quor_except PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_except PUBLIC quor_except_core quor_settings tk_core version advapi32 user32 gdi32)
  # Every C++ throw passes the raise capture before the stack unwinds.
  target_link_options(quor_except INTERFACE -Wl,--wrap=__cxa_throw)

  # A test program built like the product: the reporter starts first and
  # takes over the toolkit's exception seams.
  set(quor_except_test_bin ${CMAKE_CURRENT_BINARY_DIR}/QuorExceptTest.bin)
  add_custom_command(OUTPUT ${quor_except_test_bin}
    COMMAND ${SORVENAL_HOST_TOOLS}/settingsc ${PROJECT_SOURCE_DIR}/tests/report/QuorExceptTest.txt ${quor_except_test_bin}
    DEPENDS ${PROJECT_SOURCE_DIR}/tests/report/QuorExceptTest.txt
    COMMENT "Writing the exception tests' settings resource")
  sorvenal_test(quorExcept_test SOURCES
    ${PROJECT_SOURCE_DIR}/tests/report/quorExcept_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/report/quorExcept_test.rc
    DEPS quor_except toolkit)
  target_include_directories(quorExcept_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${PROJECT_SOURCE_DIR}/tests/report/quorExcept_test.rc PROPERTIES
    OBJECT_DEPENDS ${quor_except_test_bin})
endif()
