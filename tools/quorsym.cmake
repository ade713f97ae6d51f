# quorsym: reads a linked image's COFF symbols and DWARF line numbers and
# writes the reporter's compact symbol form (and the text map).
if(SORVENAL_NATIVE)
  sorvenal_core(tool_symbols SOURCES ${CMAKE_CURRENT_LIST_DIR}/CoffSymbols.cpp ${CMAKE_CURRENT_LIST_DIR}/DwarfLines.cpp
                                     ${CMAKE_CURRENT_LIST_DIR}/ImageSymbols.cpp ${CMAKE_CURRENT_LIST_DIR}/PeResources.cpp
                DEPS quor_mapfile)
  sorvenal_host_tool(quorsym SOURCES ${CMAKE_CURRENT_LIST_DIR}/quorsym.cpp DEPS tool_symbols)
  sorvenal_host_tool(quorcalibrate SOURCES ${CMAKE_CURRENT_LIST_DIR}/quorcalibrate.cpp DEPS tool_symbols)

  # The COFF and DWARF readers on a small program linked by the cross
  # compiler, once per DWARF version (the tests skip without it).
  find_program(SORVENAL_MINGW_GCC i686-w64-mingw32-gcc)
  set(fixture_dir "")
  if(SORVENAL_MINGW_GCC)
    set(fixture_dir ${CMAKE_CURRENT_BINARY_DIR}/symbols_fixture)
    set(fixture_src ${PROJECT_SOURCE_DIR}/tests/tools/data/symbols_fixture.c)
    set(fixture_images)
    foreach(version 2 4 5)
      set(image ${fixture_dir}/symbols_fixture_dwarf${version}.exe)
      add_custom_command(OUTPUT ${image}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${fixture_dir}
        COMMAND ${SORVENAL_MINGW_GCC} -gdwarf-${version} -O1 -nostdlib -Wl,-e,_start ${fixture_src} -o ${image}
        DEPENDS ${fixture_src} COMMENT "Linking the symbol readers' test program (DWARF ${version})")
      list(APPEND fixture_images ${image})
    endforeach()
    add_custom_target(symbols_fixture DEPENDS ${fixture_images})
  endif()
  sorvenal_test(symbol_readers_test SOURCES ${PROJECT_SOURCE_DIR}/tests/tools/CoffSymbols_test.cpp
                                            ${PROJECT_SOURCE_DIR}/tests/tools/ImageSymbols_test.cpp
                                            ${PROJECT_SOURCE_DIR}/tests/tools/DwarfLines_test.cpp
                DEPS tool_symbols)
  target_compile_definitions(symbol_readers_test PRIVATE SYMBOLS_FIXTURE_DIR="${fixture_dir}")
  if(TARGET symbols_fixture)
    add_dependencies(symbol_readers_test symbols_fixture)
  endif()
endif()
