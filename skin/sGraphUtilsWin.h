// The painting steps that need a control or the system's drawing: the item
// painter of a control, skinned text and its measure, the system's triangle
// gradients, and copying a cache bitmap to a device context.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "skin/sBitmap24.h"
#include "skin/sCacheInfo.h"
#include "skin/sGraphUtils.h"
#include "toolkit/Controls.h"

namespace skin {

class TsCommonData;

// Lets mode-2 gradients use the system's triangle fill (GradientFill).
void UseSystemTriangleFill();

// The colour children of this control blend with: its answer to
// SKC_GETCOLOR, else its own colour. Left in TransparentKeyColor too.
TColor AskColor(tk::TControl* control);

// Paints a control's section for a state: background, border image and
// corner images. pos is the rectangle's position in the parent, so that
// the parent's background (bg) lines up.
void PaintItem(TsCommonData& data, const TCacheInfo& bg, bool filling, int32_t state, bool refill, TsBitmap24& bmp,
               TPoint pos, TRect rect);
// The section painted with content (a button's caption and glyph) on it:
// with overBorder the content goes over the finished item, otherwise onto
// the background with the border image drawn over it.
void PaintItemWithContent(TsCommonData& data, const TCacheInfo& bg, int32_t state, TsBitmap24& bmp, TPoint pos,
                          TRect rect, bool overBorder, const std::function<void()>& content);

// Text with the section's colours and contours (hot set when active);
// disabled text is drawn twice, highlight one pixel down-right, shadow in
// place. Without word-break or end-ellipsis the rectangle is narrowed to
// the text. DrawText flags as given.
void WriteSkinText(TsBitmap24& bmp, HFONT font, const std::wstring& text, bool enabled, const TsSkinTables& t,
                   int32_t section, bool active, UINT flags, RECT rect);

// The control's text in its own font (underlined for an active
// "WEBBUTTON") with its section's colours, as WriteSkinText writes it.
void WriteControlText(TsBitmap24& bmp, const std::wstring& text, bool enabled, bool active, const TsCommonData& data,
                      UINT flags, RECT rect);

// DrawText's flag for a horizontal alignment.
UINT AlignmentFlag(tk::TAlignment alignment);

// Width and height DrawText gives `text` in `font`, broken within `width`
// when flags ask for it (DT_CALCRECT is added).
TPoint MeasureText(HFONT font, const std::wstring& text, int32_t width, UINT flags);

// Copies the corners of the control's border image for a state into its
// cache again (kAllCorners: all four), key pixels from the parent's
// picture or colour, so that the corners show what lies behind them now.
void RefillMaskCorners(TsCommonData& data, int32_t state, uint8_t corners);

// A toolkit picture (a button glyph) as a 24-bit bitmap.
TsBitmap24 Bitmap24Of(const tk::TBitmap& picture);

// Copies a cache bitmap to a device context at (x, y).
void CopyCacheToDC(const TsBitmap24& cache, HDC dc, int32_t x, int32_t y);

// A 24-bit DIB section holding a copy of a bitmap, for the few steps that
// draw through the system; the pixels go back to the bitmap when it ends.
class TsDibCanvas {
public:
  explicit TsDibCanvas(TsBitmap24& bmp);
  ~TsDibCanvas();
  TsDibCanvas(const TsDibCanvas&) = delete;
  TsDibCanvas& operator=(const TsDibCanvas&) = delete;
  HDC DC() const { return dc_.get(); }

private:
  TsBitmap24& bmp_;
  base::GdiObject<HBITMAP> dib_;
  base::MemoryDc dc_;
  std::optional<base::Selection> selected_;  // the DIB in dc_
  uint8_t* bits_ = nullptr;
};

}  // namespace skin
