// Window skinners of a standard dialog's children: static texts and icons,
// push buttons and nested pages. Each paints its window from a picture of
// its own: the dialog's background under it, its section, then its content.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/orvDialogRules.h"
#include "skin/orvSBUtils.h"

namespace skin {

// The base of the dialog's painted children: the picture over the parent's
// background, painted on WM_PAINT and WM_PRINTCLIENT; state changes run the
// window's own handling with redrawing off and repaint.
class TorvChildWnd : public TorvMainWnd {
public:
  TorvChildWnd(HWND window, TsCommonData* data, const std::string& section) : TorvMainWnd(window, data, section) {}
  ~TorvChildWnd() override;
  // The picture the window shows now.
  TsBitmap24 Picture();

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // The parent's picture under the window.
  TCacheInfo ParentBackground();
  // The section over the parent's background in the state; the section
  // covers the rows from `top` down.
  void PaintBackground(TsBitmap24& bmp, int32_t state, int32_t top = 0);
  virtual void PaintContent(TsBitmap24& bmp) = 0;
  virtual int32_t State() const { return 0; }
  // Runs the window's own handling without letting it draw, then repaints.
  LRESULT Quietly(UINT msg, WPARAM wParam, LPARAM lParam);
  HFONT Font() const;
  std::wstring Text() const;
  // The pointer is over the window (the manager's hot window).
  [[nodiscard]] bool Hot() const;
  bool hot_ = false;
};

// Static text, word-wrapped in the dialog's font with the section's colours.
class TorvStaticWnd : public TorvChildWnd {
public:
  using TorvChildWnd::TorvChildWnd;
  ~TorvStaticWnd() override;

protected:
  void PaintContent(TsBitmap24& bmp) override;
};

// A static icon: the window's icon at its top-left.
class TorvIconWnd : public TorvStaticWnd {
public:
  using TorvStaticWnd::TorvStaticWnd;
  ~TorvIconWnd() override;

protected:
  void PaintContent(TsBitmap24& bmp) override;
};

// A push button: "BUTTON" in its state, the caption centred.
class TorvBtnWnd : public TorvChildWnd {
public:
  using TorvChildWnd::TorvChildWnd;
  ~TorvBtnWnd() override;

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintContent(TsBitmap24& bmp) override;
  int32_t State() const override;
};

// A check box or radio button: the "GLOBALINFO" box or radio image for its
// check and state, the caption beside it.
class TorvCheckBoxWnd : public TorvBtnWnd {
public:
  using TorvBtnWnd::TorvBtnWnd;
  ~TorvCheckBoxWnd() override;

protected:
  void PaintContent(TsBitmap24& bmp) override;
};

// A group box: the "GROUPBOX" section as a frame below the caption's middle,
// the caption over it. Only the frame is drawn on the screen, so that the
// controls inside stay as they are.
class TorvGroupBoxWnd : public TorvChildWnd {
public:
  using TorvChildWnd::TorvChildWnd;
  ~TorvGroupBoxWnd() override;

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintContent(TsBitmap24& bmp) override;

private:
  int32_t CaptionHeight();
};

// A nested dialog page: erased with the dialog's background.
class TorvTransPanelWnd : public TorvChildWnd {
public:
  using TorvChildWnd::TorvChildWnd;
  ~TorvTransPanelWnd() override;

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintContent(TsBitmap24&) override {}
};

// A size grip: the section over the dialog's background. Its hit testing
// and dragging stay the grip's own, which size the dialog.
class TorvSizerWnd : public TorvChildWnd {
public:
  using TorvChildWnd::TorvChildWnd;
  ~TorvSizerWnd() override;

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PaintContent(TsBitmap24&) override {}
};

// The skinner for a child as the rules chose it, attached; none for the
// kinds the system keeps painting.
std::unique_ptr<TorvMainWnd> CreateChildSkinner(TChildSkinner kind, HWND child, const std::string& section);

}  // namespace skin
