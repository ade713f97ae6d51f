# The toolkit's platform-free core: exception classes, UTF conversions and the
# stored-layout stream format. Built in both builds.
sorvenal_core(tk_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SysUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Utf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tpf0.cpp)
sorvenal_test(tk_core_test SOURCES
  ${PROJECT_SOURCE_DIR}/tests/toolkit/SysUtils_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/toolkit/Tpf0_test.cpp
  DEPS tk_core)
sorvenal_fuzz(tpf0_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/tpf0_fuzz.cpp DEPS tk_core)
