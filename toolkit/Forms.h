// Forms (top-level windows built from a stored layout) and the application
// object with its message loop and its exception handler.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <string>

#include "base/WinUser.h"
#include "toolkit/ApplicationWindow.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"

namespace tk {

enum class TPosition : uint8_t { poDesigned, poScreenCenter, poDefault };
enum class TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum class TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };

// The window styles of a form's frame.
struct TFormStyles {
  DWORD style, exStyle;
};
TFormStyles FormStyles(TFormBorderStyle border, uint8_t icons);

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  const char* ClassName() const override { return "TForm"; }

  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientSize(int width, int height);

  // Reads the form's stored layout from the resource of that name (type
  // RCDATA) and runs OnCreate once every component is loaded.
  void LoadFromResource(const wchar_t* resourceName);

  void Show();
  void Close();

  // The frame: changing it on a live window keeps the client size.
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  uint8_t BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(uint8_t icons);
  // Minimised, maximised or normal, as the window is now.
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  // The icon of the title bar and taskbar (a copy is kept); none gives the
  // program's main icon.
  void SetIcon(HICON icon);
  HICON Icon() const { return icon_.get(); }
  // The menu bar; the form does not own it.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  TNotifyEvent OnCreate;
  TPosition Position = TPosition::poDesigned;

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  TNotifyEvent FindMethod(const std::string& name) override;

protected:
  // Handlers published to the layout, bound by name.
  void PublishMethod(const std::string& name, TNotifyEvent handler);
  // Called after the layout is read, before OnCreate: forms take their
  // components from it here.
  virtual void ComponentsLoaded() {}
  // The layout's component of that name and class; raises EReadError when
  // the layout lacks it.
  template <class T>
  void BindComponent(const char* name, T*& field) {
    field = dynamic_cast<T*>(FindComponent(name));
    if (!field) MissingComponent(name);
  }
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Loaded() override;

private:
  [[noreturn]] static void MissingComponent(const char* name);
  void ApplyFrame();
  void ShowIcon();
  void Notification(TComponent* removed) override;
  std::map<std::string, TNotifyEvent> methods_;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  uint8_t borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TWindowState windowState_ = TWindowState::wsNormal;  // asked for before the window exists
  base::IconHandle icon_;
  TMainMenu* menu_ = nullptr;
  std::string menuName_;  // the layout's menu, until Loaded finds it
  int clientWidth_ = 0, clientHeight_ = 0;
  bool shown_ = false;
};

class TApplication {
public:
  TApplication();
  ~TApplication();

  std::string Title;
  // The main form, not a hidden application window, owns the taskbar button.
  bool MainFormOnTaskBar = false;
  TForm* MainForm() const { return mainForm_; }
  // The forms the application created, first created first.
  const std::vector<TForm*>& Forms() const { return forms_; }

  void Initialize();
  // Creates a form; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& ref) {
    ref = new T(nullptr);
    Adopt(ref);
  }
  void Run();
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // Dispatches every waiting message, then returns.
  void ProcessMessages();

  // The hidden application window (see TApplicationWindow) and the hooks
  // on its messages.
  HWND Handle() { return window_.Handle(); }
  TMessageHookChain::Id HookMainWindow(TMessageHook hook) { return window_.Hooks().Add(std::move(hook)); }
  void UnhookMainWindow(TMessageHookChain::Id id) { window_.Hooks().Remove(id); }

  // Every exception that escapes a message handler passes here, while it is
  // being handled (inside a catch block). The exception reporter's seam
  // (toolkit/Seams.h) gets it first; then OnException, if set; otherwise
  // ShowException tells the user, and the program goes on.
  void HandleException(TComponent* sender);
  std::function<void(TComponent* sender, std::exception_ptr error)> OnException;
  void ShowException(std::exception_ptr error);

private:
  void Adopt(TForm* form);
  bool HandleMessage(MSG& msg);
  TApplicationWindow window_;
  TForm* mainForm_ = nullptr;
  std::vector<TForm*> forms_;
  bool terminated_ = false;
};

extern TApplication* Application;

// The text the runtime shows for an exception: its message, with a final
// period added when the message ends in a letter or digit.
std::string ExceptionText(std::exception_ptr error);

}  // namespace tk
