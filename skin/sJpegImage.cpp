#include "skin/sJpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/SysUtils.h"

extern "C" {
#include <jpeglib.h>
}

namespace skin {
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

// Decodes into `out` and `row`; returns false with err.message set on failure.
// Everything with a destructor is owned by the caller, because libjpeg
// leaves this function by longjmp.
bool Decode(std::span<const uint8_t> data, TsBitmap24& out, std::vector<uint8_t>& row, JpegError& err) {
  jpeg_decompress_struct cinfo{};
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = ErrorExit;
  err.mgr.emit_message = Silence;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const uint32_t w = cinfo.output_width, h = cinfo.output_height;
  if (static_cast<uint64_t>(w) * h > 4096u * 4096u) {
    std::snprintf(err.message, sizeof err.message, "JPEG image is too large");
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  out.SetSize(static_cast<int32_t>(w), static_cast<int32_t>(h));
  row.resize(static_cast<size_t>(w) * 3);
  while (cinfo.output_scanline < h) {
    JSAMPROW rows[1] = {row.data()};
    const int32_t y = static_cast<int32_t>(cinfo.output_scanline);
    jpeg_read_scanlines(&cinfo, rows, 1);
    uint8_t* dst = out.ScanLine(y);
    for (uint32_t x = 0; x < w; ++x) {  // RGB to blue, green, red
      dst[3 * x] = row[3 * x + 2];
      dst[3 * x + 1] = row[3 * x + 1];
      dst[3 * x + 2] = row[3 * x];
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

TsBitmap24 DecodeJpeg(std::span<const uint8_t> data) {
  TsBitmap24 out;
  std::vector<uint8_t> row;
  JpegError err{};
  if (data.empty()) throw tk::EInvalidGraphic("JPEG error: empty file");
  if (!Decode(data, out, row, err)) throw tk::EInvalidGraphic(std::string("JPEG error: ") + err.message);
  return out;
}

}  // namespace skin
