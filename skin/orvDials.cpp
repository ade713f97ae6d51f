#include "skin/orvDials.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/WinHook.h"
#include "base/WinLibrary.h"
#include "skin/sConst.h"
#include "skin/sSkinManager.h"
#include "toolkit/Controls.h"
#include "toolkit/WinText.h"

namespace skin {

namespace {

constexpr const char* kNeverSkinned[] = {"tapplication", "tkapplication", "tqrstandardpreview"};
constexpr char kStandardDialog[] = "#32770";
// The toolkit's message-dialog forms: skinned even without srStdForms.
constexpr char kMessageFormClass[] = "tmessageform";
// A dialog with exactly this many drop-down lists has a sample box.
constexpr int32_t kSampleBoxLists = 3;

struct TDialogHook {
  base::HookHandle hook;
  std::vector<TorvProvider*> providers;
  // Owned here: the dialogs' providers (a form's belongs to the form).
  std::vector<std::unique_ptr<TorvProvider>> dialogProviders;
  // Drop-down lists seen while one dialog's children are skinned.
  int32_t listCount = 0;
  POINT messageBoxPosition{-1, -1};
};

TDialogHook& State() {
  static TDialogHook state;
  return state;
}

std::string ClassOf(HWND h) {
  wchar_t name[256] = {};
  GetClassNameW(h, name, static_cast<int>(std::size(name)));
  return LowerAscii(tk::Narrow(name));
}

bool AnswersSkinned(HWND h) { return SendMessageW(h, SM_SKINCMD, MakeSkinCmd(SKC_ISSKINNED), 0) == 1; }

bool HasDescendantOfClass(HWND parent, const char* lowerClass) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (ClassOf(c) == lowerClass || HasDescendantOfClass(c, lowerClass)) return true;
  return false;
}

bool SkinnedDialogVisible() {
  for (TorvProvider* p : State().providers)
    if (p->DialogSkinner() && IsWindowVisible(p->Window())) return true;
  return false;
}

void FreeProvider(TorvProvider* provider) {
  auto& owned = State().dialogProviders;
  const auto it = std::find_if(owned.begin(), owned.end(), [&](const auto& p) { return p.get() == provider; });
  if (it != owned.end()) owned.erase(it);  // its destructor leaves the list
  else delete provider;                    // a form's provider: the form forgets it
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
  const HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE) {
    SkinActivatedWindow(window);
  } else if (code == HCBT_DESTROYWND) {
    // The provider goes with its dialog, while the window still exists to
    // be given back; a handle used again later finds no stale provider.
    if (TorvProvider* p = ProviderOfWindow(window); p && !p->FormProvider()) FreeProvider(p);
  }
  return result;
}

// Switches the system's flat scroll bars off for a window. Looked up at run
// time: the 32-bit import library of comctl32 does not offer the call.
void SwitchOffFlatScrollBars(HWND window) {
  static const base::Library comctl32(LoadLibraryW(L"comctl32.dll"));
  using Uninitialize = HRESULT(WINAPI*)(HWND);
  static const auto uninitialize =
      comctl32 ? reinterpret_cast<Uninitialize>(reinterpret_cast<void*>(GetProcAddress(comctl32.get(), "UninitializeFlatSB")))
               : nullptr;
  if (uninitialize) uninitialize(window);
}

void InstallDialogHook() {
  if (State().hook) return;
  State().hook.reset(SetWindowsHookExW(WH_CBT, &CbtHook, nullptr, GetCurrentThreadId()));
}

}  // namespace

const std::vector<TorvProvider*>& ProviderList() { return State().providers; }

TorvProvider* ProviderOfWindow(HWND window) {
  for (TorvProvider* p : State().providers)
    if (p->Window() == window) return p;
  return nullptr;
}

POINT& MessageBoxPosition() { return State().messageBoxPosition; }

bool DialogHookInstalled() { return static_cast<bool>(State().hook); }

TorvProvider::TorvProvider(tk::TComponent* owner) : tk::TComponent(owner) { State().providers.push_back(this); }

TorvProvider::~TorvProvider() {
  Destroying();
  FreeSkinners();
  std::erase(State().providers, this);
}

void TorvProvider::FreeSkinners() {
  children_.clear();
  dialog_.reset();
}

