# Timing harness: start -> main window painted, for Sorvenal.exe and for a
# bare Win32 window of the same size with the same standard controls.
if(SORVENAL_PRODUCT)
  add_executable(barewindow WIN32 ${PROJECT_SOURCE_DIR}/bench/barewindow.cpp)
  add_executable(startup_bench ${PROJECT_SOURCE_DIR}/bench/startup_bench.cpp)
  target_compile_definitions(startup_bench PRIVATE SORVENAL_EXE="$<TARGET_FILE:Sorvenal>"
                                                   BARE_WINDOW_EXE="$<TARGET_FILE:barewindow>")
  add_dependencies(startup_bench Sorvenal barewindow)
endif()
