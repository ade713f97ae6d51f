// Skinning windows the application does not build from skinned controls:
// the default manager's window-creation hook (a CBT hook of the GUI
// thread, there while the manager's skin is active) gives every activated
// toolkit form without a per-form component a TsSkinProvider and every
// standard dialog a TorvDialogWnd with skinners for its children. One
// TorvProvider per window holds what was attached; a dialog's is freed when
// its window is destroyed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/orvDialogChildren.h"
#include "skin/orvDialogRules.h"
#include "skin/orvDialogWnd.h"
#include "skin/sSkinProvider.h"
#include "toolkit/Classes.h"

namespace skin {

class TsSkinManager;

class TorvProvider : public tk::TComponent {
public:
  explicit TorvProvider(tk::TComponent* owner);
  ~TorvProvider() override;
  const char* ClassName() const override { return "TorvProvider"; }

  uint8_t DialogKind = dkOrdinary;
  bool LeftScrollBar = false;  // the dialog has WS_EX_LEFTSCROLLBAR
  HWND Window() const { return window_; }
  TorvDialogWnd* DialogSkinner() const { return dialog_.get(); }
  TsSkinProvider* FormProvider() const { return formProvider_; }
  const std::vector<std::unique_ptr<TorvMainWnd>>& ChildSkinners() const { return children_; }

  void AttachToForm(tk::TForm* form);
  [[nodiscard]] bool AttachToDialog(HWND dialog);
  // Skins every child window not skinned yet; false when one refuses.
  [[nodiscard]] bool SkinChildren(HWND parent);
  [[nodiscard]] bool SkinChild(HWND child);
  // Sends a skin command to the dialog and its skinned children.
  void Announce(uint16_t command, TsSkinManager* manager);

private:
  void FreeSkinners();

  HWND window_ = nullptr;
  std::unique_ptr<TorvDialogWnd> dialog_;
  TsSkinProvider* formProvider_ = nullptr;  // owned by the form
  std::vector<std::unique_ptr<TorvMainWnd>> children_;
};

// The providers of the windows skinned through the hook.
const std::vector<TorvProvider*>& ProviderList();
// The provider holding a window, or none.
TorvProvider* ProviderOfWindow(HWND window);

// What the hook does for an activated window.
void SkinActivatedWindow(HWND window);

// The hook comes with the default manager's skin and goes with it (the
// providers with it); every skin command of the default manager reaches
// the skinned dialogs too.
void AnnounceToDialogs(uint16_t command, TsSkinManager* manager);
void RemoveDialogHook();
[[nodiscard]] bool DialogHookInstalled();

// Where the message-box routine wants its box (screen coordinates; -1, -1
// for none) while the box is shown.
POINT& MessageBoxPosition();

}  // namespace skin
