#include "skin/sFrameLayout.h"

#include <cstdlib>

namespace skin {

namespace {

bool IsToolStyle(TFrameBorder b) { return b == TFrameBorder::ToolWindow || b == TFrameBorder::SizeToolWin; }
bool IsThinBorder(TFrameBorder b) {
  return b == TFrameBorder::Single || b == TFrameBorder::Dialog || b == TFrameBorder::ToolWindow;
}

// The icon's side for a caption of height h, when the layout gives none.
int32_t IconSizeFor(int32_t captionHeight) {
  if (captionHeight < 9) return 0;
  if (captionHeight <= 16) return 8;
  if (captionHeight <= 27) return 16;
  return 32;
}

// Minimise and maximise boxes show on forms the user can size or that ask
// for them, and on a minimised form (its button restores it).
bool BoxShown(const TFrameInput& in, TFrameIcons box) {
  if (in.State == TFrameState::Minimized) return true;
  if (!(in.Icons & fiSystemMenu)) return false;
  return in.Border == TFrameBorder::Sizeable || (in.Border == TFrameBorder::Single && (in.Icons & box));
}

}  // namespace

TFrameLayout LayoutFrame(const TFrameInput& in, const TSystemFrameSizes& sizes) {
  TFrameLayout f;
  f.HasFrame = in.Border != TFrameBorder::None;
  if (f.HasFrame) {
    const bool thin = IsThinBorder(in.Border);
    f.SideBorder = thin ? sizes.DialogFrameX : sizes.SizeFrameX;
    f.TopBorder = f.BottomBorder = thin ? sizes.DialogFrameY : sizes.SizeFrameY;
    if (in.HasCaptionStyle) f.CaptionHeight = IsToolStyle(in.Border) ? sizes.SmallCaption : sizes.Caption;
  }
  f.MenuHeight = in.MenuLines > 0 ? (sizes.MenuHeight - 1) * in.MenuLines : 0;

  const bool iconShown =
      in.ShowAppIcon && (in.Border == TFrameBorder::Single || in.Border == TFrameBorder::Sizeable) && f.CaptionHeight > 0;
  if (iconShown) {
    const int32_t auto_ = IconSizeFor(f.CaptionHeight);
    const int32_t w = in.TitleIconWidth > 0 ? in.TitleIconWidth : auto_;
    const int32_t h = in.TitleIconHeight > 0 ? in.TitleIconHeight : auto_;
    f.IconSize = w;
    const int32_t top = (f.CaptionHeight + f.TopBorder - h) / 2;
    f.Icon = {f.SideBorder, top, f.SideBorder + w, top + h};
  }

  if ((in.Icons & fiSystemMenu) && f.CaptionHeight > 0) {
    f.Shown[cbClose] = true;
    f.Shown[cbMaximize] = BoxShown(in, fiMaximize);
    f.Shown[cbMinimize] = BoxShown(in, fiMinimize);
    f.Shown[cbHelp] = (in.Icons & fiHelp) != 0;
  }
  const bool maximizable = in.Border == TFrameBorder::Single || in.Border == TFrameBorder::Sizeable ||
                           in.Border == TFrameBorder::SizeToolWin;
  f.Enabled[cbClose] = !in.CloseDisabled;
  f.Enabled[cbHelp] = true;
  // The maximise button of a maximised form restores it, the minimise button
  // of a minimised one too: both then work.
  f.Enabled[cbMaximize] = (in.Icons & fiMaximize) && maximizable;
  f.Enabled[cbMinimize] = (in.Icons & fiMinimize) || in.State == TFrameState::Minimized;

  const int32_t bw = in.ButtonWidth > 0 ? in.ButtonWidth : kDefaultCaptionButton;
  const int32_t bh = in.ButtonHeight > 0 ? in.ButtonHeight : kDefaultCaptionButton;
  const int32_t top = (f.CaptionHeight + f.TopBorder - bh) / 2 + (bh < 16 ? 2 : 0);
  int32_t x = in.WindowWidth - f.SideBorder;
  const auto place = [&](int32_t width) {
    const TFrameRect r{x - width, top, x, top + bh};
    x -= width;
    return r;
  };
  if (f.Shown[cbClose]) {
    for (int b = cbClose; b < cbCount; ++b)
      if (f.Shown[b]) f.Buttons[b] = place(bw);
    for (int32_t w : in.TitleButtonWidths) f.TitleButtons.push_back(place(w));
  }
  f.Text = {(iconShown ? f.Icon.Width() : 0) + f.SideBorder + 4, f.TopBorder, x - 6, f.CaptionHeight};
  return f;
}

int32_t FrameHitTest(const TFrameLayout& f, int32_t x, int32_t y, int32_t gripLeft, int32_t gripTop) {
  const TFrameRect& row = f.Buttons[cbClose];
  if (f.Shown[cbClose] && y >= row.Top && y < row.Bottom) {
    if (f.IconSize > 0 && x >= f.Icon.Left && x < f.Icon.Right) return fhSysMenu;
    static constexpr int32_t kCodes[cbCount] = {fhClose, fhMaxButton, fhMinButton, fhHelp};
    for (int b = cbClose; b < cbCount; ++b)
      if (f.Shown[b] && x >= f.Buttons[b].Left && x < f.Buttons[b].Right) return f.Enabled[b] ? kCodes[b] : fhCaption;
    for (size_t i = 0; i < f.TitleButtons.size(); ++i)
      if (x >= f.TitleButtons[i].Left && x < f.TitleButtons[i].Right) return fhTitleButton + static_cast<int32_t>(i);
    return fhCaption;
  }
  if (gripLeft >= 0 && x >= gripLeft && y >= gripTop) return fhBottomRight;
  return fhClient;
}

void SnapToWorkArea(const TSnapInput& in, int32_t& x, int32_t& y) {
  x = in.X;
  y = in.Y;
  const TFrameRect& w = in.WorkArea;
  if (std::abs(x + in.Width - w.Right) < in.Buffer) x = w.Right - in.Width;
  if (std::abs(y + in.Height - w.Bottom) < in.Buffer) y = w.Bottom - in.Height;
  if (std::abs(x - w.Left) < in.Buffer) x = w.Left;
  if (std::abs(y - w.Top) < in.Buffer) y = w.Top;
}

std::vector<int32_t> MenuColumnBreaks(int32_t count, int32_t perColumn) {
  std::vector<int32_t> breaks;
  if (perColumn <= 0) return breaks;
  for (int32_t i = perColumn; i < count; i += perColumn) breaks.push_back(i);
  return breaks;
}

}  // namespace skin
