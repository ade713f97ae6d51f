// How a skin manager tells the application's windows about its skin: new
// skin, refresh and removal, each sent as SM_SKINCMD with lParam = the
// manager to every form and passed on to the forms' children.
#include <windows.h>

#include <algorithm>

#include "skin/orvDials.h"
#include "skin/sConst.h"
#include "skin/sSkinChange.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "skin/sSkinState.h"
#include "skin/sVclUtils.h"

namespace skin {
namespace {

bool IsMdiChild(tk::TWinControl* form) {
  return form->HandleAllocated() && (GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

// Registered forms that are top-level windows on screen: the ones whose
// redrawing is suspended while a skin changes.
std::vector<tk::TWinControl*> ShownSkinForms() {
  std::vector<tk::TWinControl*> shown;
  for (tk::TWinControl* form : state::SkinForms()) {
    if (!form->HandleAllocated() || form->IsDestroying() || IsMdiChild(form)) continue;
    const HWND h = form->Handle();
    if (!(GetWindowLongW(h, GWL_STYLE) & WS_CHILD) && IsWindowVisible(h)) shown.push_back(form);
  }
  return shown;
}

bool HasMainForm() { return tk::Application && tk::Application->MainForm(); }

void SendToForm(tk::TWinControl* form, uint16_t command, LPARAM lParam) {
  SendSkinCommand(form, command, lParam);
  BroadcastToChildren(form, SM_SKINCMD, MakeSkinCmd(command), lParam);
}

// The form whose layout holds the manager while it is not yet one of the
// application's forms (the application takes a form once its layout is
// read, and the manager loads its skin when the layout is complete).
tk::TWinControl* FormBeingCreated(const TsSkinManager* manager) {
  auto* home = dynamic_cast<tk::TWinControl*>(manager->Owner());
  if (!home || home->IsDestroying()) return nullptr;
  const auto& registered = state::SkinForms();
  if (std::find(registered.begin(), registered.end(), home) != registered.end()) return nullptr;
  if (tk::Application) {
    const std::vector<tk::TForm*>& forms = tk::Application->Forms();
    if (std::find(forms.begin(), forms.end(), home) != forms.end()) return nullptr;
  }
  return home;
}

// The form being created, then every form of the application, last created
// first, then every registered skinned form. Forms that are MDI children,
// being destroyed or still being read are left out of the second round, and
// so are forms that answer SKC_ISSKINNED: their per-form component
// registers them for the third.
void SendToAllForms(uint16_t command, TsSkinManager* manager) {
  const LPARAM lParam = reinterpret_cast<LPARAM>(manager);
  if (tk::TWinControl* home = FormBeingCreated(manager)) SendToForm(home, command, lParam);
  if (tk::Application) {
    const std::vector<tk::TForm*> forms = tk::Application->Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
      tk::TForm* form = *it;
      if (form->IsDestroying() || form->Loading() || IsMdiChild(form) || IsSkinnedControl(form)) continue;
      SendToForm(form, command, lParam);
    }
  }
  const std::vector<tk::TWinControl*> registered = state::SkinForms();
  for (tk::TWinControl* form : registered)
    if (!form->IsDestroying()) SendToForm(form, command, lParam);
  AnnounceToDialogs(command, manager);
}

}  // namespace

// Switching redrawing off hides a window from IsWindowVisible, so the forms
// switched off are remembered until the refresh switches them on again.
void TsSkinManager::SuspendRedraw() {
  if (!HasMainForm() || Loading()) return;
  for (tk::TWinControl* form : ShownSkinForms()) {
    SendMessageW(form->Handle(), WM_SETREDRAW, FALSE, 0);
    suspended_.push_back(form);
  }
}

void TsSkinManager::SendNewSkin() {
  SuspendRedraw();
  tables_.SkinData.SkinActive = false;
  {
    state::FlagGuard announcing(state::Announcing());
    UpdateCachedIndexes();
    SendToAllForms(SKC_SETNEWSKIN, this);
  }
  tables_.SkinData.SkinActive = true;
  SendRefresh();
}

void TsSkinManager::SendRefresh() {
  SendToAllForms(SKC_STOPFADE, this);
  SuspendRedraw();
  SendToAllForms(SKC_REFRESH, this);
  // Every suspended form fades from the old picture into the new one (or
  // is switched back on at once) and is redrawn whole, frame included.
  std::vector<tk::TWinControl*> shown;
  shown.swap(suspended_);
  for (tk::TWinControl* form : shown) {
    if (form->IsDestroying() || !form->HandleAllocated()) continue;
    SetWindowRgn(form->Handle(), nullptr, FALSE);
    // The form's own frame gives it its shape in the new skin.
    if (TsSkinProvider* provider = ProviderOf(form->Handle())) provider->UpdateFrame();
    if (AnimEffects.SkinChanging.Active) {
      AnimateSkinChange(form->Handle(), AnimEffects.SkinChanging.Time);
      continue;
    }
    SendMessageW(form->Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

void TsSkinManager::SendRemoveSkin() {
  state::FlagGuard changing(state::Changing());
  tables_.SkinData.SkinActive = false;
  SendToAllForms(SKC_REMOVESKIN, this);
  tables_.Clear();
}

}  // namespace skin
