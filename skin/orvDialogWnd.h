// The skinner of a standard dialog ("#32770": message boxes, the system's
// file, font and colour dialogs): paints the frame, title bar and client
// area from the skin the way a form's provider paints a form, answers hit
// tests and clicks on its caption buttons, shows its own system menu and
// gives its children the dialog's background.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "base/WinGdiObject.h"
#include "base/WinUser.h"
#include "skin/orvDialogRules.h"
#include "skin/orvSBUtils.h"
#include "skin/orvSystemMenu.h"
#include "skin/sFrameSkin.h"

namespace skin {

class TorvDialogWnd : public TorvMainWnd {
public:
  // `rescan` skins children that appeared since the last scan.
  TorvDialogWnd(HWND window, TsCommonData* data, const std::string& section);
  ~TorvDialogWnd() override;

  // Notes the styles (before the system menu style is taken away, so that
  // the Close offered stays the one the dialog offered), prepares the
  // caption font and icon and takes over the caption buttons.
  void Prepare(uint8_t dialogKind, std::function<void()> rescan);

  TFrameLayout Layout() const;
  TFrameLook Look() const;
  [[nodiscard]] bool CloseEnabled() const { return closeEnabled_; }
  [[nodiscard]] uint8_t DialogKind() const { return kind_; }
  // The whole window's picture: frame and client background.
  const TsBitmap24& Picture();
  TorvSystemMenu& SystemMenu() { return *menu_; }

protected:
  void RemoveSkin() override;
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  LRESULT SkinCommand(WPARAM wParam, LPARAM lParam);
  bool MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT WithoutSystemFrame(UINT msg, WPARAM wParam, LPARAM lParam);
  void ApplySkin();
  void Rebuild();
  void NcPaint();
  void PaintClient(HDC dc);
  void SetButtonState(int32_t hit, int32_t state);
  void SetHot(int32_t hit);
  void ShowSystemMenu(int x, int y);
  HBRUSH BrushOf(COLORREF color);

  TsBitmap24 titleBackground_;
  int32_t states_[cbCount] = {};
  TCaptionPress press_;
  bool active_ = true, tracking_ = false, prepared_ = false, rescanned_ = false;
  LONG style_ = 0, exStyle_ = 0;
  bool closeEnabled_ = true;
  uint8_t kind_ = dkOrdinary;
  std::function<void()> rescan_;
  std::unique_ptr<TorvSystemMenu> menu_;
  base::GdiObject<HFONT> captionFont_;
  base::IconHandle icon_;  // the dialog's icon at the small-icon size, copied once
  std::map<COLORREF, base::GdiObject<HBRUSH>> brushes_;  // one per colour asked for
};

}  // namespace skin
