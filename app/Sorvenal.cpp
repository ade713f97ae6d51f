// The program's entry: the application object, its title, the main window
// built from its stored layout, and the message loop.
#include <windows.h>

#include "app/formmain.h"
#include "skin/sRegister.h"
#include "toolkit/Forms.h"
#include "toolkit/StdClasses.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tk::RegisterStandardClasses();
  skin::RegisterSkinClasses();
  tk::TApplication app;
  app.Initialize();
  app.MainFormOnTaskBar = true;
  app.Title = "Sorvenal";
  try {
    Tform_main* form_main = nullptr;
    app.CreateForm(form_main);
  } catch (const tk::Exception& e) {
    // Without its main window the program cannot go on.
    MessageBoxW(nullptr, tk::Wide(e.Message()).c_str(), L"Sorvenal", MB_OK | MB_ICONERROR);
    return 1;
  }
  app.Run();
  return 0;
}
