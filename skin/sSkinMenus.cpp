#include "skin/sSkinMenus.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "skin/sAlphaGraph.h"
#include "skin/sConst.h"
#include "skin/sGraphUtils.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProps.h"
#include "skin/sSkinProvider.h"
#include "skin/sWindowShape.h"
#include "toolkit/Forms.h"
#include "toolkit/WinText.h"

namespace skin {

namespace {

constexpr UINT_PTR kSubclassId = 0x534D454E;
// The system's class of pop-up menu windows.
const wchar_t kMenuWindowClass[] = L"#32768";
// The skin list of the system menu begins with this item; it never shows an
// extra line.
const char kSkinSelectItem[] = "SkinSelectItem";
const char kExtraLineSection[] = "EXTRALINE";
// Our submenu arrow: its tip this far from the item's right edge, this many
// pixels wide (and twice as high, plus one); the system's own arrow lies
// within the item's last pixels.
constexpr int32_t kSubmenuArrowRight = 8, kSubmenuArrowSize = 4;
constexpr int32_t kSystemArrowRoom = 20;
const char kDefaultExtraLineCaption[] = "Don`t forget OnGetExtraLineData event...";
const char kMainMenu[] = "MAINMENU";
const char kMenuItem[] = "MENUITEM";
const char kMenuLine[] = "MENULINE";
const char kDividerV[] = "DIVIDERV";
const char kCheck[] = "CHECK";
const char kSliderChannel[] = "SLIDERCHANNEL";
// Shortcut texts end this far from an item's right edge.
constexpr int32_t kShortCutRight = 8;
// A disabled item keeps 0.4 of its own picture over the background.
constexpr uint8_t kDisabledAlpha = 102;
// The extra line's caption starts this far above the strip's bottom.
constexpr int32_t kExtraLineTextBottom = 12;
constexpr COLORREF kLineShadow = 0x808080, kLineLight = 0xFFFFFF;
// Rotation of the extra line's caption, in tenths of a degree.
constexpr LONG kUpwards = 900;

bool IsMenuWindow(HWND window) {
  wchar_t name[16] = {};
  return window && GetClassNameW(window, name, 16) > 0 && std::wcscmp(name, kMenuWindowClass) == 0;
}

// The handlers this painter gives items; their types tell them from the
// handlers of other code when the painter takes them back. They hold the
// painter weakly: an item that outlives it is left to the system's drawing.
using TPainterRef = std::weak_ptr<TsSkinableMenus*>;
struct TPopupMeasure {
  TPainterRef Painter;
  void operator()(tk::TMenuItem* item, HDC, int& width, int& height) const {
    if (const auto p = Painter.lock()) (*p)->MeasurePopupItem(item, width, height);
  }
};
struct TPopupDraw {
  TPainterRef Painter;
  void operator()(tk::TMenuItem* item, HDC dc, const RECT& rect, UINT state) const {
    if (const auto p = Painter.lock()) (*p)->DrawPopupItem(item, dc, rect, state);
  }
};
struct TBarMeasure {
  TPainterRef Painter;
  void operator()(tk::TMenuItem* item, HDC, int& width, int& height) const {
    if (const auto p = Painter.lock()) (*p)->MeasureBarItem(item, width, height);
  }
};
struct TBarDraw {
  TPainterRef Painter;
  void operator()(tk::TMenuItem* item, HDC dc, const RECT& rect, UINT state) const {
    if (const auto p = Painter.lock()) (*p)->DrawBarItem(item, dc, rect, state);
  }
};

bool OursMeasure(const tk::TMenuItem& item) {
  return item.OnMeasureItem.target<TPopupMeasure>() || item.OnMeasureItem.target<TBarMeasure>();
}
bool OursDraw(const tk::TMenuItem& item) {
  return item.OnDrawItem.target<TPopupDraw>() || item.OnDrawItem.target<TBarDraw>();
}

// True when an item here or below still draws itself with other code's
// handlers, so that its menu must stay owner-drawn.
bool HasOtherHandlers(const tk::TMenuItem& item) {
  if ((item.OnMeasureItem && !OursMeasure(item)) || (item.OnDrawItem && !OursDraw(item))) return true;
  for (size_t i = 0; i < item.Count(); ++i)
    if (HasOtherHandlers(*item.Items(i))) return true;
  return false;
}

tk::TMenuItem* FirstVisible(const tk::TMenuItem& parent) {
  for (size_t i = 0; i < parent.Count(); ++i)
    if (parent.Items(i)->Visible) return parent.Items(i);
  return nullptr;
}

// True when no column break comes before the item (itself included).
bool InFirstColumn(const tk::TMenuItem& item) {
  const tk::TMenuItem* parent = item.Parent();
  if (!parent) return true;
  for (size_t i = 0; i < parent->Count(); ++i) {
    const tk::TMenuItem* sibling = parent->Items(i);
    if (sibling->Visible && sibling->Break != tk::TMenuBreak::mbNone) return false;
    if (sibling == &item) return true;
  }
  return true;
}

std::wstring ItemText(const tk::TMenuItem& item) {
  return tk::Wide(item.Caption + tk::ShortCutToText(item.ShortCut));
}


// A caption as it is handed to DrawText: with its "&" marks, or without
// them when the draw state hides access keys. Wine: DrawText still
// underlines with DT_HIDEPREFIX, so hidden marks are taken out here.
std::string CaptionText(const std::string& caption, UINT state) {
  return (state & ODS_NOACCEL) ? WithoutAccessMarks(caption) : caption;
}
UINT PrefixFlag(UINT state) { return (state & ODS_NOACCEL) ? DT_NOPREFIX : 0; }

}  // namespace

struct TsSkinableMenus::TPopup {
  const tk::TMenuItem* First = nullptr;  // the pop-up's first item names it
  WORD FirstCommand = 0;
  HMENU Menu = nullptr;
  HWND Window = nullptr;
  TsBitmap24 Background;
  int32_t ExtraLine = 0;
  int32_t IconColumn = 0;
  std::string LineSection = kExtraLineSection;
  std::string LineCaption = kDefaultExtraLineCaption;
  bool LineVisible = true;
};

struct TsSkinableMenus::TFonts {
  base::GdiObject<HFONT> Normal, Bold, Line;
  int32_t LetterHeight = 0;
};

TsSkinableMenus::TsSkinableMenus(TsSkinManager* manager)
    : manager_(manager), self_(std::make_shared<TsSkinableMenus*>(this)) {}

TsSkinableMenus::~TsSkinableMenus() {
  if (hookId_ && tk::Application) tk::Application->UnhookMainWindow(hookId_);
  for (HWND window : subclassed_) RemoveWindowSubclass(window, MenuWindowProc, kSubclassId);
}

// ---------------------------------------------------------------- activation

void TsSkinableMenus::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (value && !hookId_ && tk::Application) {
    hookId_ = tk::Application->HookMainWindow([this](const tk::TMessage& m, const tk::TMessageHandler& next) {
      LRESULT result = 0;
      if (HandleFinishMessage(m.msg, m.wParam, m.lParam, result)) return static_cast<intptr_t>(result);
      return next(m);
    });
  }
  if (!tk::Application) return;
  for (tk::TForm* form : tk::Application->Forms()) {
    try {
      WalkComponents(form, value);
    } catch (...) {
      // A menu that cannot be changed stays as it was; the others go on.
    }
  }
  if (!value) popup_.reset();
}

