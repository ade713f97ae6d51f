#include "toolkit/JpegDecoder.h"

#include <csetjmp>
#include <string>
#include <vector>

#include "toolkit/PictureLimits.h"
#include "toolkit/SysUtils.h"

extern "C" {
#include <jpeglib.h>
}

namespace tk {
namespace {

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  cinfo->err->format_message(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void Silence(j_common_ptr, int) {}

enum class Outcome { Decoded, Corrupt, TooLarge };

// Decodes into the target through `row`; Corrupt with err.message set when
// libjpeg fails. Everything with a destructor
// is owned by the caller, because libjpeg leaves this function by longjmp;
// an exception of the target leaves it after the decoder is destroyed.
Outcome Decode(std::span<const uint8_t> data, TJpegTarget& target, std::vector<uint8_t>& row, JpegError& err) {
  jpeg_decompress_struct cinfo{};
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = ErrorExit;
  err.mgr.emit_message = Silence;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return Outcome::Corrupt;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  // Before jpeg_start_decompress, which allocates the decoder's buffers:
  // for a progressive picture the coefficients of the whole image.
  if (static_cast<uint64_t>(cinfo.image_width) * cinfo.image_height > kMaxPicturePixels) {
    jpeg_destroy_decompress(&cinfo);
    return Outcome::TooLarge;
  }
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const uint32_t w = cinfo.output_width, h = cinfo.output_height;
  try {
    target.SetSize(static_cast<int32_t>(w), static_cast<int32_t>(h));
    row.resize(static_cast<size_t>(w) * 3);
  } catch (...) {
    jpeg_destroy_decompress(&cinfo);
    throw;
  }
  while (cinfo.output_scanline < h) {
    JSAMPROW rows[1] = {row.data()};
    const int32_t y = static_cast<int32_t>(cinfo.output_scanline);
    jpeg_read_scanlines(&cinfo, rows, 1);
    uint8_t* dst = target.Row(y);
    for (uint32_t x = 0; x < w; ++x) {  // RGB to blue, green, red
      dst[3 * x] = row[3 * x + 2];
      dst[3 * x + 1] = row[3 * x + 1];
      dst[3 * x + 2] = row[3 * x];
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return Outcome::Decoded;
}

}  // namespace

void DecodeJpeg(std::span<const uint8_t> data, TJpegTarget& target) {
  if (data.empty()) throw EInvalidGraphic("JPEG error: empty file");
  std::vector<uint8_t> row;
  JpegError err{};
  switch (Decode(data, target, row, err)) {
    case Outcome::Decoded:
      return;
    case Outcome::TooLarge:
      throw EInvalidGraphic("JPEG image is too large");
    case Outcome::Corrupt:
      throw EInvalidGraphic(std::string("JPEG error: ") + err.message);
  }
}

}  // namespace tk
