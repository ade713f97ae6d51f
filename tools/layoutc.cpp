// layoutc: writes a stored layout ("TPF0" stream) from its text form.
//   layoutc INPUT.txt OUTPUT.bin
#include "toolkit/Tpf0.h"
#include "tools/CompileFile.h"
#include "tools/TextForm.h"

int main(int argc, char** argv) {
  return CompileFileMain("layoutc", argc, argv, [](const std::string& text, const std::string& base) {
    return tpf0::Write(textform::Parse(text, base));
  });
}
