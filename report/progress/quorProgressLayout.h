// Where the parts of the progress window go, from the size of its text and
// the system's frame and bar metrics. Platform-free.
#pragma once

#include <cstdint>

namespace quor {

// Text is wrapped at this width; the text area is never narrower than the
// minimum.
inline constexpr int32_t kProgressWrapWidth = 420;
inline constexpr int32_t kProgressMinTextWidth = 220;
inline constexpr int32_t kProgressIconSide = 32;

struct TProgressMetrics {
  int32_t DlgFrameX = 0, DlgFrameY = 0;  // one dialog frame's width and height
  int32_t SmallCaption = 0;              // height of a tool window's caption
  int32_t HScroll = 0;                   // height of a horizontal scroll bar
};

struct TLayoutRect {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

struct TProgressLayout {
  TLayoutRect Icon, Text, Bar;  // client coordinates; Icon only with an icon
  int32_t WindowWidth = 0, WindowHeight = 0;
};

// `textWidth` and `textHeight`: the largest wrapped area text.
[[nodiscard]] TProgressLayout LayOutProgress(int32_t textWidth, int32_t textHeight, bool hasIcon,
                                             const TProgressMetrics& metrics);

}  // namespace quor
