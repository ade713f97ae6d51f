# The skin engine. Its platform-free core (skin tables, skin files, pictures,
# colours) is built in both builds; the components need Windows.
set(d ${CMAKE_CURRENT_LIST_DIR})
sorvenal_core(skin_core SOURCES
  ${d}/sBitmap24.cpp ${d}/sBmpFile.cpp ${d}/sJpegImage.cpp ${d}/sIniFiles.cpp ${d}/sMaskData.cpp
  ${d}/sImageValues.cpp ${d}/sStoredSkins.cpp ${d}/sSkinTables.cpp ${d}/sCachedIndexes.cpp
  ${d}/sSkinConvert.cpp ${d}/sSkinFiles.cpp ${d}/sSkinLoader.cpp ${d}/sSkinColors.cpp ${d}/sSkinDirectory.cpp
  ${d}/orvScrollGeometry.cpp
  ${d}/sFrameLayout.cpp ${d}/sTitleButtons.cpp ${d}/sMessageBoxStyle.cpp ${d}/orvDialogRules.cpp
  DEPS tk_core)

set(t ${PROJECT_SOURCE_DIR}/tests/skin)
sorvenal_test(skin_core_test SOURCES
  ${t}/sMaskData_test.cpp ${t}/sIniFiles_test.cpp ${t}/sImageValues_test.cpp ${t}/sBmpFile_test.cpp
  ${t}/sStoredSkins_test.cpp ${t}/sSkinTables_test.cpp ${t}/sSkinLoader_test.cpp ${t}/sSkinColors_test.cpp
  ${t}/sSkinDirectory_test.cpp ${t}/orvScrollGeometry_test.cpp ${t}/sJpegImage_test.cpp ${t}/SkinFixture.cpp
  ${t}/sFrameLayout_test.cpp ${t}/sMessageBoxStyle_test.cpp ${t}/orvDialogRules_test.cpp
  DEPS skin_core)

sorvenal_fuzz(skin_ini_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/skin_ini_fuzz.cpp DEPS skin_core)
sorvenal_fuzz(skin_value_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/skin_value_fuzz.cpp DEPS skin_core)
sorvenal_fuzz(skin_bmp_fuzz SOURCES ${PROJECT_SOURCE_DIR}/fuzz/skin_bmp_fuzz.cpp DEPS skin_core)

if(SORVENAL_WIN)
  add_library(skin STATIC
    ${d}/sCommonData.cpp
    ${d}/sMemo.cpp
    ${d}/orvMainWnd.cpp
    ${d}/orvScrollWnd.cpp
    ${d}/orvEditWnd.cpp
    ${d}/sLabel.cpp
    ${d}/sLabelFX.cpp
    ${d}/sStickyLabel.cpp
    ${d}/sBoundLabel.cpp
    ${d}/sMaskEdit.cpp
    ${d}/sCustomComboEdit.cpp
    ${d}/sTooledit.cpp
    ${d}/sSkinManager.cpp
    ${d}/sSkinAnnounce.cpp
    ${d}/sSkinState.cpp
    ${d}/sVclUtils.cpp
    ${d}/sSkinProvider.cpp
    ${d}/sSkinProviderFrame.cpp
    ${d}/sSkinProviderMenu.cpp
    ${d}/sFrameSkin.cpp
    ${d}/orvSystemMenu.cpp
    ${d}/orvDialogWnd.cpp
    ${d}/orvDialogChildren.cpp
    ${d}/orvComboBoxWnd.cpp
    ${d}/orvHeaderWnd.cpp
    ${d}/orvToolBarWnd.cpp
    ${d}/orvSpinWnd.cpp
    ${d}/orvDials.cpp
    ${d}/sSystemMenu.cpp
    ${d}/sSkinMenus.cpp
    ${d}/sCtrlAdapter.cpp
    ${d}/sMessageBox.cpp
    ${d}/sWindowShape.cpp
    ${d}/sRegister.cpp)
  target_include_directories(skin PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(skin PUBLIC toolkit skin_core uxtheme comctl32)
  sorvenal_test(skin_manager_test SOURCES ${t}/sSkinManager_test.cpp ${t}/sMessageBox_test.cpp DEPS skin)
endif()
