// layoutc: writes a stored layout ("TPF0" stream) from its text form.
//   layoutc [--long-strings] INPUT.txt OUTPUT.bin
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "toolkit/SysUtils.h"
#include "tools/TextForm.h"

int main(int argc, char** argv) {
  tpf0::WriteOptions options;
  int arg = 1;
  if (arg < argc && std::string(argv[arg]) == "--long-strings") {
    options.longStrings = true;
    ++arg;
  }
  if (argc - arg != 2) {
    std::fprintf(stderr, "usage: layoutc [--long-strings] INPUT.txt OUTPUT.bin\n");
    return 2;
  }
  const std::string input = argv[arg], output = argv[arg + 1];
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "layoutc: cannot open %s\n", input.c_str());
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const size_t slash = input.find_last_of('/');
  const std::string base = slash == std::string::npos ? "." : input.substr(0, slash);
  try {
    const auto bytes = tpf0::Write(textform::Parse(text.str(), base), options);
    std::ofstream out(output, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw tk::EWriteError("cannot write " + output);
  } catch (const tk::Exception& e) {
    std::fprintf(stderr, "%s: %s\n", input.c_str(), e.Message().c_str());
    return 1;
  }
  return 0;
}
