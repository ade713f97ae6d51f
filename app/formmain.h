// The main window: a file-name edit, Calculate, Clear Log and Close, the
// result label and the log. Built from the stored layout "TFORM_MAIN".
#pragma once

#include "skin/sBitBtn.h"
#include "skin/sButton.h"
#include "skin/sLabelFX.h"
#include "skin/sMemo.h"
#include "skin/sPanel.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "skin/sStickyLabel.h"
#include "skin/sTooledit.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"

class Tform_main : public tk::TForm {
public:
  explicit Tform_main(tk::TComponent* owner);
  const char* ClassName() const override { return "Tform_main"; }

  skin::TsPanel* sPanel1 = nullptr;
  tk::TShape* Shape1 = nullptr;
  tk::TImage* Image2 = nullptr;
  skin::TsBitBtn* sBitBtn_Close = nullptr;
  skin::TsPanel* sPanel2 = nullptr;
  skin::TsLabelFX* sLabelFX1 = nullptr;
  tk::TLabel* Label1 = nullptr;
  skin::TsStickyLabel* sStickyLabel1 = nullptr;
  skin::TsFilenameEdit* sFilenameEdit1 = nullptr;
  skin::TsButton* Button_CalculateCheckSum = nullptr;
  skin::TsButton* sButton1 = nullptr;
  skin::TsMemo* sMemo1 = nullptr;
  skin::TsSkinManager* sSkinManager1 = nullptr;
  skin::TsSkinProvider* sSkinProvider1 = nullptr;

  void FormCreate(tk::TComponent* sender);
  void Button_CalculateCheckSumClick(tk::TComponent* sender);
  void sButton1Click(tk::TComponent* sender);
  void sBitBtn_CloseClick(tk::TComponent* sender);

protected:
  void ComponentsLoaded() override;
};
