// The skin manager's menu painter: it makes the application's menus
// owner-drawn and paints their items with the skin — pop-ups on a skinned
// background with an icon column, an optional extra line, skinned
// separators and check marks, and a border cut from the skin's border
// image; bar items with the menu line's colours. The system's menu window
// of a pop-up is finished here too: its background erasing and frame are
// taken over and its corners cut to the skin's shape.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <memory>
#include <string>

#include "skin/sBitmap24.h"
#include "skin/sMenuLayout.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"

namespace skin {

class TsSkinManager;

// Sender the item, the item's picture, its rectangle in it, the ODS_* state.
using TsMenuManagerDrawItemEvent =
    std::function<void(tk::TMenuItem* sender, TsBitmap24& canvas, TRect rect, UINT state, TsMenuItemType itemType)>;
// What a pop-up's extra line shows, asked once per pop-up (firstItem names it).
using TorvGetExtraLineData =
    std::function<void(tk::TMenuItem* firstItem, std::string& skinSection, std::string& caption, bool& lineVisible)>;

// The application window's messages that finish a menu window found late:
// wParam the item's command, lParam its menu (an HMENU), and lParam a menu
// window.
inline constexpr UINT kFinishMenuItemMessage = 48307;
inline constexpr UINT kFinishMenuWindowMessage = 48308;

class TsSkinableMenus {
public:
  explicit TsSkinableMenus(TsSkinManager* manager);
  ~TsSkinableMenus();
  TsSkinableMenus(const TsSkinableMenus&) = delete;
  TsSkinableMenus& operator=(const TsSkinableMenus&) = delete;

  tk::TAlignment Alignment = tk::TAlignment::taLeftJustify;
  int32_t BevelWidth = 0;
  int32_t BorderWidth = kMenuBorderWidth;
  int32_t Margin = 3;
  int32_t Spacing = 6;
  TsMenuManagerDrawItemEvent OnDrawItem;
  TorvGetExtraLineData OnGetExtraLineData;

  bool Active() const { return active_; }
  // Switching on makes every menu of the application's forms owner-drawn
  // (pop-ups only with the manager's SkinnedPopups); switching off takes
  // back only the handlers this painter gave.
  void SetActive(bool value);
  // One menu: bar items of a main menu get the bar handlers, every other
  // item the pop-up handlers. Items with handlers of their own keep them.
  void SetMenuOwnerDraw(tk::TMenu* menu, bool value);
  // One item and its sub-items.
  void SetItemOwnerDraw(tk::TMenuItem* item, bool onBar, bool value);

  // The border the skin gives pop-ups (kept until the skin changes).
  int32_t SkinBorderWidth();
  // The skin changed: cached sizes and the pop-up background are stale.
  void SkinChanged();

  // The owner-draw handlers.
  void MeasurePopupItem(tk::TMenuItem* item, int& width, int& height);
  void DrawPopupItem(tk::TMenuItem* item, HDC dc, const RECT& rect, UINT state);
  void MeasureBarItem(tk::TMenuItem* item, int& width, int& height);
  void DrawBarItem(tk::TMenuItem* item, HDC dc, const RECT& rect, UINT state);
  // A bar item in `state` (ODS_* bits) over `line`, the menu line behind
  // it (the item's size).
  TsBitmap24 BarItemPicture(tk::TMenuItem* item, const TsBitmap24& line, UINT state);
  // The menu line of a form without one of its own: "MENULINE" over the
  // system's menu-bar colour.
  TsBitmap24 PlainMenuLine(int32_t width, int32_t height);

  // Subclasses a pop-up's menu window (once, however often it is asked),
  // and gives it the skin's border or shape from the cached background.
  void FinishMenuWindow(HWND window);
  // The application window's messages 48307 and 48308; false when the
  // message is left to the default handling.
  bool HandleFinishMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The background of the pop-up being painted (empty when none).
  const TsBitmap24& PopupBackground() const;

private:
  struct TPopup;
  struct TFonts;
  void WalkComponents(tk::TComponent* owner, bool value);
  // The pop-up the item belongs to (a new one when its first item differs),
  // and the same with its background sized to the menu window.
  TPopup& PopupOf(tk::TMenuItem* item);
  TPopup& PopupFor(tk::TMenuItem* item, HWND window, HMENU menu);
  void EnsureFonts();
  void DetermineExtraLine(TPopup& p, tk::TMenuItem* firstItem);
  void PaintBackground(TPopup& p);
  void CopyBorders(HWND window, const TsBitmap24& background);
  void ForgetWindow(HWND window);
  static LRESULT CALLBACK MenuWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
  int32_t Section(const char* name) const;
  TsMenuSpacing Spacings() const { return {Margin, Spacing}; }

  TsSkinManager* manager_;
  bool active_ = false;
  bool finishing_ = false;        // a menu window is being finished
  bool finishQueued_ = false;     // message 48307 waits in the queue
  int32_t skinBorderWidth_ = -1;  // -1: not read from the skin yet
  std::unique_ptr<TPopup> popup_;
  std::unique_ptr<TFonts> fonts_;
  std::set<HWND> subclassed_;  // menu windows this painter subclassed
  uint64_t hookId_ = 0;
  std::shared_ptr<TsSkinableMenus*> self_;  // the items' handlers hold it weakly
};

}  // namespace skin
