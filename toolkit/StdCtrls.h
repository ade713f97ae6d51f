// Standard controls on the system's window classes: push button, edit,
// memo; and the label, a graphic control.
#pragma once

#include "toolkit/Controls.h"

namespace tk {

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner);
  const char* ClassName() const override { return "TButton"; }
  bool WordWrap = false;
  // Enter in a control of the form that is no button presses the Default button.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  // The button Enter presses: the focused button, or the Default one while
  // no button of the form has the focus. It carries the default-button
  // style and tells the dialog manager so.
  bool Active() const { return active_; }
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT CNCommand(WORD code) override;

private:
  // Becomes active or not for the window that now has the focus.
  void FocusMoved(HWND focus);
  bool default_ = false, active_ = false;
};

enum class TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };
enum class TBorderStyle : uint8_t { bsNone, bsSingle };

class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* owner);
  const char* ClassName() const override { return "TEdit"; }

  std::string Text() const;
  void SetText(const std::string& text);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  bool ReadOnly() const { return readOnly_; }
  virtual void SetReadOnly(bool value);
  // Focus gained from the keyboard selects the whole text.
  bool AutoSelect = true;
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);
  // Shown for every character instead of it; 0 shows the text.
  wchar_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(wchar_t value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TNotifyEvent OnChange;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  LRESULT CNCommand(WORD code) override;
  int maxLength_ = 0;
  bool autoSize_ = true;

private:
  bool readOnly_ = false;
  TEditCharCase charCase_ = TEditCharCase::ecNormal;
  wchar_t passwordChar_ = 0;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

// A multi-line edit whose lines are the log of the main window.
class TMemo : public TEdit {
public:
  explicit TMemo(TComponent* owner);
  const char* ClassName() const override { return "TMemo"; }

  // The memo's lines; each is followed by a line break in the text.
  class TLines {
  public:
    explicit TLines(TMemo& memo) : memo_(memo) {}
    void Add(const std::string& line);
    void Clear();
    int Count() const;
    std::string operator[](int index) const;

  private:
    TMemo& memo_;
  };
  TLines Lines{*this};
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  std::string initialLines_;
  int scrollBars_ = 0;  // WS_VSCROLL / WS_HSCROLL
  bool wordWrap_ = true;
};

// Vertical place of a label's text in its rectangle.
enum class TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);
  ~TLabel() override;
  const char* ClassName() const override { return "TLabel"; }

  void SetCaption(const std::string& text) override;
  TAlignment Alignment = TAlignment::taLeftJustify;
  bool AutoSize = true;
  bool Transparent = false;
  bool WordWrap = false;
  TTextLayout Layout = TTextLayout::tlTop;
  // "&x" underlines x (and "&&" is one "&"); off, the text is drawn as it stands.
  bool ShowAccelChar = true;
  // The control that takes the focus for the label's accelerator.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);

  void Paint(HDC dc) override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;
  void FontChanged() override;
  // Resizes the label to its text when AutoSize is set; a right-justified
  // label keeps its right edge.
  void AdjustBounds();

protected:
  // Draws (or, with DT_CALCRECT, measures) the caption into r with the
  // label's font already selected into dc. Labels that draw their text
  // another way replace it; measuring and painting both come here.
  virtual void DoDrawText(HDC dc, RECT& r, UINT flags);
  // The caption as DrawText gets it: an empty one measures as one space.
  std::wstring DrawnText(UINT flags) const;
  // DrawText flags of the label's alignment, wrapping and accelerators.
  UINT TextFlags() const;
  void Notification(TComponent* removed) override;

private:
  TWinControl* focusControl_ = nullptr;
  std::string focusControlName_;  // named in the layout, found once it is loaded
};

TAlignment ValueToAlignment(const std::string& prop, const tpf0::Value& v);
TTextLayout ValueToTextLayout(const std::string& prop, const tpf0::Value& v);

}  // namespace tk
