// The provider's life with its form and the skin commands it answers for
// the form. Painting, shape and mouse handling of the frame are in
// sSkinProviderFrame.cpp.
#include "skin/sSkinProvider.h"

#include <algorithm>

#include "skin/sConst.h"
#include "skin/sSkinManager.h"
#include "skin/sVclUtils.h"

namespace skin {

namespace {

// The providers that hook a form: one per form.
std::vector<TsSkinProvider*>& Providers() {
  static std::vector<TsSkinProvider*> providers;
  return providers;
}

tk::TForm* OwningForm(tk::TComponent* c) {
  for (; c; c = c->Owner())
    if (auto* form = dynamic_cast<tk::TForm*>(c)) return form;
  return nullptr;
}

}  // namespace

TsSkinProvider* ProviderOf(HWND form) {
  for (TsSkinProvider* p : Providers())
    if (p->Form() && p->Form()->HandleAllocated() && p->Form()->Handle() == form) return p;
  return nullptr;
}

TsSkinProvider::TsSkinProvider(tk::TComponent* owner)
    : tk::TComponent(owner), SkinData(this, true), scrollData_(OwningForm(owner), false) {
  SkinData.ControlKind = ckSkinProvider;
  SkinData.SetSkinSection(s_Form);
  tk::TForm* form = OwningForm(owner);
  if (!form) return;
  for (TsSkinProvider* p : Providers())
    if (p->Form() == form) return;  // a second provider on a form stays inactive
  form_ = form;
  Providers().push_back(this);
  undo_.push_back({false, [this] { std::erase(Providers(), this); }});
  const tk::TMessageHookChain::Id id =
      form_->HookMessages([this](const tk::TMessage& m, const tk::TMessageHandler& next) { return Hook(m, next); });
  undo_.push_back({true, [this, id] { form_->UnhookMessages(id); }});
  RegisterSkinForm(form_);
  undo_.push_back({false, [this] { UnregisterSkinForm(form_); }});
  systemMenu_ = std::make_unique<TsSystemMenu>(form_, MakeSkinMenu);
}

TsSkinProvider::~TsSkinProvider() {
  // A form being destroyed has lost its window and its hook chain already:
  // only the process-wide lists forget it.
  const bool formGoing = !form_ || form_->IsDestroying();
  if (!formGoing && Skinned()) RemoveSkin();
  // The scroll skinner stands on the provider's hook: it goes first.
  scrollSkinner_.reset();
  adapter_.RemoveAll();
  // Undone in reverse order of doing: a later hook may stand on an earlier one.
  for (auto it = undo_.rbegin(); it != undo_.rend(); ++it)
    if (!formGoing || !it->TouchesForm) it->Run();
}

bool TsSkinProvider::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v)) return true;
  if (name == "MakeSkinMenu") {
    MakeSkinMenu = tk::ValueToBool(name, v);
    if (form_) systemMenu_ = std::make_unique<TsSystemMenu>(form_, MakeSkinMenu);
  } else if (name == "ShowAppIcon") {
    ShowAppIcon = tk::ValueToBool(name, v);
  } else if (name == "ScreenSnap") {
    ScreenSnap = tk::ValueToBool(name, v);
  } else if (name == "SnapBuffer") {
    SnapBuffer = tk::ValueToInt(name, v);
  } else if (name == "UseGlobalColor") {
    UseGlobalColor = tk::ValueToBool(name, v);
  } else if (name == "TitleSkin") {
    TitleSkin = tk::ValueToString(name, v);
  } else if (name == "MenuLineSkin") {
    MenuLineSkin = tk::ValueToString(name, v);
  } else if (name.rfind("AddedTitle.", 0) == 0 || name == "TitleButtons" || name.rfind("GripMode", 0) == 0) {
    // Title-bar extras of other forms; this program's form has none.
  } else {
    return tk::TComponent::SetProperty(name, v);
  }
  return true;
}

void TsSkinProvider::Loaded() {
  tk::TComponent::Loaded();
  SkinData.UpdateSection();
  if (form_ && Skinned()) ApplySkin();
}

bool TsSkinProvider::Skinned() const { return form_ && SkinData.IsSkinned(); }

void TsSkinProvider::ApplyFormColor(bool skinned) {
  if (!UseGlobalColor || SkinData.CustomColor()) return;
  TsSkinManager* m = SkinData.Manager();
  form_->SetColor(skinned && m ? static_cast<tk::TColor>(m->GetGlobalColor()) : tk::clBtnFace);
}

