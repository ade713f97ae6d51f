// The program's entry: the application object, its title, the main window
// built from its stored layout, and the message loop.
#include <windows.h>

#include "app/formmain.h"
#include "skin/sRegister.h"
#include "toolkit/Forms.h"
#include "toolkit/StdClasses.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tk::RegisterStandardClasses();
  skin::RegisterSkinClasses();
  tk::TApplication app;
  app.Initialize();
  app.MainFormOnTaskBar = true;
  app.Title = "Sorvenal";
  // An error while the main window is made (a malformed skin folder, a bad
  // layout) is not caught here: like every error that no handler takes, it
  // reaches the exception handling, which reports it and ends the program,
  // which cannot go on without its main window.
  Tform_main* form_main = nullptr;
  app.CreateForm(form_main);
  app.Run();
  return 0;
}