void TsSkinableMenus::WalkComponents(tk::TComponent* owner, bool value) {
  for (tk::TComponent* c : owner->Components()) {
    if (auto* menu = dynamic_cast<tk::TMenu*>(c)) SetMenuOwnerDraw(menu, value);
    WalkComponents(c, value);
  }
}

void TsSkinableMenus::SetMenuOwnerDraw(tk::TMenu* menu, bool value) {
  const bool mainMenu = dynamic_cast<tk::TMainMenu*>(menu) != nullptr;
  const bool skinned = value && (mainMenu || manager_->SkinnedPopups());
  tk::TMenuItem& root = menu->Items();
  for (size_t i = 0; i < root.Count(); ++i) SetItemOwnerDraw(root.Items(i), mainMenu, skinned);
  menu->OwnerDraw = skinned || HasOtherHandlers(root);
}

void TsSkinableMenus::SetItemOwnerDraw(tk::TMenuItem* item, bool onBar, bool value) {
  if (value) {
    if (!item->OnMeasureItem) {
      if (onBar)
        item->OnMeasureItem = TBarMeasure{self_};
      else
        item->OnMeasureItem = TPopupMeasure{self_};
    }
    if (!item->OnDrawItem) {
      if (onBar)
        item->OnDrawItem = TBarDraw{self_};
      else
        item->OnDrawItem = TPopupDraw{self_};
    }
  } else {
    if (OursMeasure(*item)) item->OnMeasureItem = nullptr;
    if (OursDraw(*item)) item->OnDrawItem = nullptr;
  }
  for (size_t i = 0; i < item->Count(); ++i) SetItemOwnerDraw(item->Items(i), false, value);
}

