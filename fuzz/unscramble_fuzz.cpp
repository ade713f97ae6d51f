// Stored scrambled passwords; the first byte splits account from the rest.
#include "report/codec/quorScramble.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = data[0] % (rest.size() + 1);
  const std::string_view account = rest.substr(0, split), stored = rest.substr(split);
  const std::string plain = quor::UnscramblePassword(stored, account, "server");
  if (quor::UnscramblePassword(quor::ScramblePassword(plain, account, "server"), account, "server") != plain) abort();
  return 0;
}
