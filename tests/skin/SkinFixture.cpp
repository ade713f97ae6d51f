#include "tests/skin/SkinFixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace skintest {

TempFolder::TempFolder() {
  std::random_device rd;
  const auto dir = std::filesystem::temp_directory_path() / ("skintest-" + std::to_string(rd()));
  std::filesystem::create_directories(dir);
  path_ = dir.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void TempFolder::Write(const std::string& relative, const std::string& bytes) const {
  const std::filesystem::path p = std::filesystem::path(path_) / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

std::string Bmp8(int32_t w, int32_t h, std::vector<skin::TColor> palette) {
  skin::TsBitmap8 b;
  b.Width = w;
  b.Height = h;
  b.Palette = std::move(palette);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.Pixels.push_back(static_cast<uint8_t>((x + y) % b.Palette.size()));
  return skin::WriteBmp8(b);
}

std::string Jpeg(int32_t w, int32_t h, skin::TColor color) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<uint8_t> row;
  for (int32_t x = 0; x < w; ++x) {
    row.push_back(static_cast<uint8_t>(color));
    row.push_back(static_cast<uint8_t>(color >> 8));
    row.push_back(static_cast<uint8_t>(color >> 16));
  }
  while (c.next_scanline < c.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::string bytes(reinterpret_cast<char*>(out), size);
  std::free(out);
  return bytes;
}

}  // namespace skintest
