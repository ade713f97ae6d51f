sorvenal_core(tk_sysutils SOURCES ${CMAKE_CURRENT_LIST_DIR}/SysUtils.cpp)
sorvenal_test(SysUtils_test SOURCES ${PROJECT_SOURCE_DIR}/tests/toolkit/SysUtils_test.cpp DEPS tk_sysutils)
