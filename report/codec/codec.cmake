# Codecs of the exception reporter: deflate and inflate over zlib, the
# compressed-string container, CRC-32 and Adler-32, base64, scrambling and
# zip archives.
if(NOT TARGET ZLIB::ZLIB)
  if(SORVENAL_WIN)
    set(ZLIB_USE_STATIC_LIBS ON)  # the executable links statically: libz.a, not the import library
  endif()
  find_package(ZLIB REQUIRED GLOBAL)
endif()

set(quor_zip_dir ${CMAKE_CURRENT_LIST_DIR})
sorvenal_core(quor_zip
  SOURCES ${quor_zip_dir}/quorZip.cpp ${quor_zip_dir}/quorBase64.cpp
          ${quor_zip_dir}/quorScramble.cpp ${quor_zip_dir}/quorZipArchive.cpp
  DEPS ZLIB::ZLIB)

sorvenal_test(quorZip_test
  SOURCES ${PROJECT_SOURCE_DIR}/tests/report/codec/quorZip_test.cpp
          ${PROJECT_SOURCE_DIR}/tests/report/codec/quorBase64_test.cpp
          ${PROJECT_SOURCE_DIR}/tests/report/codec/quorScramble_test.cpp
          ${PROJECT_SOURCE_DIR}/tests/report/codec/quorZipArchive_test.cpp
  DEPS quor_zip)
if(SORVENAL_NATIVE)
  # The native build also has an independent zip reader check the archives.
  target_compile_definitions(quorZip_test PRIVATE
    QUOR_ZIP_LISTING_SCRIPT="${PROJECT_SOURCE_DIR}/tests/report/codec/zip_listing.py")
  # Python's zlib and base64 modules read what the codecs write.
  sorvenal_test(codec_crosscheck_test SOURCES ${PROJECT_SOURCE_DIR}/tests/report/codec/codec_crosscheck_test.cpp DEPS quor_zip)
  target_compile_definitions(codec_crosscheck_test PRIVATE
    CODEC_CROSSCHECK_SCRIPT="${PROJECT_SOURCE_DIR}/tests/report/codec/codec_crosscheck.py")
endif()

if(SORVENAL_WIN)
  add_library(quor_zipfiles STATIC ${quor_zip_dir}/quorZipFiles.cpp)
  target_link_libraries(quor_zipfiles PUBLIC quor_zip base)
  sorvenal_test(quorZipFiles_test SOURCES ${PROJECT_SOURCE_DIR}/tests/report/codec/quorZipFiles_test.cpp
                DEPS quor_zipfiles)
endif()

foreach(target inflate_container_fuzz inflate_buffer_fuzz base64_fuzz unscramble_fuzz)
  sorvenal_fuzz(${target} SOURCES ${PROJECT_SOURCE_DIR}/fuzz/${target}.cpp DEPS quor_zip)
endforeach()

sorvenal_bench(quorZip_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/quorZip_bench.cpp DEPS quor_zip)
