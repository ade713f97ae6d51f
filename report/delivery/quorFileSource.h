// A file on disk as the bytes of an attachment, read piece by piece.
#pragma once

#include <string>

#include "base/WinHandle.h"
#include "report/delivery/quorByteSource.h"

namespace quor {

class FileSource : public ByteSource {
public:
  // Opened for reading, shared with writers; Size() is 0 when it cannot be opened.
  explicit FileSource(const std::string& path);
  [[nodiscard]] bool Opened() const { return static_cast<bool>(file_); }
  [[nodiscard]] uint64_t Size() const override { return size_; }
  [[nodiscard]] bool Read(char* buffer, size_t capacity, size_t& got) override;

private:
  base::FileHandle file_;
  uint64_t size_ = 0;
};

}  // namespace quor
