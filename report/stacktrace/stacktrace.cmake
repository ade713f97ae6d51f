# The stack tracer: return-address test, frame chain, preparation, the
# phases of the full trace, its text and check sums (platform-free, both
# builds); the Win32 side (threads, module descriptions) in the win build.
set(quor_trace_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_trace_tests ${PROJECT_SOURCE_DIR}/tests/report/stacktrace)

sorvenal_core(quor_stacktrace SOURCES
  ${quor_trace_dir}/quorStackTrace.cpp
  ${quor_trace_dir}/quorStackTraceCall.cpp
  ${quor_trace_dir}/quorStackTracePrepare.cpp
  ${quor_trace_dir}/quorStackTraceTables.cpp
  ${quor_trace_dir}/quorStackTraceCollect.cpp
  ${quor_trace_dir}/quorStackTraceRecursion.cpp
  ${quor_trace_dir}/quorStackTraceDeep.cpp
  ${quor_trace_dir}/quorStackTraceChains.cpp
  ${quor_trace_dir}/quorStackTraceOutput.cpp
  DEPS quor_disasm quor_zip)

# The stack-dump and disassembly sections built on a trace.
sorvenal_core(quor_stacktrace_sections SOURCES ${quor_trace_dir}/quorStackTraceSections.cpp
  DEPS quor_stacktrace quor_text)

# A module's debug symbols behind the tracer's symbol interface.
sorvenal_core(quor_stacktrace_symbols SOURCES ${quor_trace_dir}/quorMapStackSymbols.cpp
  DEPS quor_stacktrace quor_mapfile)

sorvenal_test(quorStackTrace_test SOURCES ${quor_trace_tests}/quorStackTrace_test.cpp
  ${quor_trace_tests}/quorMapStackSymbols_test.cpp
  DEPS quor_stacktrace quor_stacktrace_sections quor_stacktrace_symbols)
sorvenal_fuzz(stacktrace_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/stacktrace_fuzz.cpp DEPS quor_stacktrace)
sorvenal_bench(stacktrace_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/stacktrace_bench.cpp DEPS quor_stacktrace)

# Threads of this process suspended and traced; module descriptions from
# the loaded images.
if(SORVENAL_WIN)
  add_library(quor_stacktrace_win STATIC ${quor_trace_dir}/quorStackTraceWin.cpp)
  target_link_libraries(quor_stacktrace_win PUBLIC quor_stacktrace quor_memory quor_settings base)
  sorvenal_test(quorStackTraceWin_test SOURCES ${quor_trace_tests}/quorStackTraceWin_test.cpp DEPS quor_stacktrace_win)
endif()
