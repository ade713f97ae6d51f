#include "skin/sMemo.h"

#include "skin/sConst.h"
#include "toolkit/Messages.h"

namespace skin {

TsMemo::TsMemo(tk::TComponent* owner) : tk::TMemo(owner) {
  SkinData.ControlKind = ckMemo;
  if (SkinData.SkinSection().empty()) SkinData.SetSkinSection(s_Edit);
}

TsMemo::~TsMemo() { skinner_.reset(); }

bool TsMemo::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v)) return true;
  // The bound label is not shown in this program; the disabled look is the engine's one blend.
  if (name.rfind("BoundLabel.", 0) == 0 || name == "DisabledKind") return true;
  return tk::TMemo::SetProperty(name, v);
}

void TsMemo::Loaded() {
  tk::TMemo::Loaded();
  SkinData.UpdateSection();
  AttachSkinner();
}

void TsMemo::CreateWnd() {
  tk::TMemo::CreateWnd();
  AttachSkinner();
}

void TsMemo::DestroyWnd() {
  skinner_.reset();
  tk::TMemo::DestroyWnd();
}

void TsMemo::AttachSkinner() {
  if (!HandleAllocated() || IsDestroying()) return;
  if (skinner_ && !skinner_->Destroyed() && skinner_->WindowHandle() == handle_) return;
  skinner_.reset();
  skinner_ = skin::AttachSkinner<TorvEditWnd>(handle_, &SkinData, s_Edit, true);
}

LRESULT TsMemo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SM_SKINCMD) {
    // What the frame skinner leaves: a new skin's indexes, the common answers.
    if (SkinCmdOf(static_cast<uint32_t>(wParam)) == SKC_PARENTUPDATED) {
      if (SkinData.PaintSuspended && HandleAllocated()) {
        SkinData.PaintSuspended = false;
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      }
      return 0;
    }
    LRESULT answer = 0;
    SkinData.CommonCommand(wParam, lParam, answer);
    return answer;
  }
  SkinData.CommonMessage(msg, wParam, lParam);
  const LRESULT result = tk::TMemo::WndProc(msg, wParam, lParam);
  switch (msg) {
    case EM_SCROLLCARET:
      if (OnScrollCaret) OnScrollCaret(this);
      break;
    case WM_VSCROLL:
      if (OnVScroll) OnVScroll(this);
      break;
    case tk::CM_TEXTCHANGED:
    case tk::CM_VISIBLECHANGED:
    case tk::CM_ENABLEDCHANGED:
      SkinData.Invalidate();
      if (skinner_ && !skinner_->Destroyed()) skinner_->Refresh(true);
      break;
    case tk::CM_SHOWINGCHANGED:
      AttachSkinner();
      break;
    default:
      break;
  }
  return result;
}

}  // namespace skin
