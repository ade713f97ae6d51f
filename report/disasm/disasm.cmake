# The x86 decoder, the function parser and the disassembly text
# (platform-free, built in both builds), the disasm tool, tests, fuzz, bench.
sorvenal_core(quor_disasm SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/quorDisAsm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorDisAsmTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorDisAsmText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorDisAsmVex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorFunctionInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorFunctionText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quorAddressFix.cpp
  DEPS quor_text)

sorvenal_host_tool(disasm SOURCES ${PROJECT_SOURCE_DIR}/tools/disasm.cpp DEPS quor_disasm)

sorvenal_test(quorDisAsm_test SOURCES
  ${PROJECT_SOURCE_DIR}/tests/report/disasm/quorDisAsm_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/report/disasm/quorFunctionInfo_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/report/disasm/quorAddressFix_test.cpp
  DEPS quor_disasm)

sorvenal_fuzz(disasm_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/disasm_fuzz.cpp DEPS quor_disasm)
sorvenal_bench(disasm_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/disasm_bench.cpp DEPS quor_disasm)

# Decode throughput beside Zydis (libzydis-dev, benchmark only) on i686 code
# compiled here from the decoder's own sources.
find_package(zydis QUIET)
if(SORVENAL_NATIVE AND zydis_FOUND)
  find_program(SORVENAL_MINGW_GXX i686-w64-mingw32-g++-posix)
  find_program(SORVENAL_MINGW_OBJCOPY i686-w64-mingw32-objcopy)
  set(disasm_bench_code ${CMAKE_CURRENT_BINARY_DIR}/disasm_bench_code.bin)
  if(SORVENAL_MINGW_GXX AND SORVENAL_MINGW_OBJCOPY)
    set(bench_code_cmds)
    set(bench_code_parts)
    foreach(src disasm/quorDisAsm disasm/quorDisAsmText disasm/quorFunctionInfo symbols/quorMapText)
      get_filename_component(name ${src} NAME)
      list(APPEND bench_code_cmds
        COMMAND ${SORVENAL_MINGW_GXX} -std=c++20 -O2 -I${PROJECT_SOURCE_DIR}
                -c ${PROJECT_SOURCE_DIR}/report/${src}.cpp -o ${name}_bench.o
        COMMAND ${SORVENAL_MINGW_OBJCOPY} -O binary --only-section=.text ${name}_bench.o ${name}_bench.bin)
      list(APPEND bench_code_parts ${name}_bench.bin)
    endforeach()
    add_custom_command(OUTPUT ${disasm_bench_code} ${bench_code_cmds}
      COMMAND ${CMAKE_COMMAND} -E cat ${bench_code_parts} > ${disasm_bench_code}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      DEPENDS ${CMAKE_CURRENT_LIST_DIR}/quorDisAsm.cpp ${CMAKE_CURRENT_LIST_DIR}/quorDisAsmText.cpp
              ${CMAKE_CURRENT_LIST_DIR}/quorFunctionInfo.cpp ${PROJECT_SOURCE_DIR}/report/symbols/quorMapText.cpp
      COMMENT "Compiling i686 code for the decoder benchmark")
    add_custom_target(disasm_bench_code DEPENDS ${disasm_bench_code})
  endif()
  sorvenal_bench(disasm_zydis_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/disasm_zydis_bench.cpp
                 DEPS quor_disasm Zydis::Zydis)
  target_compile_definitions(disasm_zydis_bench PRIVATE DISASM_BENCH_CODE="${disasm_bench_code}")
  if(TARGET disasm_bench_code)
    add_dependencies(disasm_zydis_bench disasm_bench_code)
  endif()
endif()

# Every instruction length of real compiled i686 code agrees with objdump
# (native build only; skipped when the cross tools are missing).
if(SORVENAL_NATIVE)
  add_test(NAME disasm_objdump_lengths
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/report/disasm/disasm_objdump_check.sh
                   $<TARGET_FILE:disasm> ${CMAKE_CURRENT_BINARY_DIR}/disasm_check)
  set_tests_properties(disasm_objdump_lengths PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
  # Validity, length, mnemonic and operands agree with objdump on the code of
  # the mingw runtime libraries.
  add_test(NAME disasm_objdump_text
           COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/report/disasm/disasm_objdump_text.py
                   $<TARGET_FILE:disasm> ${CMAKE_CURRENT_BINARY_DIR}/disasm_text_check)
  set_tests_properties(disasm_objdump_text PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
endif()

# The same comparison on the code of the linked program (win build; the
# native build's disasm decodes).
if(SORVENAL_WIN)
  add_test(NAME disasm_objdump_program
           COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/report/disasm/disasm_objdump_text.py
                   ${SORVENAL_HOST_TOOLS}/disasm ${CMAKE_CURRENT_BINARY_DIR}/disasm_program_check
                   $<TARGET_FILE:Sorvenal>)
  set_tests_properties(disasm_objdump_program PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
endif()

# The Windows side of guarded reading: this process's memory and modules.
if(SORVENAL_WIN)
  add_library(quor_memory STATIC ${CMAKE_CURRENT_LIST_DIR}/quorMemoryWin.cpp)
  target_link_libraries(quor_memory PUBLIC quor_disasm base)
  sorvenal_test(quorMemoryWin_test SOURCES ${PROJECT_SOURCE_DIR}/tests/report/disasm/quorMemoryWin_test.cpp DEPS quor_memory)
endif()
