#include "skin/sButton.h"

#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "skin/sGraphUtilsWin.h"
#include "toolkit/WinText.h"

namespace skin {

TsButton::TsButton(tk::TComponent* owner) : tk::TButton(owner) {
  SkinData.ControlKind = ckButton;
  WordWrap = true;
  // A button made at run time gets its section now; a loaded one again after loading.
  SkinData.UpdateSection();
}

TorvAnimatEvents ValueToAnimatEvents(const std::string& name, const tpf0::Value& v) {
  static const char* const kNames[] = {"aeMouseEnter", "aeMouseLeave", "aeMouseDown", "aeMouseUp", "aeGlobalDef"};
  TorvAnimatEvents events = 0;
  for (const std::string& e : tk::ValueToSet(name, v))
    for (int i = 0; i < 5; ++i)
      if (e == kNames[i]) events |= static_cast<uint8_t>(1 << i);
  return events;
}

uint8_t ValueToDisabledKind(const std::string& name, const tpf0::Value& v) {
  uint8_t kind = 0;
  for (const std::string& e : tk::ValueToSet(name, v))
    kind |= e == "dkBlended" ? dkBlended : e == "dkGrayed" ? dkGrayed : 0;
  return kind;
}

bool SetButtonSkinProperty(TsButtonSkin& skin, const std::string& name, const tpf0::Value& v) {
  if (name == "Down")
    skin.Down = tk::ValueToBool(name, v);
  else if (name == "FocusMargin")
    skin.FocusMargin = tk::ValueToInt(name, v);
  else if (name == "AnimatEvents")
    skin.AnimatEvents = ValueToAnimatEvents(name, v);
  else if (name == "DisabledKind")
    skin.DisabledKind = ValueToDisabledKind(name, v);
  else
    return false;
  return true;
}

bool TsButton::SetProperty(const std::string& name, const tpf0::Value& v) {
  return SetSkinDataProperty(SkinData, name, v) || SetButtonSkinProperty(Skin, name, v) ||
         tk::TButton::SetProperty(name, v);
}

void TsButton::Loaded() {
  tk::TButton::Loaded();
  SkinData.UpdateSection();
}

RECT TsButton::CaptionRect(HDC dc, int32_t state) const {
  const std::wstring text = tk::Wide(Caption());
  RECT m = {0, 0, text.empty() ? 0 : Width() - 2, 0};
  const UINT wrap = WordWrap ? DT_WORDBREAK : 0;
  if (!text.empty())
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &m, DT_CENTER | DT_EXPANDTABS | DT_CALCRECT | wrap);
  const int x = (Width() - m.right) / 2, y = (Height() - m.bottom) / 2;
  RECT r = {x - 1, y, Width() - x + 2, Height() - y};
  if (state == 2) OffsetRect(&r, 1, 1);
  return r;
}

void TsButton::PaintCaption(tk::TButton& button, TsBitmap24& cache, int32_t state) {
  auto& self = static_cast<TsButton&>(button);
  const RECT r = [&] {
    const base::WindowDc screen(nullptr);
    const base::Selection font(screen.get(), self.Font().Handle());
    return self.CaptionRect(screen.get(), state);
  }();
  WriteControlText(cache, tk::Wide(self.Caption()), ControlEnabled(&self), self.Skin.ShowsActive(state), self.SkinData,
                   DT_CENTER | DT_EXPANDTABS | (self.WordWrap ? DT_WORDBREAK : 0), r);
  PaintButtonFocus(self, self.SkinData, cache, r, self.Skin.FocusMargin);
}

LRESULT TsButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  const bool done = Skin.Handle(msg, wParam, lParam, result);
  return done ? result : tk::TButton::WndProc(msg, wParam, lParam);
}

}  // namespace skin
