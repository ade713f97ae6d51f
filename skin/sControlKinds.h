// The control kinds: the code every skinned control carries in
// SkinData.ControlKind. The kind picks the section a control takes when its
// layout names none, and marks the controls whose look never follows the
// mouse alone. The values are stored in layouts and skins and never change.
// Kinds of controls this program does not have are known only by the
// section they default to; their names carry their code.
#pragma once

#include <cstdint>

namespace skin {

enum TsControlKind : int32_t {
  ckNone = 0,
  ckEdit2 = 2,
  ckEdit3 = 3,
  ckEdit4 = 4,
  ckEdit5 = 5,
  ckEdit6 = 6,
  ckMemo = 7,
  ckEdit8 = 8,
  ckEdit10 = 10,
  ckComboBox11 = 11,
  ckComboBox12 = 12,
  ckComboBox13 = 13,
  ckComboBox14 = 14,
  ckComboBox15 = 15,
  ckComboBox16 = 16,
  ckComboBox17 = 17,
  ckComboBox18 = 18,
  ckBar = 19,
  ckBarTitle = 20,
  ckCheckBox = 32,
  ckRadioButton = 33,
  ckEdit41 = 41,
  ckPanel = 51,  // the first of the panel-like kinds without a hot look
  ckPanelLow52 = 52,
  ckToolBar53 = 53,
  ckToolBar54 = 54,
  ckDragBar = 56,
  ckTabSheet = 57,
  ckPanelLow58 = 58,
  ckPanel59 = 59,
  ckToolBar60 = 60,
  ckPanel68 = 68,
  ckPanel73 = 73,
  ckGroupBox = 74,  // the last of the panel-like kinds without a hot look
  ckSplitter = 75,
  ckEdit76 = 76,
  ckEdit78 = 78,
  ckComboBox81 = 81,
  ckComboBox82 = 82,
  ckEdit83 = 83,
  ckEdit84 = 84,
  ckSpeedButton = 92,
  ckButton = 93,
  ckBitBtn = 94,
  ckSpeedButton95 = 95,
  ckEdit96 = 96,
  ckEdit97 = 97,
  ckToolButton = 98,
  ckWithoutHotLook110 = 110,
  ckEdit131 = 131,
  ckFileDirEdit = 132,
  ckFilenameEdit = 133,
  ckCustomComboEdit = 138,
  ckEdit140 = 140,
  ckPageControl = 141,  // the first of the page-like kinds without a hot look
  ckPageControl143 = 143,
  ckStatusBar = 151,
  ckCheckBox152 = 152,
  ckGauge = 161,  // the last of the page-like kinds without a hot look
  ckTrackBar = 165,
  ckSkinProvider = 224,
  ckGroupBox226 = 226,
  ckEdit227 = 227,
};

}  // namespace skin
