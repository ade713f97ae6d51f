// Paints the exception box's flat owner-drawn buttons: into an off-screen
// 32-bit picture (so the icons can be blended by their opacity), then
// copied to the button in one go.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "report/box/quorBoxIcons.h"

namespace quor {

// Caption and background colour (0x00BBGGRR) of a button as it is shown.
struct TButtonLook {
  COLORREF text = 0;
  COLORREF background = 0;
  bool operator==(const TButtonLook&) const = default;
};

struct TButtonState {
  int32_t icon = -1;  // icon index, -1: none
  bool focused = false;
  bool pressed = false;
  bool disabled = false;
  std::optional<int32_t> line;  // the countdown line's position
};

class TBoxButtonPainter {
public:
  // A picture as wide and high as the largest thing painted.
  TBoxButtonPainter(HFONT font, int32_t width, int32_t height, const TBoxIcons& icons, bool uglyBtns);
  TBoxButtonPainter(const TBoxButtonPainter&) = delete;
  TBoxButtonPainter& operator=(const TBoxButtonPainter&) = delete;

  // The looks of the flat buttons: unfocused, focused, and the show
  // button's flash end (caption and background both button face).
  [[nodiscard]] TButtonLook Unfocused(bool disabled) const;
  [[nodiscard]] TButtonLook Focused() const;
  [[nodiscard]] TButtonLook Vanished() const;

  // Paints a button of `width` x `height` with its caption onto `target`.
  void Paint(HDC target, int32_t width, int32_t height, const std::wstring& caption, const TButtonLook& look,
             const TButtonState& state);
  // The big icon over the button face.
  void PaintBigIcon(HDC target);

private:
  void Fill(int32_t width, int32_t height, COLORREF color);
  void CountdownLine(int32_t x, int32_t top, int32_t bottom, COLORREF line, COLORREF background);
  void PutColumn(int32_t x, int32_t top, int32_t bottom, COLORREF color);
  void Icon(int32_t index, int32_t x, int32_t y);

  const TBoxIcons& icons_;
  bool ugly_;
  bool manyColors_;  // more than 14 bits per pixel: steps and soft lines
  int32_t width_, height_;
  base::MemoryDc dc_;
  base::GdiObject<HBITMAP> bitmap_;
  uint32_t* bits_ = nullptr;  // rows bottom-up, width_ pixels each
  std::optional<base::Selection> selectedBitmap_;
  std::optional<base::Selection> selectedFont_;
};

}  // namespace quor
