# The toolkit's platform-free core: exception classes, UTF conversions, the
# stored-layout stream format, the BMP and JPEG decoders and the
# controls' message-hook chain. Built in both builds.
sorvenal_core(tk_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SysUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Utf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tpf0.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpRle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JpegDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageHooks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileNames.cpp
  DEPS ${SORVENAL_JPEG})
sorvenal_test(tk_core_test SOURCES
  ${PROJECT_SOURCE_DIR}/tests/toolkit/SysUtils_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/toolkit/Tpf0_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/toolkit/BmpDecoder_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/toolkit/MessageHooks_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/toolkit/FileNames_test.cpp
  DEPS tk_core)
sorvenal_fuzz(tpf0_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/tpf0_fuzz.cpp DEPS tk_core)
