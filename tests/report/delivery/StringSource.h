// A ByteSource over bytes held in memory, handing them out in pieces of a
// chosen size (short reads are legal), optionally failing after some bytes.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "report/delivery/quorByteSource.h"

namespace quor_test {

class StringSource : public quor::ByteSource {
public:
  explicit StringSource(std::string bytes, size_t piece = 4096, size_t failAt = std::string::npos)
      : bytes_(std::move(bytes)), piece_(piece), failAt_(failAt) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool Read(char* buffer, size_t capacity, size_t& got) override {
    if (at_ >= failAt_) return false;
    got = std::min({capacity, piece_, bytes_.size() - at_});
    std::memcpy(buffer, bytes_.data() + at_, got);
    at_ += got;
    return true;
  }

private:
  std::string bytes_;
  size_t piece_;
  size_t failAt_;
  size_t at_ = 0;
};

}  // namespace quor_test
