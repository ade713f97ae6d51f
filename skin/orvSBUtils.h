// Window skinners: objects attached to an existing window that take its
// messages before the window's own code, paint its non-client frame from a
// skin section and draw its scroll bars with the skin instead of the
// system. The system's scroll information stays the truth: the skinner
// reads it, hides the system bars only while the frame is calculated,
// reserves their space itself and drives the window with the ordinary
// WM_HSCROLL / WM_VSCROLL messages, exactly as the system bars would.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/sCommonData.h"
#include "toolkit/MessageHooks.h"

namespace skin {

// The window property that holds a window's skinner.
inline constexpr wchar_t kSkinnerProperty[] = L"ORVSBSC";

// The base: attaching, default processing, the common skin commands.
class TorvMainWnd {
public:
  virtual ~TorvMainWnd();
  TorvMainWnd(const TorvMainWnd&) = delete;
  TorvMainWnd& operator=(const TorvMainWnd&) = delete;

  // Takes the window's messages: through the control's message chain when
  // the skin data belongs to a control, else through the system's subclass
  // chain. With `repaint` the frame is calculated again at once.
  void Attach(bool repaint);
  // Gives the window back (also done when the window is destroyed).
  void Detach();
  [[nodiscard]] bool Destroyed() const { return destroyed_; }
  [[nodiscard]] HWND WindowHandle() const { return window_; }
  [[nodiscard]] TsCommonData& SkinData() const { return *data_; }
  // The skinner attached to a window, or none.
  static TorvMainWnd* Of(HWND window);

protected:
  // Without `data` the skinner keeps a data object of its own with `section`.
  TorvMainWnd(HWND window, TsCommonData* data, const std::string& section);

  virtual void SaveColors() {}
  virtual void RemoveSkin() {}
  virtual void ApplyColors() { colorsApplied_ = true; }
  virtual LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  // The message as the window would have handled it without the skinner.
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
  [[nodiscard]] bool Active() const { return attached_ && !destroyed_ && data_->IsSkinned(); }
  [[nodiscard]] tk::TWinControl* Control() const { return control_; }

  HWND window_;
  TsCommonData* data_;
  bool colorsApplied_ = false;
  bool framedBySkin_ = false;  // the last frame calculation was the skinner's
  bool busy_ = false;  // the skinner is sending its window a scroll message

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
  // The skinners' id in a window's subclass chain.
  static constexpr UINT_PTR kSubclassId = 0x4F5256;
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  void RecalculateFrame();

  std::unique_ptr<TsCommonData> ownData_;
  tk::TWinControl* control_ = nullptr;
  tk::TMessageHookChain::Id hook_ = 0;
  const tk::TMessageHandler* next_ = nullptr;  // the chain's rest while a message runs
  bool subclassed_ = false;
  bool attached_ = false, destroyed_ = false;
};

// One bar's state: whether the style has it, whether it is drawn, and the
// system's scroll information read last.
struct TorvScrollBar {
  bool Vertical = false;
  bool HasStyle = false;
  bool Shown = false;
  SCROLLINFO Info{};
};

// Skinned scroll bars: frame calculation, painting, hit testing, hovering,
// arrow and page presses with repeat, thumb drags.
class TorvScrollWnd : public TorvMainWnd {
public:
  TorvScrollWnd(HWND window, TsCommonData* data, const std::string& section);
  ~TorvScrollWnd() override;
  // Reads both bars' scroll information again; with `repaint` paints them.
  void Refresh(bool repaint);
  // The bars and the size box in window coordinates (empty when not shown).
  [[nodiscard]] RECT BarRect(bool vertical) const;
  [[nodiscard]] RECT SizeBoxRect() const;
  // Paints both bars and the size box on `dc` (none: the window's DC).
  virtual void PaintBars(HDC dc);
  [[nodiscard]] bool Tracking() const { return tracking_; }

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] bool BarEnabled(bool vertical) const;
  // False while nothing may be painted; rebuilds a dirty frame picture.
  bool CanPaintBars();
  // The bars and the size box into a picture of the whole window.
  void ComposeBars(TsBitmap24& window);
  RECT edges_{};  // the frame around the client, bars not counted
  bool styleGuard_ = false;  // style changes of the skinner's own are not the window's

private:
  LRESULT CalcSize(WPARAM wParam, LPARAM lParam);
  LRESULT HitTest(LPARAM lParam);
  bool GripShown() const;
  bool ComposeBar(TsBitmap24& bar, bool vertical, int32_t draggedThumbStart);
  void ComposeSizeBox(TsBitmap24& box);
  void PaintDraggedBar(bool vertical, int32_t thumbStart);
  int32_t DrawnArrow(bool vertical) const;
  void SendScroll(bool vertical, int32_t code, int32_t pos);
  void Press(bool vertical, POINT screen);
  void FollowPointer(POINT screen);
  void Release();
  void HoverTick();
  void Timer(UINT_PTR id);
  // Where a screen point lies along a bar, in pixels from the bar's start.
  int32_t Along(bool vertical, POINT screen) const;

  TorvScrollBar bars_[2];  // horizontal, vertical
  bool barsOnLeft_ = false;
  bool tracking_ = false;
};

// The scroll-bar skinner with a frame picture cached in the skin data,
// rebuilt after size, enable and skin changes.
class TorvBaseWnd : public TorvScrollWnd {
public:
  using TorvScrollWnd::TorvScrollWnd;

protected:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void BuildFrameCache();
  // The frame picture in the cache is the one on the screen: bars alone
  // may be painted again over it.
  bool frameOnScreen_ = false;
};

// The skinner of a system edit (a memo): the frame from its section, the
// control's colours from the section while skinned.
class TorvEditWnd : public TorvBaseWnd {
public:
  TorvEditWnd(HWND window, TsCommonData* data, const std::string& section);
  ~TorvEditWnd() override;

  // The frame with its bars, in one copy; while the frame on the screen is
  // the cached one, the bars alone.
  void PaintBars(HDC dc) override;

protected:
  void SaveColors() override;
  void RemoveSkin() override;
  void ApplyColors() override;
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void PaintFrame(HDC dc);
  tk::TColor savedColor_ = 0, savedFontColor_ = 0;
};

// Creates a skinner of type T and attaches it.
template <class T>
std::unique_ptr<T> AttachSkinner(HWND window, TsCommonData* data, const std::string& section, bool repaint) {
  auto skinner = std::make_unique<T>(window, data, section);
  skinner->Attach(repaint);
  return skinner;
}

}  // namespace skin
