// Base64 texts from settings and mail answers.
#include "report/codec/quorBase64.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string bytes = quor::Base64Decode(text);
  if (bytes.size() > size / 4 * 3) abort();
  // Encoding any bytes gives a text that decodes back to them.
  if (quor::Base64Decode(quor::Base64Encode(text)) != text) abort();
  return 0;
}
