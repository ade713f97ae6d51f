#include "skin/sRegister.h"

#include "skin/sBitBtn.h"
#include "skin/sButton.h"
#include "skin/sLabel.h"
#include "skin/sLabelFX.h"
#include "skin/sMemo.h"
#include "skin/sPanel.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "skin/sSpeedButton.h"
#include "skin/sStickyLabel.h"
#include "skin/sTooledit.h"

namespace skin {

void RegisterSkinClasses() {
  tk::RegisterClass<TsPanel>("TsPanel");
  tk::RegisterClass<TsButton>("TsButton");
  tk::RegisterClass<TsBitBtn>("TsBitBtn");
  tk::RegisterClass<TsSpeedButton>("TsSpeedButton");
  tk::RegisterClass<TsMaskEdit>("TsMaskEdit");
  tk::RegisterClass<TsFileDirEdit>("TsFileDirEdit");
  tk::RegisterClass<TsFilenameEdit>("TsFilenameEdit");
  tk::RegisterClass<TsMemo>("TsMemo");
  tk::RegisterClass<TsLabel>("TsLabel");
  tk::RegisterClass<TsEditLabel>("TsEditLabel");
  tk::RegisterClass<TsLabelFX>("TsLabelFX");
  tk::RegisterClass<TsStickyLabel>("TsStickyLabel");
  tk::RegisterClass<TsSkinManager>("TsSkinManager");
  tk::RegisterClass<TsSkinProvider>("TsSkinProvider");
}

}  // namespace skin
