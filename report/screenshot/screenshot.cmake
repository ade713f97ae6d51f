# Screenshots: the pixels of a captured 32-bit bitmap, Wu's colour
# quantizer, the 256-colour and 16-level grey PNG encoders and their modes,
# BMP writing and loading, and Mitchell zooming for the thumbnail
# (platform-free, both builds).
set(quor_screenshot_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_screenshot_tests ${PROJECT_SOURCE_DIR}/tests/report/screenshot)

sorvenal_core(quor_screenshot_core SOURCES
  ${quor_screenshot_dir}/quorNVImageStatus.cpp
  ${quor_screenshot_dir}/quorNVPixels.cpp
  ${quor_screenshot_dir}/quorWuQuantizer.cpp
  ${quor_screenshot_dir}/quorPaletteIndex.cpp
  ${quor_screenshot_dir}/quorPngWriter.cpp
  ${quor_screenshot_dir}/quorColorPng.cpp
  ${quor_screenshot_dir}/quorGreyPng.cpp
  ${quor_screenshot_dir}/quorNVPng.cpp
  ${quor_screenshot_dir}/quorBmpFile.cpp
  ${quor_screenshot_dir}/quorMitchellZoom.cpp
  DEPS quor_zip)

add_library(quor_screenshot_fixture STATIC ${quor_screenshot_tests}/NVPixelsFixture.cpp)
target_link_libraries(quor_screenshot_fixture PUBLIC quor_screenshot_core)
target_include_directories(quor_screenshot_fixture PUBLIC ${PROJECT_SOURCE_DIR})

sorvenal_test(quorScreenshot_test SOURCES
  ${quor_screenshot_tests}/quorWuQuantizer_test.cpp
  ${quor_screenshot_tests}/quorPng_test.cpp
  ${quor_screenshot_tests}/quorBmpFile_test.cpp
  ${quor_screenshot_tests}/quorMitchellZoom_test.cpp
  DEPS quor_screenshot_fixture)

if(SORVENAL_NATIVE)
  # pngcheck, libpng's pngfix and Pillow (Debian's python3-pil, for the
  # system's Python) read what the encoders write.
  set(SORVENAL_PIL_PYTHON /usr/bin/python3 CACHE FILEPATH "a Python 3 that has Debian's python3-pil")
  sorvenal_test(png_crosscheck_test SOURCES ${quor_screenshot_tests}/png_crosscheck_test.cpp
    DEPS quor_screenshot_fixture)
  target_compile_definitions(png_crosscheck_test PRIVATE
    PNG_CROSSCHECK_PYTHON="${SORVENAL_PIL_PYTHON}"
    PNG_CROSSCHECK_SCRIPT="${quor_screenshot_tests}/png_crosscheck.py")
endif()

sorvenal_bench(quorScreenshot_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/quorScreenshot_bench.cpp
  DEPS quor_screenshot_fixture)

sorvenal_fuzz(screenshot_bmp_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/screenshot_bmp_fuzz.cpp DEPS quor_screenshot_core)

if(SORVENAL_WIN)
  # The bitmap itself: capture of the screen or of the application's own
  # windows with the cursor, BMP files loaded and saved.
  add_library(quor_screenshot STATIC
    ${quor_screenshot_dir}/quorTINVBitmap.cpp
    ${quor_screenshot_dir}/quorWholeFile.cpp
    ${quor_screenshot_dir}/quorAppWindowsRegion.cpp
    ${quor_screenshot_dir}/quorMouseCursor.cpp
    ${quor_screenshot_dir}/quorScreenCapture.cpp
    ${quor_screenshot_dir}/quorExceptScreenshot.cpp)
  target_include_directories(quor_screenshot PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_screenshot PUBLIC quor_screenshot_core base gdi32 user32)
  # Real windows on the virtual display, compared with the X server's own
  # picture (ImageMagick's import) and read back by Pillow.
  sorvenal_test(quorScreenCapture_test SOURCES ${quor_screenshot_tests}/quorScreenCapture_test.cpp
    ${quor_screenshot_tests}/quorExceptScreenshot_test.cpp DEPS quor_screenshot)
  target_compile_definitions(quorScreenCapture_test PRIVATE QUOR_SCREENSHOT_TESTS_W=L"${quor_screenshot_tests}")
endif()
