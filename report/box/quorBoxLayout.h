// Where everything of an exception box goes: button rows, the message, the
// big icon, the details area and the window's outer size, from the button
// captions' widths and the measured message (platform-free).
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "report/box/quorBoxKind.h"

namespace quor {

struct TBoxRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TBoxRect&) const = default;
};

struct TBoxSize {
  int32_t width = 0, height = 0;
};

struct TBoxLayoutInput {
  TBoxKind kind = TBoxKind::Full;
  // Width of each button's caption in the normal font; < 0: the button is hidden.
  std::array<int32_t, kBoxButtonCount> captionWidths{-1, -1, -1, -1, -1, -1, -1};
  bool uglyBtns = false;
  bool details = false;  // full box with AutoShowBugRep: resizable, with the tab control
  bool bigIcon = false;  // the "QUORIBIG" picture exists
  // Measures the message with word wrap in a rectangle of the given width.
  std::function<TBoxSize(int32_t width)> measureMessage;
  int32_t screenWidth = 1024, screenHeight = 768;
  int32_t captionHeight = 19;
  // Added to the outer width and height of the resizable box (twice the
  // sizing frame minus the dialog frame, per direction).
  int32_t resizeExtraWidth = 0, resizeExtraHeight = 0;
};

struct TBoxLayout {
  std::array<int32_t, kBoxButtonCount> widths{};  // w(i): caption + 39, 0 when hidden
  std::array<TBoxRect, kBoxButtonCount> buttons{};  // empty for a hidden button
  TBoxRect bigIcon;                                 // empty without the picture
  TBoxRect message;
  TBoxRect details;  // the tab control; empty without the details view
  int32_t buttonHeight = 0;
  bool stacked = false;
  int32_t rows = 0;     // E
  int32_t firstRow = 0; // T
  int32_t width = 0;    // W
  int32_t height = 0;   // H
  TBoxSize outer;       // the window's outer size, also its minimum tracking size
};

[[nodiscard]] TBoxLayout LayOutBox(const TBoxLayoutInput& in);

}  // namespace quor