int32_t TsSkinableMenus::SkinBorderWidth() {
  if (skinBorderWidth_ < 0) skinBorderWidth_ = MenuSkinBorderWidth(manager_->Skin(), Section(kMainMenu));
  return skinBorderWidth_;
}

void TsSkinableMenus::SkinChanged() {
  skinBorderWidth_ = -1;
  popup_.reset();
  fonts_.reset();
}

int32_t TsSkinableMenus::Section(const char* name) const { return manager_->GetSkinIndex(name); }

const TsBitmap24& TsSkinableMenus::PopupBackground() const {
  static const TsBitmap24 kNone;
  return popup_ ? popup_->Background : kNone;
}

// ---------------------------------------------------------------- pop-up state

void TsSkinableMenus::DetermineExtraLine(TPopup& p, tk::TMenuItem* firstItem) {
  p.LineSection = kExtraLineSection;
  p.LineCaption = kDefaultExtraLineCaption;
  p.LineVisible = true;
  if (firstItem && firstItem->Name() == kSkinSelectItem) {
    p.LineVisible = false;
  } else if (OnGetExtraLineData) {
    OnGetExtraLineData(firstItem, p.LineSection, p.LineCaption, p.LineVisible);
  }
  p.LineCaption = ExtraLineCaption(p.LineCaption);
  const TorvMenuSupport& options = manager_->MenuSupport;
  p.ExtraLine = ExtraLineWidth(options.UseExtraLine, p.LineVisible, options.ExtraLineWidth);
  p.IconColumn = IconColumnWidth(kMenuGlyphSize, Spacings());
}

TsSkinableMenus::TPopup& TsSkinableMenus::PopupOf(tk::TMenuItem* item) {
  tk::TMenuItem* first = item->Parent() ? FirstVisible(*item->Parent()) : item;
  // A command outlives no item, so it tells a new item at an old address.
  const bool same = popup_ && popup_->First == first && first && popup_->FirstCommand == first->Command();
  if (!same) {
    popup_ = std::make_unique<TPopup>();
    popup_->First = first;
    popup_->FirstCommand = first ? first->Command() : 0;
    DetermineExtraLine(*popup_, first);
  }
  return *popup_;
}

