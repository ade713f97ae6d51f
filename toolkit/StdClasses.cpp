#include "toolkit/StdClasses.h"

#include "toolkit/Buttons.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/ImgList.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"

namespace tk {

void RegisterStandardClasses() {
  RegisterClass<TPanel>("TPanel");
  RegisterClass<TShape>("TShape");
  RegisterClass<TImage>("TImage");
  RegisterClass<TButton>("TButton");
  RegisterClass<TBitBtn>("TBitBtn");
  RegisterClass<TSpeedButton>("TSpeedButton");
  RegisterClass<TEdit>("TEdit");
  RegisterClass<TMemo>("TMemo");
  RegisterClass<TLabel>("TLabel");
  RegisterClass<TImageList>("TImageList");
  RegisterClass<TMainMenu>("TMainMenu");
  RegisterClass<TPopupMenu>("TPopupMenu");
  RegisterClass<TMenuItem>("TMenuItem");
}

}  // namespace tk
