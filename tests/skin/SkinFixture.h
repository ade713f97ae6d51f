// Helpers for skin tests: a temporary folder, files written into it, small
// BMP and JPEG pictures made on the spot.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/sBitmap24.h"
#include "skin/sBmpFile.h"

namespace skintest {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path_; }  // with a trailing separator
  void Write(const std::string& relative, const std::string& bytes) const;

private:
  std::string path_;
};

// An 8-bit BMP of w x h pixels; pixel (x, y) has palette index (x + y) % colours.
std::string Bmp8(int32_t w, int32_t h, std::vector<skin::TColor> palette);
// A baseline JPEG of w x h pixels of one colour.
std::string Jpeg(int32_t w, int32_t h, skin::TColor color);

}  // namespace skintest