TsSkinableMenus::TPopup& TsSkinableMenus::PopupFor(tk::TMenuItem* item, HWND window, HMENU menu) {
  TPopup& p = PopupOf(item);
  if (menu) p.Menu = menu;
  if (window) p.Window = window;
  // The size of the menu window, or, before it is known, of the items
  // with the system's border around them.
  RECT size{};
  if (p.Window) {
    GetWindowRect(p.Window, &size);
  } else if (p.Menu) {
    const int count = GetMenuItemCount(p.Menu);
    for (int i = 0; i < count; ++i) {
      RECT r;
      if (GetMenuItemRect(nullptr, p.Menu, static_cast<UINT>(i), &r)) UnionRect(&size, &size, &r);
    }
    InflateRect(&size, kMenuBorderWidth, kMenuBorderWidth);
  }
  const int32_t w = size.right - size.left, h = size.bottom - size.top;
  if (w > 0 && h > 0 && (p.Background.Width() != w || p.Background.Height() != h)) {
    p.Background.SetSize(w, h);
    PaintBackground(p);
  }
  return p;
}

void TsSkinableMenus::PaintBackground(TPopup& p) {
  const TsSkinTables& t = manager_->Skin();
  TsBitmap24& bmp = p.Background;
  const TRect whole{0, 0, bmp.Width(), bmp.Height()};
  FillRect24(bmp, whole, static_cast<TColor>(GetSysColor(COLOR_MENU)));
  if (const int32_t s = Section(kMainMenu); t.ValidSection(s))
    PaintSkinSection(bmp, t, s, {}, -1, -1, {}, whole, 0, true);
  const int32_t border = SkinBorderWidth();
  const int32_t stripHeight = bmp.Height() - 2 * border;
  if (p.ExtraLine > 0 && stripHeight > 0) {
    if (const int32_t s = Section(p.LineSection.c_str()); t.ValidSection(s)) {
      TsBitmap24 strip(p.ExtraLine, stripHeight);
      PaintSkinSection(strip, t, s, {&bmp, border, border, true}, -1, -1, {}, {0, 0, p.ExtraLine, stripHeight}, 0,
                       true);
      if (!p.LineCaption.empty()) {
        EnsureFonts();
        // Written upwards, centred across the strip, from above its bottom.
        TsDibCanvas canvas(strip);
        const base::Selection font(canvas.DC(), fonts_->Line.get());
        SetBkMode(canvas.DC(), TRANSPARENT);
        SetTextColor(canvas.DC(), static_cast<COLORREF>(t.gd[s].FontColor[0]));
        TEXTMETRICW tm{};
        GetTextMetricsW(canvas.DC(), &tm);
        const std::wstring text = tk::Wide(p.LineCaption);
        TextOutW(canvas.DC(), (p.ExtraLine - tm.tmHeight) / 2, stripHeight - kExtraLineTextBottom, text.c_str(),
                 static_cast<int>(text.size()));
      }
      CopyRect(bmp, strip, border, border, {0, 0, strip.Width(), strip.Height()});
    }
  }
  if (const int32_t s = Section(manager_->MenuSupport.IcoLineSkin.c_str()); t.ValidSection(s) && stripHeight > 0) {
    const TRect column{0, 0, p.IconColumn, stripHeight};
    TsBitmap24 strip(p.IconColumn, stripHeight);
    PaintSkinSection(strip, t, s, {&bmp, border + p.ExtraLine, border, true}, -1, -1, {}, column, 0, true);
    CopyRect(bmp, strip, border + p.ExtraLine, border, column);
  }
}

// ---------------------------------------------------------------- fonts

void TsSkinableMenus::EnsureFonts() {
  if (fonts_) return;
  fonts_ = std::make_unique<TFonts>();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW lf = metrics.lfMenuFont;
  fonts_->Normal.reset(CreateFontIndirectW(&lf));
  lf.lfWeight = FW_BOLD;
  fonts_->Bold.reset(CreateFontIndirectW(&lf));
  const tk::TFont& lineFont = manager_->MenuSupport.ExtraLineFont;
  lf = metrics.lfMenuFont;
  lf.lfWeight = lineFont.Style & tk::fsBold ? FW_BOLD : FW_NORMAL;
  lf.lfEscapement = lf.lfOrientation = kUpwards;
  fonts_->Line.reset(CreateFontIndirectW(&lf));
  fonts_->LetterHeight = MeasureText(fonts_->Normal.get(), L"W", 0, DT_SINGLELINE).Y;
}

