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

class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* owner);
  const char* ClassName() const override { return "TEdit"; }

  std::string Text() const;
  void SetText(const std::string& text);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  TNotifyEvent OnChange;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  LRESULT CNCommand(WORD code) override;
  int maxLength_ = 0;
  bool autoSize_ = true;
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

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);
  const char* ClassName() const override { return "TLabel"; }

  void SetCaption(const std::string& text) override;
  TAlignment Alignment = TAlignment::taLeftJustify;
  bool AutoSize = true;
  bool Transparent = false;
  bool WordWrap = false;
  void Paint(HDC dc) override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;
  void FontChanged() override;

protected:
  // Resizes the label to its text when AutoSize is set; a right-justified
  // label keeps its right edge.
  void AdjustBounds();
};

TAlignment ValueToAlignment(const std::string& prop, const tpf0::Value& v);

}  // namespace tk