void TorvProvider::AttachToForm(tk::TForm* form) {
  window_ = form->Handle();
  formProvider_ = new TsSkinProvider(form);
  if (ClassOf(window_) == kMessageFormClass) formProvider_->SetProperty("MakeSkinMenu", tpf0::Value::Boolean(false));
  formProvider_->Loaded();
  formProvider_->UpdateFrame();
  SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool TorvProvider::AttachToDialog(HWND dialog) {
  window_ = dialog;
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (!manager || !manager->SkinData().SkinActive) return false;
  LeftScrollBar = (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  const std::string cls = ClassOf(dialog);
  if (cls != kStandardDialog && cls != kMessageFormClass) return true;  // kept, with no skinner
  SwitchOffFlatScrollBars(dialog);
  dialog_ = AttachSkinner<TorvDialogWnd>(dialog, nullptr, s_Dialog, false);
  if (const POINT at = MessageBoxPosition(); at.x != -1 || at.y != -1)
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOOWNERZORDER | SWP_NOREDRAW | SWP_NOZORDER);
  State().listCount = 0;
  if (!SkinChildren(dialog)) {
    FreeSkinners();
    return false;
  }
  if (State().listCount == kSampleBoxLists) DialogKind = dkSampleBox;
  dialog_->Prepare(DialogKind, [this] { (void)SkinChildren(window_); });
  SendMessageW(dialog, SM_SKINCMD, MakeSkinCmd(SKC_SETNEWSKIN), reinterpret_cast<LPARAM>(manager));
  return true;
}

// Depth first: a window's own children before the window, siblings from
// the top of the z-order.
bool TorvProvider::SkinChildren(HWND parent) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!SkinChildren(c)) return false;
    if ((GetWindowLongW(c, GWL_STYLE) & WS_CHILD) && !SkinChild(c)) return false;
  }
  return true;
}

bool TorvProvider::SkinChild(HWND child) {
  if (TorvMainWnd::Of(child) || AnswersSkinned(child)) return true;
  RECT r;
  GetWindowRect(child, &r);
  const std::string cls = ClassOf(child);
  const TChildChoice choice =
      ChooseChildSkinner(cls, static_cast<uint32_t>(GetWindowLongW(child, GWL_STYLE)), r.right - r.left, r.bottom - r.top);
  if (choice.Skinner == TChildSkinner::Refuse) return false;
  if (choice.DialogKind != kKeepDialogKind) DialogKind = static_cast<uint8_t>(choice.DialogKind);
  if (choice.Skinner == TChildSkinner::ComboList) ++State().listCount;
  if (auto skinner = CreateChildSkinner(choice.Skinner, child, choice.Section)) children_.push_back(std::move(skinner));
  return true;
}

void TorvProvider::Announce(uint16_t command, TsSkinManager* manager) {
  const LPARAM lParam = reinterpret_cast<LPARAM>(manager);
  if (!dialog_ || !IsWindow(window_)) return;
  SendMessageW(window_, SM_SKINCMD, MakeSkinCmd(command), lParam);
  for (const auto& child : children_)
    if (!child->Destroyed()) SendMessageW(child->WindowHandle(), SM_SKINCMD, MakeSkinCmd(command), lParam);
}

void SkinActivatedWindow(HWND window) {
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (!manager || ProviderOfWindow(window) || AnswersSkinned(window)) return;
  const std::string cls = ClassOf(window);
  if (std::find(std::begin(kNeverSkinned), std::end(kNeverSkinned), cls) != std::end(kNeverSkinned)) return;
  if (auto* form = dynamic_cast<tk::TForm*>(tk::TWinControl::FromHandle(window))) {
    if (!(manager->SkinningRules & srStdForms) && cls != kMessageFormClass) return;
    (new TorvProvider(form))->AttachToForm(form);
    return;
  }
  if (!(manager->SkinningRules & srStdDialogs)) return;
  // Over a skinned dialog, only a file dialog (it has a tool bar) is skinned.
  if (SkinnedDialogVisible() && !HasDescendantOfClass(window, "toolbarwindow32")) return;
  auto provider = std::make_unique<TorvProvider>(nullptr);
  if (!provider->AttachToDialog(window)) return;
  State().dialogProviders.push_back(std::move(provider));
}

void AnnounceToDialogs(uint16_t command, TsSkinManager* manager) {
  if (!manager->IsDefault()) return;
  if (command == SKC_REMOVESKIN) {
    RemoveDialogHook();
    return;
  }
  InstallDialogHook();
  const std::vector<TorvProvider*> providers = State().providers;
  for (TorvProvider* p : providers) p->Announce(command, manager);
}

// The dialog skinners give their windows back, the system's frames return.
void RemoveDialogHook() {
  TDialogHook& s = State();
  s.hook.reset();
  s.dialogProviders.clear();
  while (!s.providers.empty()) FreeProvider(s.providers.back());
}

}  // namespace skin
