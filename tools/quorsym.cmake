# quorsym: reads a linked image's COFF symbols and DWARF line numbers and
# writes the reporter's compact symbol form (and the text map).
if(SORVENAL_NATIVE)
  sorvenal_core(tool_symbols SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoffSymbols.cpp ${CMAKE_CURRENT_LIST_DIR}/DwarfLines.cpp
                                     ${CMAKE_CURRENT_LIST_DIR}/ImageSymbols.cpp ${CMAKE_CURRENT_LIST_DIR}/PeResources.cpp
                DEPS quor_mapfile)
  sorvenal_host_tool(quorsym SOURCES ${CMAKE_CURRENT_LIST_DIR}/quorsym.cpp DEPS tool_symbols)
endif()
