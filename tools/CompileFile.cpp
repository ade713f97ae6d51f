#include "tools/CompileFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "toolkit/SysUtils.h"

int CompileFileMain(const char* tool, int argc, char** argv, const TextCompiler& compile) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s INPUT.txt OUTPUT.bin\n", tool);
    return 2;
  }
  const std::string input = argv[1], output = argv[2];
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot open %s\n", tool, input.c_str());
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const size_t slash = input.find_last_of('/');
  const std::string base = slash == std::string::npos ? "." : input.substr(0, slash);
  try {
    const std::vector<uint8_t> bytes = compile(text.str(), base);
    std::ofstream out(output, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw tk::EWriteError("cannot write " + output);
  } catch (const tk::Exception& e) {
    std::fprintf(stderr, "%s: %s\n", input.c_str(), e.Message().c_str());
    return 1;
  }
  return 0;
}
