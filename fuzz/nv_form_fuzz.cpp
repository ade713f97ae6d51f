// Assistant form resources come from the program's resources, which a user
// can replace: the reader must survive any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "report/assistant/quorNVFormModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const quor::NVFormRead read = quor::ReadNVForm({reinterpret_cast<const char*>(data), size});
  (void)read.form.ContinueAllowed();
  (void)quor::CollectAssistantResults({read.form});
  return 0;
}
