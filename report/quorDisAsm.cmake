# The x86 decoder, the function parser and the disassembly text
# (platform-free, built in both builds), the disasm tool, tests, fuzz, bench.
sorvenal_core(quor_disasm SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/quorDisAsm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorDisAsmTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorDisAsmText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorFunctionInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorFunctionText.cpp)

sorvenal_host_tool(disasm SOURCES ${PROJECT_SOURCE_DIR}/tools/disasm.cpp DEPS quor_disasm)

sorvenal_test(quorDisAsm_test SOURCES
  ${PROJECT_SOURCE_DIR}/tests/report/quorDisAsm_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/report/quorFunctionInfo_test.cpp
  DEPS quor_disasm)

sorvenal_fuzz(disasm_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/disasm_fuzz.cpp DEPS quor_disasm)
sorvenal_bench(disasm_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/disasm_bench.cpp DEPS quor_disasm)

# Every instruction length of real compiled i686 code agrees with objdump
# (native build only; skipped when the cross tools are missing).
if(SORVENAL_NATIVE)
  add_test(NAME disasm_objdump_lengths
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/report/disasm_objdump_check.sh
                   $<TARGET_FILE:disasm> ${CMAKE_CURRENT_BINARY_DIR}/disasm_check)
  set_tests_properties(disasm_objdump_lengths PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
endif()

# The Windows side of guarded reading: this process's memory and modules.
if(SORVENAL_WIN)
  add_library(quor_memory STATIC ${CMAKE_CURRENT_LIST_DIR}/quorMemoryWin.cpp)
  target_link_libraries(quor_memory PUBLIC quor_disasm)
  sorvenal_test(quorMemoryWin_test SOURCES ${PROJECT_SOURCE_DIR}/tests/report/quorMemoryWin_test.cpp DEPS quor_memory)
endif()
