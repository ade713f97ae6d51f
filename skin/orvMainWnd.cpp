// Attaching a skinner to its window and the messages every skinner handles
// the same way.
#include "skin/orvSBUtils.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "skin/sConst.h"
#include "skin/sSkinManager.h"

namespace skin {

TorvMainWnd::TorvMainWnd(HWND window, TsCommonData* data, const std::string& section) : window_(window), data_(data) {
  if (!data_) {
    ownData_ = std::make_unique<TsCommonData>();
    data_ = ownData_.get();
  }
  if (data_->SkinSection().empty()) data_->SetSkinSection(section);
  control_ = dynamic_cast<tk::TWinControl*>(data_->OwnerControl);
}

TorvMainWnd::~TorvMainWnd() { Detach(); }

TorvMainWnd* TorvMainWnd::Of(HWND window) { return static_cast<TorvMainWnd*>(GetPropW(window, kSkinnerProperty)); }

void TorvMainWnd::Attach(bool repaint) {
  if (attached_ || !IsWindow(window_)) return;
  if (data_->SkinSection() != s_Dialog) SetWindowTheme(window_, L" ", L" ");
  SaveColors();
  colorsApplied_ = false;
  if (control_) {
    hook_ = control_->HookMessages([this](const tk::TMessage& m, const tk::TMessageHandler& next) {
      const tk::TMessageHandler* outer = next_;
      next_ = &next;
      const LRESULT result = Dispatch(m.msg, m.wParam, m.lParam);
      next_ = outer;
      return result;
    });
  } else {
    // The system's subclass chain keeps other subclassers of the window
    // working and takes the skinner out in any order.
    subclassed_ = SetWindowSubclass(window_, &TorvMainWnd::Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }
  SetPropW(window_, kSkinnerProperty, this);
  attached_ = true;
  if (repaint)
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TorvMainWnd::Detach() {
  if (!attached_) return;
  attached_ = false;
  destroyed_ = true;
  RemoveSkin();
  if (IsWindow(window_)) {
    SetWindowTheme(window_, nullptr, nullptr);
    RemovePropW(window_, kSkinnerProperty);
  }
  if (control_) {
    control_->UnhookMessages(hook_);
  } else if (subclassed_) {
    subclassed_ = false;
    if (IsWindow(window_)) RemoveWindowSubclass(window_, &TorvMainWnd::Procedure, kSubclassId);
  }
}

LRESULT CALLBACK TorvMainWnd::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
  auto* skinner = reinterpret_cast<TorvMainWnd*>(self);
  if (!skinner->attached_) return DefSubclassProc(window, msg, wParam, lParam);
  return skinner->Dispatch(msg, wParam, lParam);
}

namespace {

// Only the commands that bring or take the skin can change who frames the
// window. Queries must not: a child asking its parent for the background
// while the parent's frame is recalculated would ask again, for ever.
bool ChangesSkin(UINT msg, WPARAM wParam) {
  if (msg != SM_SKINCMD) return false;
  const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
  return cmd == SKC_SETNEWSKIN || cmd == SKC_REFRESH || cmd == SKC_REMOVESKIN;
}

}  // namespace

LRESULT TorvMainWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY || msg == WM_NCDESTROY) {
    const bool subclassed = subclassed_;
    const tk::TMessageHandler* next = next_;
    const HWND window = window_;
    const bool visible = IsWindowVisible(window_);
    Detach();
    if (visible) SendMessageW(window, WM_NCPAINT, 1, 0);
    if (next) return (*next)({msg, wParam, lParam});
    // Out of the chain already, the message goes on to the window's own
    // procedure.
    return subclassed ? DefSubclassProc(window, msg, wParam, lParam) : 0;
  }
  if (!Active()) {
    if (msg == WM_NCCALCSIZE) framedBySkin_ = false;
    const LRESULT result = Default(msg, wParam, lParam);
    if (ChangesSkin(msg, wParam)) RecalculateFrame();
    return result;
  }
  const LRESULT result = Handle(msg, wParam, lParam);
  if (ChangesSkin(msg, wParam)) RecalculateFrame();
  return result;
}

void TorvMainWnd::RecalculateFrame() {
  // A skin that came or went changes who reserves the frame's space.
  if (attached_ && Active() != framedBySkin_)
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT TorvMainWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (next_) return (*next_)({msg, wParam, lParam});
  if (subclassed_) return DefSubclassProc(window_, msg, wParam, lParam);
  return 0;
}

LRESULT TorvMainWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (TsSkinManager* m = TsSkinManager::DefaultManager(); m && IsWindowEnabled(window_) && m->HotWindow() != window_)
        m->SetHotWindow(window_);
      break;
    case WM_PRINT:
      return SendMessageW(window_, WM_PAINT, wParam, lParam);
    case WM_UPDATEUISTATE:
      return 0;
    case SM_SKINCMD: {
      const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
      const bool own = reinterpret_cast<TsSkinManager*>(lParam) == data_->Manager();
      switch (cmd) {
        case SKC_SETNEWSKIN:
        case SKC_REFRESH:
          if (!own) break;
          data_->UpdateIndexes();
          data_->CacheDirty = true;
          colorsApplied_ = false;
          if (cmd == SKC_REFRESH) {
            data_->PaintSuspended = false;
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
          }
          // The control's own handling follows.
          break;
        case SKC_REMOVESKIN:
          if (own) RemoveSkin();
          return 0;
        case SKC_GETBG:
          SharedBackground() = {};
          if (!data_->CacheBitmap.Empty()) SharedBackground() = {&data_->CacheBitmap, 0, 0, true};
          return 0;
        case SKC_PARENTUPDATED:
          if (data_->PaintSuspended) {
            data_->PaintSuspended = false;
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
          }
          return 0;
        case SKC_ISSKINNED:
          return 1;
        case SKC_ISUPDATING:
          return data_->CacheDirty || data_->PaintSuspended;
        default:
          break;
      }
      break;
    }
    default:
      break;
  }
  return Default(msg, wParam, lParam);
}

}  // namespace skin
