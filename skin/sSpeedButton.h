// The skinned tool button ("SPEEDBUTTON"), a control without a window:
// it builds its cache from its section for its state (0 normal, 1 active,
// 2 pressed or down) with glyph and caption, and its parent copies it to
// the screen; changes of look are animated through the parent. A
// separator shows only what lies behind it, a divider adds the skin's
// divider line. Unskinned it is the plain speed button.
#pragma once

#include <functional>

#include "skin/sAlphaGraph.h"
#include "skin/sCommonData.h"
#include "skin/sFade.h"
#include "skin/sGraphUtils.h"
#include "skin/sImageGlyph.h"
#include "toolkit/Buttons.h"
#include "toolkit/Menus.h"

namespace skin {

enum class TToolButtonStyle : uint8_t { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton };

class TsSpeedButton : public TsListGlyphButton<tk::TSpeedButton> {
public:
  explicit TsSpeedButton(tk::TComponent* owner);
  ~TsSpeedButton() override;
  const char* ClassName() const override { return "TsSpeedButton"; }

  TsCommonData SkinData{this, true};
  std::function<void(tk::TComponent* sender, TsBitmap24& bmp)> OnPaint;
  tk::TNotifyEvent OnMouseEnter, OnMouseLeave;
  TorvAnimatEvents AnimatEvents = kDefaultAnimatEvents;
  uint8_t DisabledKind = dkBlended;
  tk::TAlignment Alignment = tk::TAlignment::taCenter;
  tk::TAlignment TextAlignment = tk::TAlignment::taCenter;
  int32_t Blend = 0;  // 0..100
  bool Grayed = false;
  bool ShowCaption = true;
  bool DrawOverBorder = true;
  int32_t TextOffset = 0;
  TToolButtonStyle ButtonStyle = TToolButtonStyle::tbsButton;
  // The pop-up a tbsDropDown button shows below itself.
  tk::TPopupMenu* DropdownMenu = nullptr;
  // True while the button's drop-down menu is open.
  bool MenuShown() const { return menuShown_; }

  // Stores an appearance property; a change rebuilds the picture.
  template <class T>
  void Change(T& property, T value) {
    if (property == value) return;
    property = value;
    SkinData.CacheDirty = true;
    RepaintThroughParent(this);
  }
  void SetBlend(int32_t value);

  int32_t ButtonState() const;
  // The width of the drop-down part at the right.
  int32_t DropDownWidth() const { return ButtonStyle == TToolButtonStyle::tbsDropDown ? 16 : 0; }
  TsAnimTimer* AnimTimer() const { return anim_; }

  void Paint(HDC dc) override;
  void Invalidate() override;
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  void Loaded() override;

protected:
  void ListChanged() override;

private:
  void RebuildCache();
  void PaintContent(TsBitmap24& cache, int32_t state);
  void Animate(TorvAnimatEvent event, bool half);
  LRESULT SkinCommand(WPARAM wParam, LPARAM lParam);
  // A left press that opens the drop-down menu; false when the press is
  // the standard button's.
  bool DropDown(int32_t x);

  TsAnimTimer* anim_ = nullptr;
  bool oldDown_ = false;
  bool menuShown_ = false;
  std::string dropdownMenuName_;  // resolved once the layout is read
  int oldNumGlyphs_ = 1, oldSpacing_ = 4;
};

}  // namespace skin
