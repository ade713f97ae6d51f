// settingsc: writes a report settings resource from its text form.
//   settingsc INPUT.txt OUTPUT.bin
#include "tools/CompileFile.h"
#include "tools/SettingsForm.h"

int main(int argc, char** argv) { return CompileFileMain("settingsc", argc, argv, settingsform::Compile); }
