#include "app/formmain.h"

#include "app/BrisquelFileUtil.h"
#include "toolkit/Dialogs.h"
#include "toolkit/FileUtils.h"
#include "toolkit/SysUtils.h"

Tform_main::Tform_main(tk::TComponent* owner) : tk::TForm(owner) {
  PublishMethod("FormCreate", [this](tk::TComponent* s) { FormCreate(s); });
  PublishMethod("Button_CalculateCheckSumClick", [this](tk::TComponent* s) { Button_CalculateCheckSumClick(s); });
  PublishMethod("sButton1Click", [this](tk::TComponent* s) { sButton1Click(s); });
  PublishMethod("sBitBtn_CloseClick", [this](tk::TComponent* s) { sBitBtn_CloseClick(s); });
  LoadFromResource(L"TFORM_MAIN");
}

void Tform_main::ComponentsLoaded() {
  BindComponent("sPanel1", sPanel1);
  BindComponent("Shape1", Shape1);
  BindComponent("Image2", Image2);
  BindComponent("sBitBtn_Close", sBitBtn_Close);
  BindComponent("sPanel2", sPanel2);
  BindComponent("sLabelFX1", sLabelFX1);
  BindComponent("Label1", Label1);
  BindComponent("sStickyLabel1", sStickyLabel1);
  BindComponent("sFilenameEdit1", sFilenameEdit1);
  BindComponent("Button_CalculateCheckSum", Button_CalculateCheckSum);
  BindComponent("sButton1", sButton1);
  BindComponent("sMemo1", sMemo1);
  BindComponent("sSkinManager1", sSkinManager1);
  BindComponent("sSkinProvider1", sSkinProvider1);
}

void Tform_main::FormCreate(tk::TComponent*) { sMemo1->SetAlign(tk::TAlign::alClient); }

void Tform_main::Button_CalculateCheckSumClick(tk::TComponent*) {
  const std::string name = sFilenameEdit1->Text();
  if (!tk::FileExists(name)) {
    tk::MessageBoxText("File does not exist - Please select a file by clicking on the yellow folder", "Information",
                       MB_OK | MB_ICONINFORMATION);
    return;
  }
  // An error of the calculation leaves the label and the log as they were.
  const uint32_t value = FileWordSum(name);
  sLabelFX1->SetCaption(tk::IntToHex(value, 4));
  sMemo1->Lines.Add(sLabelFX1->Caption() + ": " + sFilenameEdit1->Text());
}

void Tform_main::sButton1Click(tk::TComponent*) { sMemo1->Lines.Clear(); }

void Tform_main::sBitBtn_CloseClick(tk::TComponent*) { Close(); }
