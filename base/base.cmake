# Resource owners, scope exit and address helpers shared by every folder:
# header only. The Win32 owners (Win*.h) link the system libraries they call.
add_library(base INTERFACE)
target_include_directories(base INTERFACE ${PROJECT_SOURCE_DIR})
if(SORVENAL_WIN)
  target_link_libraries(base INTERFACE kernel32 user32 gdi32 advapi32)
endif()
