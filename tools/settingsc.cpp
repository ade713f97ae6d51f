// settingsc: writes a report settings resource from its text form.
//   settingsc INPUT.txt OUTPUT.bin
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "toolkit/SysUtils.h"
#include "tools/SettingsForm.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: settingsc INPUT.txt OUTPUT.bin\n");
    return 2;
  }
  const std::string input = argv[1], output = argv[2];
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "settingsc: cannot open %s\n", input.c_str());
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const size_t slash = input.find_last_of('/');
  try {
    const auto bytes = settingsform::Compile(text.str(), slash == std::string::npos ? "." : input.substr(0, slash));
    std::ofstream out(output, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw tk::EWriteError("cannot write " + output);
  } catch (const tk::Exception& e) {
    std::fprintf(stderr, "%s: %s\n", input.c_str(), e.Message().c_str());
    return 1;
  }
  return 0;
}
