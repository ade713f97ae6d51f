# Shared build settings and helpers for both builds.

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(WIN32)
  # Frame pointers keep stack traces walkable; asynchronous unwind tables and
  # non-call exceptions let a hardware fault in our code unwind like a throw.
  add_compile_options(-fno-omit-frame-pointer -fasynchronous-unwind-tables -fnon-call-exceptions)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++)
  set(JPEG_CACHE "/var/cache/sorvenal/libjpeg-${CMAKE_SYSTEM_PROCESSOR}" CACHE PATH "cross-built libjpeg-turbo")
  add_library(jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(jpeg PROPERTIES IMPORTED_LOCATION ${JPEG_CACHE}/lib/libjpeg.a
                                        INTERFACE_INCLUDE_DIRECTORIES ${JPEG_CACHE}/include)
  set(SORVENAL_JPEG jpeg)
else()
  find_package(JPEG REQUIRED)
  set(SORVENAL_JPEG JPEG::JPEG)
  # OFF only for clean speed measurements of the benchmarks.
  option(SORVENAL_SANITIZERS "native build with AddressSanitizer and UBSan" ON)
  if(SORVENAL_SANITIZERS)
    set(SORVENAL_SANITIZE "-fsanitize=address,undefined;-fno-sanitize-recover=all;-fno-omit-frame-pointer")
    add_compile_options(${SORVENAL_SANITIZE})
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(SORVENAL_FUZZ ON)
  endif()
endif()

# sorvenal_core(<name> SOURCES ... [DEPS ...]): a library of platform-free code,
# built in both builds. Its files never include <windows.h>.
function(sorvenal_core name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

# sorvenal_test(<name> SOURCES ... DEPS ...): one GoogleTest program, registered
# as one ctest test (under Wine one start per program, not per case).
function(sorvenal_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} gtest gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(WIN32)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-run.sh $<TARGET_FILE:${name}>)
    # wine-run.sh answers 77 on a machine that cannot run Windows programs.
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  if(A_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
  set(test_env "SORVENAL_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
  if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND WIN32)
    list(APPEND test_env "SORVENAL_WINE_BITS=64")  # wine-run.sh picks 64-bit Wine
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${test_env}")
endfunction()

# sorvenal_fuzz(<name> SOURCES ... DEPS ...): a libFuzzer target (clang only).
# ctest replays its seed corpus (tests/fuzz-corpus/<name>) and fuzzes briefly.
function(sorvenal_fuzz name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT SORVENAL_FUZZ)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} -E env ${PROJECT_SOURCE_DIR}/tools/fuzz-run.sh $<TARGET_FILE:${name}> ${corpus})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

# sorvenal_host_tool(<name> SOURCES ... DEPS ...): a build-time tool of the
# native build, placed in <native build>/tools where the win build finds it.
function(sorvenal_host_tool name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT SORVENAL_NATIVE)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endfunction()

# The win build runs the host tools from the native build's tools folder.
set(SORVENAL_HOST_TOOLS "${CMAKE_BINARY_DIR}/tools" CACHE PATH "folder of the native build's tools")

# sorvenal_bench(<name> SOURCES ... DEPS ...): a Google Benchmark program
# (native build only; built, not run by the tests).
function(sorvenal_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT SORVENAL_NATIVE)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} benchmark::benchmark)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
