// Controls: visual components with a parent, bounds, alignment, anchors, font
// and colour. Windowed controls own a window; graphic controls are painted
// by their parent.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/WinGdiObject.h"
#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"
#include "toolkit/MessageHooks.h"
#include "toolkit/Messages.h"

namespace tk {

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchor : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
enum class TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

class TWinControl;

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual void SetBounds(int left, int top, int width, int height);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  uint8_t Anchors() const { return anchors_; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& text);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  virtual void FontChanged() {}
  TColor Color() const { return color_; }
  virtual void SetColor(TColor color);
  // Takes the parent's colour while ParentColor is set.
  virtual void InheritColor(TColor color);
  bool ParentFont() const { return parentFont_; }
  bool ParentColor() const { return parentColor_; }

  int TabOrder() const { return tabOrder_; }
  bool TabStop() const { return tabStop_; }

  TNotifyEvent OnClick;
  virtual void Click();

  // Redraws the control (or its area of the parent).
  virtual void Invalidate();

  // Hands a message straight to the control's handler, without the window
  // system: graphic controls answer what concerns them, windowed controls
  // run their WndProc. Unhandled messages give 0.
  virtual LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam) { return 0; }

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;

  // Keeps the anchored distances: called when the parent's client size changes.
  void ParentResized(int parentWidth, int parentHeight);
  // Records the distances to the parent's right and bottom edges.
  void UpdateAnchorRules();

protected:
  virtual void BoundsChanged() {}
  void InheritFromParent();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int anchorRight_ = 0, anchorBottom_ = 0;  // distances to the parent's right and bottom
  TAlign align_ = TAlign::alNone;
  uint8_t anchors_ = akLeft | akTop;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  TFont font_;
  TColor color_ = clBtnFace;
  bool parentFont_ = true, parentColor_ = true;
  int tabOrder_ = -1;
  bool tabStop_ = false;
};

// A control painted by its parent window in the parent's WM_PAINT. The
// parent hands it the mouse messages over its rectangle (coordinates
// relative to the control) and CM_MOUSEENTER / CM_MOUSELEAVE.
class TGraphicControl : public TControl {
public:
  using TControl::TControl;
  const char* ClassName() const override { return "TGraphicControl"; }
  virtual void Paint(HDC dc) = 0;  // dc origin at the control's top-left
  void Invalidate() override;
};

// Parameters of the window a windowed control creates.
struct TCreateParams {
  std::wstring windowClass;  // a standard class ("BUTTON", "EDIT") or empty for our own
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  HWND parent = nullptr;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }

  HWND Handle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Creates the window and, after it, those of all children.
  void HandleNeeded();

  const std::vector<TControl*>& Controls() const { return controls_; }
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetCaption(const std::string& text) override;
  void SetColor(TColor color) override;
  void FontChanged() override;
  void Invalidate() override;
  void SetFocus();
  bool Focused() const;

  virtual int ClientWidth() const;
  virtual int ClientHeight() const;
  // Arranges aligned children and keeps anchored ones in place.
  void AlignControls();

  // The control's message handler. Derived classes handle what they need
  // and pass the rest on; DefaultHandler calls the window class's procedure.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Every message of the control, from the window system or by Perform,
  // runs through its hooks before WndProc.
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

  // Installs a hook in front of the control's message handler (see
  // TMessageHookChain); it stays when the window is created again.
  TMessageHookChain::Id HookMessages(TMessageHook hook) { return hooks_.Add(std::move(hook)); }
  void UnhookMessages(TMessageHookChain::Id id) { hooks_.Remove(id); }

  // Destroys the window and creates it again with the current parameters
  // (a style that only takes effect at creation changed).
  void RecreateWnd();

  // The control whose window this is, or nullptr.
  static TWinControl* FromHandle(HWND hwnd);

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Notifications that the parent reflects back to the child that sent them.
  virtual LRESULT CNCommand(WORD code) { return 0; }
  virtual LRESULT CNDrawItem(DRAWITEMSTRUCT*) { return FALSE; }
  virtual LRESULT CNCtlColor(HDC dc);
  // Paints the background and the graphic children. False when the control
  // skipped its paint: whatever the window shows stays.
  virtual bool PaintWindow(HDC dc);
  void PaintControls(HDC dc);
  void BoundsChanged() override;
  std::wstring WindowText() const;

  HWND handle_ = nullptr;
  WNDPROC defProc_ = nullptr;
  base::GdiObject<HBRUSH> brush_;  // background brush for WM_CTLCOLOR*
  std::vector<TControl*> controls_;

private:
  friend LRESULT CALLBACK ToolkitWndProc(HWND, UINT, WPARAM, LPARAM);
  void ApplyTabOrder();
  // Hands a mouse message over a graphic child to it; true when one took it.
  bool RouteMouseToGraphic(UINT msg, WPARAM wParam, LPARAM lParam);
  void SetHotGraphic(TGraphicControl* control);
  // Hands a notification to the control and to its windowed children.
  void NotifyShowing();
  TMessageHookChain hooks_;
  bool aligning_ = false;
  TGraphicControl* hotGraphic_ = nullptr;       // the graphic child under the mouse
  TGraphicControl* capturedGraphic_ = nullptr;  // the one a held button was pressed on
};

LRESULT CALLBACK ToolkitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Passes the exception being handled to the application's exception
// handler (TApplication::HandleException).
void HandleWindowException(TComponent* sender);

}  // namespace tk
