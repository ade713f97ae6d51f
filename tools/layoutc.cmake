sorvenal_core(tool_textform SOURCES ${CMAKE_CURRENT_LIST_DIR}/TextForm.cpp DEPS tk_core)
sorvenal_host_tool(layoutc SOURCES ${CMAKE_CURRENT_LIST_DIR}/layoutc.cpp DEPS tool_textform)
sorvenal_test(textform_test SOURCES ${PROJECT_SOURCE_DIR}/tests/tools/TextForm_test.cpp DEPS tool_textform)
sorvenal_fuzz(textform_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/textform_fuzz.cpp DEPS tool_textform)
