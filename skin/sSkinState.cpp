#include "skin/sSkinState.h"

#include <algorithm>

#include "skin/sSkinManager.h"
#include "toolkit/SysUtils.h"

namespace skin {
namespace state {
namespace {

struct EngineState {
  TsSkinManager* defaultManager = nullptr;
  std::vector<tk::TWinControl*> skinForms;
  bool changing = false;
  bool announcing = false;
  uint8_t buttonEvents = 15;  // all four events
};

EngineState& Engine() {
  static EngineState engine;
  return engine;
}

}  // namespace

TsSkinManager*& DefaultManager() { return Engine().defaultManager; }
std::vector<tk::TWinControl*>& SkinForms() { return Engine().skinForms; }
bool& Changing() { return Engine().changing; }
bool& Announcing() { return Engine().announcing; }
uint8_t& ButtonEvents() { return Engine().buttonEvents; }

}  // namespace state

bool SkinDataChanging() { return state::Changing(); }
bool AnnouncingNewSkin() { return state::Announcing(); }
uint8_t ButtonEvents() { return state::ButtonEvents(); }
void SetButtonEvents(uint8_t events) { state::ButtonEvents() = events & 15; }
TsSkinManager* TsSkinManager::DefaultManager() { return state::DefaultManager(); }

void RegisterSkinForm(tk::TWinControl* form) {
  auto& forms = state::SkinForms();
  if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(form);
}

void UnregisterSkinForm(tk::TWinControl* form) {
  auto& forms = state::SkinForms();
  const auto it = std::find(forms.begin(), forms.end(), form);
  if (it == forms.end()) throw tk::Exception("No SkinForm called ?");
  forms.erase(it);
}

const std::vector<tk::TWinControl*>& SkinForms() { return state::SkinForms(); }

}  // namespace skin
