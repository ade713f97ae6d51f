// The per-form skinning component. While a skin is active it paints
// everything outside the form's client area itself (borders, title bar with
// icon, caption and caption buttons), gives the window the shape of the
// skin's corners, answers hit tests and clicks on its own buttons, paints
// the client background from the form's section and replaces the system
// menu with its own. It sees the form's messages through the form's hook
// chain, never by replacing the window procedure.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/WinGdiObject.h"
#include "skin/orvSBUtils.h"
#include "skin/sBitmap24.h"
#include "skin/sCommonData.h"
#include "skin/sCtrlAdapter.h"
#include "skin/sFrameLayout.h"
#include "skin/sFramePainter.h"
#include "skin/sFrameSkin.h"
#include "skin/sSystemMenu.h"
#include "skin/sTitleButtons.h"
#include "toolkit/Classes.h"
#include "toolkit/Forms.h"

namespace skin {

class TsSkinProvider : public tk::TComponent {
public:
  explicit TsSkinProvider(tk::TComponent* owner);
  ~TsSkinProvider() override;
  const char* ClassName() const override { return "TsSkinProvider"; }

  TsCommonData SkinData;
  tk::TAlignment CaptionAlignment = tk::TAlignment::taLeftJustify;
  bool MakeSkinMenu = true;
  bool ScreenSnap = false;
  int32_t SnapBuffer = 10;
  bool ShowAppIcon = true;
  bool UseGlobalColor = true;
  std::string TitleSkin;  // empty: "FORMTITLE"
  std::string MenuLineSkin;  // empty, or a section the skin lacks: "MENULINE"
  TsTitleButtons TitleButtons;

  // The form this provider skins; nullptr for a second provider on a form,
  // which stays inactive.
  tk::TForm* Form() const { return form_; }
  bool Skinned() const;
  TsSystemMenu& SystemMenu() { return *systemMenu_; }
  TorvCtrlAdapter& Adapter() { return adapter_; }
  // The skinner of the form's own scroll bars while the form has any and is
  // skinned; nullptr otherwise.
  TorvScrollWnd* ScrollSkinner() const { return scrollSkinner_.get(); }

  // The frame as it is laid out for the window's present size.
  TFrameLayout Layout() const;
  int32_t ButtonState(TCaptionButton b) const { return states_[b]; }
  // The state of the button with that hit code (caption or title button).
  int32_t* StateOf(int32_t hit);

  // The frame picture (the whole window) over `picture`, which covers the
  // window; the client area keeps what picture held.
  void PaintFrameInto(TsBitmap24& picture);
  // The frame is painted anew at the next paint and the window's shape set
  // again.
  void UpdateFrame();
  // Shows the system menu with its top-left corner at a screen point.
  void ShowSystemMenu(int x, int y);

  // The menu line: the system's menu bar in window coordinates (empty
  // without a main menu), the line behind a bar item drawn on the window
  // (false when the rectangle is not on it), and a drawn item kept in the
  // frame picture.
  TFrameRect MenuBar() const;
  bool MenuLineBehind(const RECT& rect, TsBitmap24& line) const;
  void KeepBarItem(const RECT& rect, const TsBitmap24& picture);

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;

private:
  void Notification(tk::TComponent* removed) override { adapter_.Forget(removed); }
  LRESULT Hook(const tk::TMessage& m, const tk::TMessageHandler& next);
  LRESULT SkinCommand(const tk::TMessage& m, const tk::TMessageHandler& next);
  bool FrameMessage(const tk::TMessage& m, const tk::TMessageHandler& next, LRESULT& result);
  bool MouseMessage(const tk::TMessage& m, const tk::TMessageHandler& next, LRESULT& result);

  void ApplySkin();
  void RemoveSkin();
  void ApplyFormColor(bool skinned);
  TFrameLook Look() const;
  TSystemFrameSizes Sizes() const;
  void RebuildFrame();
  SIZE PictureSize() const;
  // The frame picture is the one for the window's present size, state and
  // layout.
  bool FrameCurrent() const;
  bool BackgroundFollowsSize() const;
  HFONT CaptionFont();
  void PaintCaption(HFONT font);
  std::vector<int32_t> AllButtonStates();
  void SwitchActivation(bool active);
  void NcPaint();
  int32_t TitleButtonImage() const;
  void DrawButton(const TFrameLayout& f, int32_t hit);
  void RepaintButton(int32_t hit);
  void SetButtonState(int32_t hit, int32_t state);
  void SetHot(int32_t hit);
  void ButtonAction(int32_t hit, POINT at);
  void ApplyRegion();
  void AttachScrollSkinner();
  TFrameRect SystemMenuBar() const;  // as the system reports it
  int32_t MenuRows() const;
  // The main menu's items get the menu painter's handlers (or lose them).
  void SkinMainMenu(bool skinned);
  void PaintMenuLine();
  // Runs the form's own handling without letting the system draw its frame.
  LRESULT WithoutSystemFrame(const tk::TMessage& m, const tk::TMessageHandler& next);

  tk::TForm* form_ = nullptr;
  std::unique_ptr<TsSystemMenu> systemMenu_;
  TorvCtrlAdapter adapter_{this};
  // The form's scroll bars: their skin data names the form as its control,
  // so the skinner joins the form's hook chain in front of the provider.
  TsCommonData scrollData_;
  std::unique_ptr<TorvScrollWnd> scrollSkinner_;
  TsBitmap24 titleBackground_;  // the frame before buttons and caption: single buttons repaint from it
  // A frame picture with its title background, for one activation state and
  // the button states it shows.
  struct TFramePicture {
    TsBitmap24 Picture, TitleBackground;
    bool Active = true;
    std::vector<int32_t> ButtonStates;
    bool Valid = false;
  };
  TFramePicture otherActivation_;
  TFrameLayout pictureLayout_;  // what the frame picture was painted for
  tk::TWindowState pictureState_ = tk::TWindowState::wsNormal;  // the picture of the activation state left last
  base::GdiObject<HFONT> captionFont_;
  LOGFONTW captionLogFont_{};
  TsBitmap24 menuLine_;          // the menu line without its items
  TFrameRect menuLineAt_;        // where it lies in the window
  int32_t states_[cbCount] = {};
  TCaptionPress press_{{[this] { return Layout(); }, [this](int32_t hit, int32_t state) { SetButtonState(hit, state); },
                        [this](int32_t hit, POINT at) { ButtonAction(hit, at); }}};
  bool active_ = true;    // the form is the active window
  bool tracking_ = false;  // asked for WM_NCMOUSELEAVE
  bool changingRegion_ = false;
  SIZE regionSize_{-1, -1};
  // The form's frame as the last WM_NCCALCSIZE gave it: sides, top (caption
  // included) and bottom; -1 until the first.
  RECT measured_{-1, -1, -1, -1};
  // What was done, undone in reverse order; steps that touch the form are
  // skipped when the form itself is going.
  struct TUndo {
    bool TouchesForm;
    std::function<void()> Run;
  };
  std::vector<TUndo> undo_;
};

// The provider of a form, or nullptr.
TsSkinProvider* ProviderOf(HWND form);

}  // namespace skin
