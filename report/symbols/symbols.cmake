# Debug symbols: the symbol table and its lookups, the text map file, the
# compact form, the memory stream, the source order, PE headers, the image
# check sum and the build-layout record (platform-free), the symbol cache across modules (Win32), tests, fuzz
# targets and the benchmark.
set(quor_map_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_map_tests ${PROJECT_SOURCE_DIR}/tests/report/symbols)
include(${quor_map_dir}/quorEmbedSymbols.cmake)

sorvenal_core(quor_mapfile
  SOURCES ${quor_map_dir}/quorMapFile.cpp ${quor_map_dir}/quorMapText.cpp
          ${quor_map_dir}/quorCompactSymbols.cpp ${quor_map_dir}/quorMiniStream.cpp
          ${quor_map_dir}/quorSymbolLoader.cpp ${quor_map_dir}/quorPeImage.cpp
          ${quor_map_dir}/quorCalibrationRecord.cpp ${quor_map_dir}/quorImageCheckSum.cpp
  DEPS quor_zip)

sorvenal_test(quorMapFile_test
  SOURCES ${quor_map_tests}/quorMapFile_test.cpp ${quor_map_tests}/quorMapText_test.cpp
          ${quor_map_tests}/quorCompactSymbols_test.cpp ${quor_map_tests}/quorSymbolLoader_test.cpp
          ${quor_map_tests}/quorCalibrationRecord_test.cpp ${quor_map_tests}/quorImageCheckSum_test.cpp
  DEPS quor_mapfile)

foreach(target maptext_fuzz compact_symbols_fuzz)
  sorvenal_fuzz(${target} SOURCES ${PROJECT_SOURCE_DIR}/fuzz/${target}.cpp DEPS quor_mapfile)
endforeach()

sorvenal_bench(quorMapFile_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/quorMapFile_bench.cpp DEPS quor_mapfile)

if(SORVENAL_WIN)
  add_library(quor_symbols STATIC ${quor_map_dir}/quorSymbolCache.cpp)
  target_link_libraries(quor_symbols PUBLIC quor_mapfile quor_disasm quor_settings base)
  # The test program carries its own symbols; its first link, which has
  # none, serves as a module with a map file beside it.
  sorvenal_test(quorSymbolCache_test SOURCES ${quor_map_tests}/quorSymbolCache_test.cpp DEPS quor_symbols)
  target_compile_definitions(quorSymbolCache_test PRIVATE
    QUOR_TEST_FIRST_LINK="$<TARGET_FILE:quorSymbolCache_test_stage1>")
  sorvenal_embed_symbols(quorSymbolCache_test)
  # Lookups through the embedded symbols agree with addr2line on the
  # program's own functions.
  add_test(NAME quorsym_addr2line
           COMMAND bash ${quor_map_tests}/quorsym_addr2line.sh ${SORVENAL_HOST_TOOLS}/quorsym
                   $<TARGET_FILE:quorSymbolCache_test>
                   $<TARGET_FILE_DIR:quorSymbolCache_test>/quorSymbolCache_test.debug quorSymbolCache_test.cpp)
endif()
