#include "report/box/quorBoxLayout.h"

#include <algorithm>

namespace quor {
namespace {

constexpr int32_t kButtonPadding = 39;       // icon, margins and frame beside the caption
constexpr int32_t kSimpleRaiseBelow = 75;    // simple and detail box: narrower buttons ...
constexpr int32_t kSimpleMinimumWidth = 79;  // ... are made this wide
constexpr int32_t kMessageWidth = 664;       // the widest a message is wrapped at
constexpr int32_t kDetailsHeight = 474;      // added for the details view
constexpr int32_t kScreenCaptions = 5;       // caption heights kept free of the screen's size
constexpr int32_t kBigIconSize = 32;
constexpr int32_t kRowGap = 4;

int32_t ButtonHeight(const TBoxLayoutInput& in) {
  if (in.kind != TBoxKind::Full) return 23;
  return in.uglyBtns ? 26 : 22;
}

int32_t ButtonWidth(const TBoxLayoutInput& in, int32_t index) {
  const int32_t caption = in.captionWidths[size_t(index)];
  if (caption < 0) return 0;
  int32_t w = caption + kButtonPadding;
  if (in.kind != TBoxKind::Full && (index == kBoxShow || index == kBoxContinue) && w < kSimpleRaiseBelow)
    w = kSimpleMinimumWidth;
  return w;
}

}  // namespace

TBoxLayout LayOutBox(const TBoxLayoutInput& in) {
  TBoxLayout out;
  auto& w = out.widths;
  for (int32_t i = 0; i < kBoxButtonCount; ++i) w[size_t(i)] = ButtonWidth(in, i);
  const int32_t h = out.buttonHeight = ButtonHeight(in);
  const int32_t r = std::max({w[kBoxContinue], w[kBoxRestart], w[kBoxClose]});
  const int32_t rightButtons = (w[kBoxContinue] > 0) + (w[kBoxRestart] > 0) + (w[kBoxClose] > 0);
  const bool leftButtons = w[kBoxSend] > 0 || w[kBoxSave] > 0 || w[kBoxPrint] > 0 || w[kBoxShow] > 0;
  const bool full = in.kind == TBoxKind::Full;
  out.stacked = full && rightButtons > 1 && leftButtons;

  int32_t needed = 0, reserved = 26;
  if (full && out.stacked) {
    needed = w[kBoxSend] + w[kBoxSave] + w[kBoxPrint] + w[kBoxShow] + r + 14;
    reserved = r + 40;
  } else if (full) {
    for (int32_t x : w) needed += x;
    needed += 14;
  } else if (in.kind == TBoxKind::Simple) {
    needed = w[kBoxContinue] + 26;
  } else {
    needed = w[kBoxContinue] + w[kBoxShow] + 28;
  }
  if (in.bigIcon) {
    reserved += 40;
    out.bigIcon = {9, 10, kBigIconSize, kBigIconSize};
  }

  const TBoxSize text = in.measureMessage ? in.measureMessage(std::max(needed, kMessageWidth) - reserved) : TBoxSize{};
  int32_t width = std::max(needed, text.width + reserved);
  const int32_t screenFree = in.captionHeight * kScreenCaptions;
  if (in.details) width = std::max(width, std::min(kMessageWidth, in.screenWidth - screenFree));
  out.width = width;

  const bool shortBeside = in.bigIcon && text.height < 26;
  out.message = {in.bigIcon ? 51 : 11, shortBeside ? 12 + (26 - text.height) / 2 : 12, text.width, text.height};

  int32_t rows = full ? rightButtons : 1;
  if (rows == 1 || (rows == 3 && !out.stacked)) rows = 2;
  int32_t top = shortBeside ? 31 : text.height + 5;
  if (rows == 3 && out.stacked) top = std::max(7, top - h - kRowGap);
  out.rows = rows;
  out.firstRow = top;
  // Without any of buttons 4-6 the left buttons still need a row of their own.
  const int32_t usedRows = std::max(rows, 1);
  const auto row = [&](int32_t n) { return top + n * (h + kRowGap); };
  const auto place = [&](int32_t index, int32_t x, int32_t rowIndex, int32_t buttonWidth) {
    if (w[size_t(index)] > 0) out.buttons[size_t(index)] = {x, row(rowIndex), buttonWidth - 4, h};
  };

  if (full) {
    int32_t x = 6;
    for (int32_t i = kBoxSend; i <= kBoxShow; ++i) {
      place(i, x, usedRows - 1, w[size_t(i)]);
      x += w[size_t(i)];
    }
    if (out.stacked) {
      x = width - r - 8;
      place(kBoxContinue, x, 0, r);
      place(kBoxRestart, x, w[kBoxContinue] > 0 ? 1 : 0, r);
      place(kBoxClose, x, rows - 1, r);
    } else {
      x = width - (w[kBoxContinue] + w[kBoxRestart] + w[kBoxClose]) - 8;
      for (int32_t i = kBoxContinue; i <= kBoxClose; ++i) {
        place(i, x, 1, w[size_t(i)]);
        x += w[size_t(i)];
      }
    }
    out.height = usedRows * (h + kRowGap) + top + 8;
  } else {
    if (in.kind == TBoxKind::Simple) {
      place(kBoxContinue, (width + 4 - w[kBoxContinue]) / 2 - 3, 1, w[kBoxContinue]);
    } else {
      const int32_t x = (width + 2 - w[kBoxContinue] - w[kBoxShow]) / 2 - 3;
      place(kBoxContinue, x, 1, w[kBoxContinue]);
      place(kBoxShow, x + w[kBoxContinue] + 2, 1, w[kBoxShow]);
    }
    out.height = top + 2 * h + 21;
  }

  if (in.details) {
    const int32_t before = out.height;
    out.height = std::min(out.height + kDetailsHeight, in.screenHeight - screenFree);
    out.details = {5, before - 4, width - 15, out.height - before - 6};
  }
  out.outer = {width + (in.details ? in.resizeExtraWidth : 0),
               out.height + in.captionHeight + (in.details ? in.resizeExtraHeight : 0)};
  return out;
}

}  // namespace quor
