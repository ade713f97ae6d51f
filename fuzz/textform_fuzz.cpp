// Parses arbitrary text as a layout's text form; errors must be exceptions.
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/SysUtils.h"
#include "tools/TextForm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (text.find('@') != std::string::npos) return 0;  // keep the fuzzer off the file system
  try {
    (void)tpf0::Write(textform::Parse(text, "/nonexistent"));
  } catch (const tk::Exception&) {
  }
  return 0;
}