// The system would draw its own caption buttons beside ours while the
// window has a system menu.
void TsSkinProvider::ApplySkin() {
  SkinData.CacheDirty = true;
  regionSize_ = {-1, -1};
  if (form_->HandleAllocated()) {
    const HWND h = form_->Handle();
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    // Wine: the system menu is made on first request only while the window
    // has WS_SYSMENU; made now, the program can still grey its Close later
    // and the skinned frame follows.
    if (style & WS_SYSMENU) GetSystemMenu(h, FALSE);
    if (style & WS_SYSMENU) SetWindowLongW(h, GWL_STYLE, style & ~WS_SYSMENU);
  }
  ApplyFormColor(true);
  AttachScrollSkinner();
  SkinMainMenu(true);
  TsSkinManager* m = SkinData.Manager();
  if (m && (m->SkinningRules & srThirdParty)) adapter_.AdaptAll(form_, static_cast<tk::TColor>(m->GetGlobalFontColor()));
}

// A form whose client is larger than its window (WS_HSCROLL, WS_VSCROLL)
// gets its bars from the skin while skinned.
void TsSkinProvider::AttachScrollSkinner() {
  if (!form_->HandleAllocated()) return;
  const HWND h = form_->Handle();
  if (!(GetWindowLongW(h, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL))) return;
  if (scrollSkinner_ && !scrollSkinner_->Destroyed()) return;
  scrollData_.SetSkinSection(SkinData.SkinSection());
  scrollData_.UpdateIndexes();
  scrollSkinner_ = AttachSkinner<TorvScrollWnd>(h, &scrollData_, SkinData.SkinSection(), true);
}

void TsSkinProvider::RemoveSkin() {
  scrollSkinner_.reset();
  adapter_.RemoveAll();
  ApplyFormColor(false);
  SkinMainMenu(false);
  if (!form_->HandleAllocated()) return;
  const HWND h = form_->Handle();
  if (form_->BorderIcons() & tk::biSystemMenu) SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | WS_SYSMENU);
  changingRegion_ = true;
  SetWindowRgn(h, nullptr, TRUE);
  changingRegion_ = false;
  regionSize_ = {-1, -1};
  // The system's frame comes back.
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

LRESULT TsSkinProvider::SkinCommand(const tk::TMessage& m, const tk::TMessageHandler& next) {
  const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(m.wParam));
  const bool own = reinterpret_cast<TsSkinManager*>(m.lParam) == SkinData.Manager();
  const bool visible = form_->HandleAllocated() && (GetWindowLongW(form_->Handle(), GWL_STYLE) & WS_VISIBLE);
  LRESULT result = 0;
  switch (cmd) {
    case SKC_SETNEWSKIN:
      if (!own) return next(m);
      SkinData.CommonCommand(m.wParam, m.lParam, result);
      SkinData.UpdateIndexes();
      if (SkinData.SectionIndex >= 0) ApplySkin();
      return next(m);
    case SKC_REMOVESKIN:
      if (!own) return next(m);
      SkinData.CommonCommand(m.wParam, m.lParam, result);
      RemoveSkin();
      return 0;
    case SKC_REFRESH:
      if (!own) return 0;
      SkinData.CommonCommand(m.wParam, m.lParam, result);
      if (!Skinned()) return 0;
      ApplySkin();
      if (visible) {
        UpdateFrame();
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
      }
      return 0;
    case SKC_GETPROVIDER:
      return reinterpret_cast<LRESULT>(this);
    case SKC_GETBG: {
      SharedBackground() = {};
      if (form_->Loading() || !Skinned() || !form_->HandleAllocated()) return 0;
      if (!FrameCurrent()) RebuildFrame();
      // The client area's place in the picture of the whole window, as the
      // system placed it (scroll bars on either side included).
      POINT client{0, 0};
      ClientToScreen(form_->Handle(), &client);
      RECT w;
      GetWindowRect(form_->Handle(), &w);
      SharedBackground() = {&SkinData.CacheBitmap, client.x - w.left, client.y - w.top, true};
      return 0;
    }
    case SKC_ISSKINNED:
      return 1;
    case SKC_SETUPDATING:
      SkinData.PaintSuspended = LOWORD(m.wParam) == 1;
      if (SkinData.PaintSuspended) SkinData.CacheDirty = true;
      return 0;
    case SKC_PREPARECACHE:
      SkinData.CommonCommand(m.wParam, m.lParam, result);
      if (SkinData.CacheFrozen && Skinned()) RebuildFrame();
      return 0;
    case SKC_ISUPDATING:
      return SkinData.CacheDirty || SkinData.PaintSuspended ? 1 : 0;
    case SKC_SETPAINTCHILD:
    case SKC_ISTRANSPARENT:
    case SKC_GETCOLOR:
      if (Skinned()) {
        SkinData.CommonCommand(m.wParam, m.lParam, result);
      } else if (cmd == SKC_GETCOLOR) {
        TransparentKeyColor() = tk::ColorToRGB(form_->Color());
      }
      return result;
    case SKC_CONTROLCHANGED:
      if (!form_->Loading() && m.lParam && Skinned()) {
        TsSkinManager* sm = SkinData.Manager();
        adapter_.AdaptAll(reinterpret_cast<tk::TComponent*>(m.lParam),
                          static_cast<tk::TColor>(sm->GetGlobalFontColor()));
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace skin