// ---------------------------------------------------------------- measuring

void TsSkinableMenus::MeasurePopupItem(tk::TMenuItem* item, int& width, int& height) {
  EnsureFonts();
  const TsMenuItemType type = MenuItemType(item->Caption, false);
  const TPopup& p = PopupOf(item);
  constexpr UINT kMeasure = DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
  const HFONT font = item->Default ? fonts_->Bold.get() : fonts_->Normal.get();
  const std::wstring text = type == smCaption ? tk::Wide("-" + item->Caption + "-") : ItemText(*item);
  const int32_t textWidth = type == smDivider ? 0 : MeasureText(font, text, 0, kMeasure).X;
  height = MenuItemHeight(type, fonts_->LetterHeight, kMenuGlyphSize, GetSystemMetrics(SM_CYMENU), Spacings());
  width = MenuItemWidth(type, textWidth, kMenuGlyphSize, p.ExtraLine, InFirstColumn(*item), 0, Spacings());
}

void TsSkinableMenus::MeasureBarItem(tk::TMenuItem* item, int& width, int& height) {
  EnsureFonts();
  const HFONT font = item->Default ? fonts_->Bold.get() : fonts_->Normal.get();
  const int32_t textWidth = MeasureText(font, ItemText(*item), 0, DT_SINGLELINE | DT_EXPANDTABS).X;
  height = MenuItemHeight(smTopLine, fonts_->LetterHeight, 0, GetSystemMetrics(SM_CYMENU), Spacings());
  width = MenuItemWidth(smTopLine, textWidth, 0, 0, true, width, Spacings());
}

// ---------------------------------------------------------------- drawing

