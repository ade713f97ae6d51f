sorvenal_host_tool(pechecksum SOURCES ${CMAKE_CURRENT_LIST_DIR}/pechecksum.cpp DEPS quor_mapfile)
