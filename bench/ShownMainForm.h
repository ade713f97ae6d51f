// The main window built from its layout and shown, for the Wine timing
// harnesses.
#pragma once

#include "app/formmain.h"
#include "skin/sRegister.h"
#include "toolkit/StdClasses.h"

inline Tform_main* ShowMainForm(tk::TApplication& app) {
  tk::RegisterStandardClasses();
  skin::RegisterSkinClasses();
  Tform_main* form = nullptr;
  app.CreateForm(form);
  form->Show();
  app.ProcessMessages();
  return form;
}

inline constexpr const char* kInternalSkinNames[] = {"GrayPlastic (internal)", "Neutral (internal)",
                                                      "Office12Style (internal)"};
