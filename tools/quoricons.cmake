# quoricons: draws the exception box's icons into raw bitmap resources
# (the win build runs it; resources/QuorIcons.rc takes its output).
if(SORVENAL_NATIVE)
  sorvenal_core(tool_iconcanvas SOURCES ${CMAKE_CURRENT_LIST_DIR}/IconCanvas.cpp)
  sorvenal_host_tool(quoricons SOURCES ${CMAKE_CURRENT_LIST_DIR}/quoricons.cpp DEPS tool_iconcanvas)
endif()
if(SORVENAL_NATIVE)
  sorvenal_test(iconcanvas_test SOURCES ${PROJECT_SOURCE_DIR}/tests/tools/IconCanvas_test.cpp DEPS tool_iconcanvas)
endif()