void TsSkinableMenus::DrawPopupItem(tk::TMenuItem* item, HDC dc, const RECT& rect, UINT state) {
  if (!manager_->SkinData().SkinActive || SkinDataChanging()) return;
  EnsureFonts();
  const TsSkinTables& t = manager_->Skin();
  HWND window = WindowFromDC(dc);
  if (!IsMenuWindow(window)) window = nullptr;
  TPopup& p = PopupFor(item, window, tk::TMenu::DrawingMenu());
  if (window) {
    FinishMenuWindow(window);
  } else if (!finishQueued_ && tk::Application && tk::TMenu::DrawingMenu()) {
    // The menu window shows only later; the application window finishes
    // it from the queue, naming the item by its menu and command.
    finishQueued_ = PostMessageW(tk::Application->Handle(), kFinishMenuItemMessage, item->Command(),
                                 reinterpret_cast<LPARAM>(tk::TMenu::DrawingMenu())) != FALSE;
  }
  // Where the item lies in the background: the device context's origin
  // inside the window, or the system's border without a window.
  POINT origin{kMenuBorderWidth, kMenuBorderWidth};
  if (window) {
    POINT dcOrigin;
    RECT windowRect;
    if (GetDCOrgEx(dc, &dcOrigin) && GetWindowRect(window, &windowRect))
      origin = {dcOrigin.x - windowRect.left, dcOrigin.y - windowRect.top};
  }
  const int32_t itemX = rect.left + origin.x, itemY = rect.top + origin.y;
  const int32_t w = rect.right - rect.left - p.ExtraLine, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0 || p.Background.Empty()) return;
  const TCacheInfo bg{&p.Background, 0, 0, true};
  const TPoint pos{itemX + p.ExtraLine, itemY};
  TsBitmap24 bmp(w, h);
  FillFromBackground(bmp, {0, 0, w, h}, bg.Shifted(pos.X, pos.Y));
  const TsMenuItemType type = MenuItemType(item->Caption, false);
  const bool selected = (state & ODS_SELECTED) && item->Enabled;
  if (type == smDivider) {
    const TFrameRect line = SeparatorRect({0, 0, w, h}, 0, Spacings());
    int32_t divider = Section(kDividerV);
    int32_t image = t.ValidSection(divider) ? t.GetMaskIndex(divider, kDividerV, s_BordersMask) : -1;
    if (!t.ValidMask(image)) {
      divider = Section(s_TrackBar);
      image = t.ValidSection(divider) ? t.GetMaskIndex(divider, s_TrackBar, kSliderChannel) : -1;
    }
    if (t.ValidMask(image) && !line.Empty()) {
      const TsBitmap24& master = t.ma[image].Picture ? *t.ma[image].Picture : t.MasterBitmap;
      PaintBorderImage(bmp, {line.Left, line.Top, line.Right, line.Bottom}, true, false, 0, t.ma[image], master,
                       bg.Shifted(pos.X, pos.Y));
    } else if (!line.Empty()) {
      FillRect24(bmp, {line.Left, 0, line.Right, std::min(h, 1)}, kLineShadow);
      FillRect24(bmp, {line.Left, std::min(h - 1, 1), line.Right, h}, kLineLight);
    }
  } else if (type == smNormal) {
    const int32_t menuItem = Section(kMenuItem);
    if (t.ValidSection(menuItem)) PaintSkinSection(bmp, t, menuItem, bg, -1, -1, pos, {0, 0, w, h}, selected, true);
    if (item->Checked) {
      const int32_t global = Section(s_GlobalInfo);
      int32_t mark = t.GetMaskIndex(global, s_GlobalInfo, item->RadioItem ? s_RadioButtonChecked : kCheck);
      if (!t.ValidMask(mark)) mark = t.GetMaskIndex(global, s_GlobalInfo, s_CheckBoxChecked);
      if (t.ValidMask(mark)) {
        const TsMaskData& image = t.ma[mark];
        const TPoint size = StateSize(image);
        PaintSkinGlyph(bmp, {Margin, (h - size.Y) / 2}, selected ? 1 : 0, image,
                       image.Picture ? *image.Picture : t.MasterBitmap);
      }
    }
    const int32_t textSection = t.ValidSection(menuItem) ? menuItem : Section(kMainMenu);
    const HFONT font = item->Default ? fonts_->Bold.get() : fonts_->Normal.get();
    // Underlines show unless the system asks to hide them (menus opened
    // with the mouse while the keyboard cues are off).
    const TsMenuCaption caption = PrepareMenuCaption(CaptionText(item->Caption, state));
    const UINT align = caption.RightAligned ? DT_RIGHT : AlignmentFlag(Alignment);
    const int32_t textLeft = kMenuGlyphSize + 2 * Margin + Spacing;
    WriteSkinText(bmp, font, tk::Wide(caption.Text), item->Enabled, t, textSection, selected,
                  align | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | PrefixFlag(state), {textLeft, 0, w - kShortCutRight, h});
    if (const std::string keys = tk::ShortCutToText(item->ShortCut); !keys.empty())
      WriteSkinText(bmp, font, tk::Wide(keys), item->Enabled, t, textSection, selected,
                    DT_RIGHT | DT_VCENTER | DT_SINGLELINE, {textLeft, 0, w - kShortCutRight, h});
    if (item->Count() > 0 && t.ValidSection(textSection)) {
      // The submenu arrow: a small triangle in the caption's colour.
      const TColor ink = static_cast<TColor>(t.gd[static_cast<size_t>(textSection)].FontColor[0]);
      const int32_t tipX = w - kSubmenuArrowRight, midY = h / 2;
      for (int32_t i = 0; i < kSubmenuArrowSize; ++i)
        FillRect24(bmp, {tipX - kSubmenuArrowSize + i, midY - (kSubmenuArrowSize - i), tipX - kSubmenuArrowSize + i + 1,
                         midY + (kSubmenuArrowSize - i) + 1},
                   ink);
    }
  }
  if (OnDrawItem) OnDrawItem(item, bmp, {0, 0, w, h}, state, type);
  if (!item->Enabled && type == smNormal) {
    TsBitmap24 behind(w, h);
    FillFromBackground(behind, {0, 0, w, h}, bg.Shifted(pos.X, pos.Y));
    BlendBitmaps(bmp, bmp, behind, kDisabledAlpha);
  }
  CopyCacheToDC(bmp, dc, rect.left + p.ExtraLine, rect.top);
  // Wine, Windows: after the owner's drawing the system blits its own
  // submenu arrow at the item's right end on the same device context;
  // clipped away, ours stays.
  if (item->Count() > 0) ExcludeClipRect(dc, rect.right - kSystemArrowRoom, rect.top, rect.right, rect.bottom);
  // The extra line's part along the item comes from the background.
  if (p.ExtraLine > 0) {
    TsBitmap24 line(p.ExtraLine, h);
    CopyRect(line, p.Background, 0, 0, {itemX, itemY, itemX + p.ExtraLine, itemY + h});
    CopyCacheToDC(line, dc, rect.left, rect.top);
  }
  if (window) CopyBorders(window, p.Background);
}

