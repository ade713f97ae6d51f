# Skinned painting: the platform-free primitives (both builds, pixel-exact
# tests under the sanitizers), and the Windows side that paints controls.
set(d ${CMAKE_CURRENT_LIST_DIR})
set(t ${PROJECT_SOURCE_DIR}/tests/skin)
sorvenal_core(skin_paint SOURCES ${d}/sAlphaGraph.cpp ${d}/sGradient.cpp ${d}/sGraphUtils.cpp ${d}/sButtonLayout.cpp
              ${d}/sLabelShadow.cpp ${d}/sDefaultGlyphs.cpp ${d}/orvScrollPaint.cpp ${d}/sFramePainter.cpp
              ${d}/sFrameRegion.cpp ${d}/sMenuLayout.cpp
              DEPS skin_core)
sorvenal_test(skin_paint_test SOURCES ${t}/sAlphaGraph_test.cpp ${t}/sGradient_test.cpp ${t}/sGraphUtils_test.cpp ${t}/sSkinChangeFrames_test.cpp
              ${t}/sButtonLayout_test.cpp ${t}/sLabelShadow_test.cpp ${t}/EmptyRectangles_test.cpp ${t}/sDefaultGlyphs_test.cpp
              ${t}/orvScrollPaint_test.cpp ${t}/sFramePainter_test.cpp ${t}/sMenuLayout_test.cpp
              DEPS skin_paint)

if(SORVENAL_WIN)
  target_sources(skin PRIVATE ${d}/sGraphUtilsWin.cpp ${d}/sFade.cpp ${d}/sButtonSkin.cpp ${d}/sPanel.cpp
                 ${d}/sButton.cpp ${d}/sBitBtn.cpp ${d}/sImageGlyph.cpp ${d}/sSpeedButton.cpp ${d}/sWindowPicture.cpp ${d}/sSkinChange.cpp)
  target_link_libraries(skin PUBLIC skin_paint)
  # Skinned buttons in real windows under Wine.
  sorvenal_test(skin_buttons_test SOURCES ${t}/sSpeedButton_test.cpp DEPS skin)
endif()

sorvenal_bench(skinpaint_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/skinpaint_bench.cpp DEPS skin_paint)
sorvenal_bench(labelshadow_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/labelshadow_bench.cpp DEPS skin_paint)
if(TARGET skinpaint_bench)
  target_compile_definitions(skinpaint_bench PRIVATE SORVENAL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
