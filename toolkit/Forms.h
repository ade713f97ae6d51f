// Forms (top-level windows built from a stored layout) and the application
// object with its message loop and its exception handler.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <string>

#include "toolkit/Controls.h"

namespace tk {

enum class TPosition : uint8_t { poDesigned, poScreenCenter, poDefault };

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
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  [[noreturn]] static void MissingComponent(const char* name);
  std::map<std::string, TNotifyEvent> methods_;
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
  TForm* mainForm_ = nullptr;
  std::vector<TForm*> forms_;
  bool terminated_ = false;
};

extern TApplication* Application;

// The text the runtime shows for an exception: its message, with a final
// period added when the message ends in a letter or digit.
std::string ExceptionText(std::exception_ptr error);

}  // namespace tk
