// The main window made and shown for the timing harnesses that run under
// Wine, with its skin loaded and its first paint done.
#pragma once

#include "app/formmain.h"
#include "skin/sRegister.h"
#include "toolkit/StdClasses.h"

inline Tform_main* ShowMainWindow(tk::TApplication& app) {
  tk::RegisterStandardClasses();
  skin::RegisterSkinClasses();
  Tform_main* form = nullptr;
  app.CreateForm(form);
  form->Show();
  app.ProcessMessages();
  return form;
}