TsBitmap24 TsSkinableMenus::PlainMenuLine(int32_t width, int32_t height) {
  TsBitmap24 line(width, height);
  const TRect whole{0, 0, width, height};
  FillRect24(line, whole, static_cast<TColor>(GetSysColor(COLOR_MENUBAR)));
  const int32_t lineSection = Section(kMenuLine);
  if (manager_->Skin().ValidSection(lineSection))
    PaintSkinSection(line, manager_->Skin(), lineSection, {}, -1, -1, {}, whole, 0, true);
  return line;
}

TsBitmap24 TsSkinableMenus::BarItemPicture(tk::TMenuItem* item, const TsBitmap24& line, UINT state) {
  EnsureFonts();
  const TsSkinTables& t = manager_->Skin();
  const int32_t w = line.Width(), h = line.Height();
  const TRect whole{0, 0, w, h};
  TsBitmap24 bmp = line;
  const bool hot = (state & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  const int32_t menuItem = Section(kMenuItem);
  if (hot && t.ValidSection(menuItem))
    PaintSkinSection(bmp, t, menuItem, {&line, 0, 0, true}, -1, -1, {}, whole, 1, true);
  const HFONT font = item->Default ? fonts_->Bold.get() : fonts_->Normal.get();
  const int32_t lineSection = Section(kMenuLine);
  const int32_t textSection = t.ValidSection(lineSection) ? lineSection : Section(kMainMenu);
  WriteSkinText(bmp, font, tk::Wide(CaptionText(item->Caption, state)), true, t, textSection, hot,
                AlignmentFlag(Alignment) | DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | PrefixFlag(state),
                {0, 0, w, h});
  if (const std::string keys = tk::ShortCutToText(item->ShortCut); !keys.empty())
    WriteSkinText(bmp, font, tk::Wide(keys), true, t, textSection, hot, DT_RIGHT | DT_VCENTER | DT_SINGLELINE,
                  {0, 0, w - kShortCutRight, h});
  if (OnDrawItem) OnDrawItem(item, bmp, whole, state, smTopLine);
  if (!item->Enabled) BlendBitmaps(bmp, bmp, line, kDisabledAlpha);
  return bmp;
}

void TsSkinableMenus::DrawBarItem(tk::TMenuItem* item, HDC dc, const RECT& rect, UINT state) {
  if (!manager_->SkinData().SkinActive || SkinDataChanging()) return;
  const int32_t w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  // On a skinned form's window the item lies on the form's menu line, and
  // the form's frame picture keeps what is drawn.
  TsSkinProvider* form = ProviderOf(WindowFromDC(dc));
  TsBitmap24 line;
  if (!form || !form->MenuLineBehind(rect, line)) line = PlainMenuLine(w, h);
  const TsBitmap24 picture = BarItemPicture(item, line, state);
  CopyCacheToDC(picture, dc, rect.left, rect.top);
  if (form) form->KeepBarItem(rect, picture);
}

// ---------------------------------------------------------------- menu windows

void TsSkinableMenus::CopyBorders(HWND window, const TsBitmap24& background) {
  const base::WindowDc dc(window, base::WindowDc::WholeWindow{});
  if (!dc) return;
  const int32_t w = background.Width(), h = background.Height(), b = kMenuBorderWidth;
  const TRect strips[] = {{0, 0, w, b}, {0, h - b, w, h}, {0, b, b, h - b}, {w - b, b, w, h - b}};
  for (const TRect& s : strips) {
    if (s.Width() <= 0 || s.Height() <= 0) continue;
    TsBitmap24 strip(s.Width(), s.Height());
    CopyRect(strip, background, 0, 0, s);
    CopyCacheToDC(strip, dc.get(), s.Left, s.Top);
  }
}

void TsSkinableMenus::FinishMenuWindow(HWND window) {
  // The window's own messages (a new region repaints it) come back here.
  if (finishing_ || !IsMenuWindow(window) || !popup_ || popup_->Background.Empty()) return;
  finishing_ = true;
  // One subclass per window and procedure however often this runs: the
  // system reuses menu windows, and a second layer would call itself.
  if (SetWindowSubclass(window, MenuWindowProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    subclassed_.insert(window);
  const TsBitmap24& background = popup_->Background;
  const std::vector<TFrameRect> cuts =
      MenuCornerCutouts(manager_->Skin(), Section(kMainMenu), background.Width(), background.Height());
  if (cuts.empty())
    CopyBorders(window, background);
  else
    SetWindowShape(window, background.Width(), background.Height(), cuts, true);
  finishing_ = false;
}

void TsSkinableMenus::ForgetWindow(HWND window) {
  RemoveWindowSubclass(window, MenuWindowProc, kSubclassId);
  subclassed_.erase(window);
}

LRESULT CALLBACK TsSkinableMenus::MenuWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data) {
  auto* self = reinterpret_cast<TsSkinableMenus*>(data);
  switch (msg) {
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      // The items and the border strips cover the whole window.
      if (self->popup_ && !self->popup_->Background.Empty()) return 1;
      break;
    case WM_DESTROY:
      self->popup_.reset();
      break;
    case WM_NCDESTROY:
      self->ForgetWindow(window);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, msg, wParam, lParam);
}

bool TsSkinableMenus::HandleFinishMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg != kFinishMenuItemMessage && msg != kFinishMenuWindowMessage) return false;
  if (msg == kFinishMenuItemMessage) finishQueued_ = false;
  if (!popup_ || popup_->Background.Empty()) return false;
  result = 0;
  if (msg == kFinishMenuWindowMessage) {
    FinishMenuWindow(reinterpret_cast<HWND>(lParam));
    return true;
  }
  // The menu may be gone and the command reused by the time the message
  // arrives: the item is looked up in the menu as it is now.
  const auto menu = reinterpret_cast<HMENU>(lParam);
  const auto command = static_cast<UINT>(wParam);
  if (!menu || !IsMenu(menu)) return true;
  const int count = GetMenuItemCount(menu);
  int position = -1;
  for (int i = 0; i < count && position < 0; ++i)
    if (GetMenuItemID(menu, i) == command) position = i;
  RECT r;
  if (position < 0 || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &r)) return true;
  FinishMenuWindow(WindowFromPoint({r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2}));
  return true;
}

}  // namespace skin
