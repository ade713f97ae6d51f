// The menu line of a skinned form with a main menu. The system keeps its
// menu bar (it reserves the rows, answers HTMENU, opens the pop-ups on
// clicks, Alt, F10 and access keys), but never draws it: the rows are part
// of the frame picture, painted here with the menu-line section and the
// bar items of the menu painter, and the items the system redraws while it
// tracks the menu come through the painter onto the same line.
#include <algorithm>
#include <set>

#include "skin/sAlphaGraph.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinMenus.h"
#include "skin/sSkinProvider.h"

namespace skin {

namespace {

constexpr char kMenuLineSection[] = "MENULINE";

TFrameRect InWindow(HWND h, const RECT& screen) {
  const RECT w = WindowRectOf(h);
  return {screen.left - w.left, screen.top - w.top, screen.right - w.left, screen.bottom - w.top};
}

}  // namespace

TFrameRect TsSkinProvider::SystemMenuBar() const {
  if (!form_ || !form_->Menu() || !form_->HandleAllocated()) return {};
  const HWND h = form_->Handle();
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!GetMenu(h) || !GetMenuBarInfo(h, OBJID_MENU, 0, &bar)) return {};
  return InWindow(h, bar.rcBar);
}

// Wine: the bar the system reports starts a pixel below the caption; the
// line covers every row between the caption and the client area.
TFrameRect TsSkinProvider::MenuBar() const {
  TFrameRect bar = SystemMenuBar();
  if (bar.Empty()) return {};
  const TFrameLayout f = Layout();
  bar.Top = f.TopBorder + f.CaptionHeight;
  bar.Bottom = std::max(bar.Bottom, static_cast<int32_t>(ClientInWindow(form_->Handle()).top));
  return bar;
}

int32_t TsSkinProvider::MenuRows() const {
  const HWND h = form_->Handle();
  const HMENU menu = GetMenu(h);
  std::set<LONG> tops;
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if (RECT r; GetMenuItemRect(h, menu, static_cast<UINT>(i), &r)) tops.insert(r.top);
  return std::max<int32_t>(1, static_cast<int32_t>(tops.size()));
}

void TsSkinProvider::SkinMainMenu(bool skinned) {
  tk::TMainMenu* menu = form_->Menu();
  TsSkinManager* manager = SkinData.Manager();
  if (!menu || !manager) return;
  manager->SkinableMenus().SetMenuOwnerDraw(menu, skinned);
  // The system's menu is built again with the items owner-drawn (or not).
  if (form_->HandleAllocated()) form_->SetMenu(menu);
}

void TsSkinProvider::PaintMenuLine() {
  menuLine_ = {};
  const TFrameRect bar = MenuBar();
  TsBitmap24& cache = SkinData.CacheBitmap;
  if (bar.Empty() || bar.Left < 0 || bar.Top < 0 || bar.Right > cache.Width() || bar.Bottom > cache.Height()) return;
  const TsSkinTables& t = SkinData.Skin();
  int32_t section = MenuLineSkin.empty() ? -1 : t.GetSkinIndex(MenuLineSkin);
  if (section < 0) section = t.GetSkinIndex(kMenuLineSection);
  menuLine_.SetSize(bar.Width(), bar.Height());
  CopyRect(menuLine_, cache, 0, 0, {bar.Left, bar.Top, bar.Right, bar.Bottom});
  if (t.ValidSection(section))
    PaintSkinSection(menuLine_, t, section, {}, -1, -1, {}, {0, 0, bar.Width(), bar.Height()}, 0, true);
  menuLineAt_ = bar;
  CopyRect(cache, menuLine_, bar.Left, bar.Top, {0, 0, bar.Width(), bar.Height()});

  TsSkinManager* manager = SkinData.Manager();
  if (!manager) return;
  const HWND h = form_->Handle();
  const HMENU menu = GetMenu(h);
  // Access keys are underlined only while the window shows keyboard cues.
  const bool hideKeys = (SendMessageW(h, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_STATE;
    RECT screen;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || !info.dwItemData ||
        !GetMenuItemRect(h, menu, static_cast<UINT>(i), &screen))
      continue;
    const TFrameRect r = InWindow(h, screen);
    const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    TsBitmap24 behind;
    if (!MenuLineBehind(rect, behind)) continue;
    const UINT state = ((info.fState & MFS_HILITE) ? ODS_SELECTED : 0u) |
                       ((info.fState & MFS_DISABLED) ? ODS_DISABLED | ODS_GRAYED : 0u) | (hideKeys ? ODS_NOACCEL : 0u);
    auto* item = reinterpret_cast<tk::TMenuItem*>(info.dwItemData);
    CopyRect(cache, manager->SkinableMenus().BarItemPicture(item, behind, state), r.Left, r.Top,
             {0, 0, r.Width(), r.Height()});
  }
}

bool TsSkinProvider::MenuLineBehind(const RECT& rect, TsBitmap24& line) const {
  const TFrameRect& bar = menuLineAt_;
  if (menuLine_.Empty() || rect.left < bar.Left || rect.top < bar.Top || rect.right > bar.Right ||
      rect.bottom > bar.Bottom || rect.right <= rect.left || rect.bottom <= rect.top)
    return false;
  line.SetSize(rect.right - rect.left, rect.bottom - rect.top);
  CopyRect(line, menuLine_, 0, 0, {rect.left - bar.Left, rect.top - bar.Top, rect.right - bar.Left, rect.bottom - bar.Top});
  return true;
}

void TsSkinProvider::KeepBarItem(const RECT& rect, const TsBitmap24& picture) {
  TsBitmap24& cache = SkinData.CacheBitmap;
  if (SkinData.CacheDirty || rect.left < 0 || rect.top < 0 || rect.left + picture.Width() > cache.Width() ||
      rect.top + picture.Height() > cache.Height())
    return;
  CopyRect(cache, picture, rect.left, rect.top, {0, 0, picture.Width(), picture.Height()});
}

}  // namespace skin
