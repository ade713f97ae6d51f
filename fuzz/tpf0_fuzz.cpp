// Reads arbitrary bytes as a stored layout; a stream that reads must write
// back and read again to the same tree shape.
#include <cstddef>
#include <cstdint>

#include "toolkit/SysUtils.h"
#include "toolkit/Tpf0.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const tpf0::Object obj = tpf0::Read({data, size});
    const auto bytes = tpf0::Write(obj);
    const tpf0::Object again = tpf0::Read(bytes);
    if (again.props.size() != obj.props.size() || again.children.size() != obj.children.size()) __builtin_trap();
  } catch (const tk::Exception&) {
  }
  return 0;
}
