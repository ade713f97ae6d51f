// The content of a file to send, read piece by piece so that an attachment is
// never held whole in memory. The product reads files; tests use strings.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quor {

class ByteSource {
public:
  virtual ~ByteSource() = default;
  // The number of bytes the source holds, known before reading (an HTTP
  // upload announces it in Content-Length).
  [[nodiscard]] virtual uint64_t Size() const = 0;
  // Reads the next bytes, at most `capacity`, and sets `got`; 0 bytes with
  // true means the end. False is a read error.
  [[nodiscard]] virtual bool Read(char* buffer, size_t capacity, size_t& got) = 0;
};

}  // namespace quor
