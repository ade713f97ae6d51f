// The skin manager on real windows: loading internal skins, SkinInfo and
// the announcement protocol (order of forms, skipping, child broadcast).
#include "skin/sSkinManager.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "skin/sConst.h"
#include "skin/sVclUtils.h"
#include "toolkit/Forms.h"
#include "toolkit/LayoutReader.h"
#include "toolkit/SysUtils.h"

namespace {

std::vector<std::string> g_log;

void Record(const tk::TComponent* c, WPARAM wParam) {
  const uint16_t cmd = skin::SkinCmdOf(static_cast<uint32_t>(wParam));
  if (cmd != skin::SKC_ISSKINNED) g_log.push_back(c->Name() + ":" + std::to_string(cmd));
}

// A window that records skin commands; `skinned` ones answer SKC_ISSKINNED.
template <class Base>
class Spy : public Base {
public:
  Spy(tk::TComponent* owner, const char* name, bool skinned) : Base(owner), skinned_(skinned) { this->SetName(name); }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == skin::SM_SKINCMD) {
      if (skin::SkinCmdOf(static_cast<uint32_t>(wParam)) == skin::SKC_ISSKINNED) return skinned_ ? 1 : 0;
      Record(this, wParam);
      return 0;
    }
    return Base::WndProc(msg, wParam, lParam);
  }

private:
  bool skinned_;

protected:
  void SetSkinned(bool skinned) { skinned_ = skinned; }
};

class GraphicSpy : public tk::TGraphicControl {
public:
  GraphicSpy(tk::TComponent* owner, const char* name) : tk::TGraphicControl(owner) { SetName(name); }
  void Paint(HDC) override {}
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM) override {
    if (msg == skin::SM_SKINCMD) Record(this, wParam);
    return 0;
  }
};

skin::TsStoredSkins Skins() {
  skin::TsStoredSkins skins;
  for (const char* name : {"First (internal)", "Second (internal)"}) {
    skin::TsStoredSkin& s = skins.Add();
    s.Name = name;
    s.Version = 4.81;
    skin::TsSkinGeneral& g = s.GeneralData.emplace_back();
    g.SectionName = "GLOBALINFO";
    g.Color = 0x123456;
    g.FontColor = "255 -1 -1 -1 -1";
  }
  return skins;
}

TEST(SkinManager, LoadsInternalSkinsAndReportsThem) {
  skin::TsSkinManager m(nullptr);
  EXPECT_EQ(skin::TsSkinManager::DefaultManager(), &m);
  EXPECT_EQ(m.SkinInfo(), "N/A");
  EXPECT_EQ(skin::TsSkinManager::Version(), "5.16");
  m.SetInternalSkins(Skins());
  std::setlocale(LC_ALL, "German");  // a comma as the decimal separator must not matter
  int before = 0, after = 0;
  m.OnBeforeChange = [&](tk::TComponent*) { ++before; };
  m.OnAfterChange = [&](tk::TComponent*) { ++after; };
  m.SetSkinName("Second (internal)");
  EXPECT_EQ(m.SkinInfo(), "4.81");
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(m.GetGlobalColor(), 0x123456u);
  EXPECT_EQ(m.GetGlobalFontColor(), 255u);
  m.SetSkinName("second (internal)");  // case matters: the first internal skin
  EXPECT_EQ(m.SkinName(), "First (internal)");
  m.SetActive(false);
  EXPECT_EQ(m.SkinInfo(), "N/A");
  EXPECT_TRUE(m.gd().empty());
  EXPECT_EQ(m.GetGlobalColor(), tk::ColorToRGB(tk::clBtnFace));
  m.SetActive(true);
  EXPECT_EQ(m.SkinInfo(), "4.81");
  EXPECT_EQ(m.gd().size(), 1u);
  std::setlocale(LC_ALL, "C");
  skin::TsSkinManager second(nullptr);
  EXPECT_EQ(skin::TsSkinManager::DefaultManager(), &m);
  second.SetIsDefault(false);
  EXPECT_EQ(skin::TsSkinManager::DefaultManager(), &m);
}

// The root of a layout that publishes one event handler, "Changed".
class LayoutRoot : public tk::TComponent {
public:
  LayoutRoot() : tk::TComponent(nullptr) {}
  tk::TNotifyEvent FindMethod(const std::string& name) override {
    if (name == "Changed") return [this](tk::TComponent*) { ++Changes; };
    return tk::TComponent::FindMethod(name);
  }
  int Changes = 0;
};

TEST(SkinManager, LayoutLoadsItsSkinOnceWhenComplete) {
  tk::RegisterClass<skin::TsSkinManager>("TsSkinManager");
  tpf0::Value sections;
  sections.type = tpf0::ValueType::List;
  for (const char* line : {"[EXTRA]", "COLOR = 5"}) sections.list.push_back(tpf0::Value::Str(line));
  tpf0::Object layout;
  layout.className = "TComponent";
  layout.name = "Layout";
  tpf0::Object& stored = layout.children.emplace_back();
  stored.className = "TsSkinManager";
  stored.name = "sSkinManager1";
  // The extra sections come before the skins and the skin's name.
  stored.props = {{"OnAfterChange", tpf0::Value::Ident("Changed")},
                  {"CommonSections.Strings", sections},
                  {"InternalSkins", Skins().ToValue()},
                  {"SkinName", tpf0::Value::Str("Second (internal)")}};
  LayoutRoot root;
  tk::ReadComponent(root, layout);

  auto* m = dynamic_cast<skin::TsSkinManager*>(root.FindComponent("sSkinManager1"));
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(root.Changes, 1) << "loaded once";
  EXPECT_TRUE(m->Active());
  EXPECT_EQ(m->SkinName(), "Second (internal)");
  EXPECT_EQ(m->SkinInfo(), "4.81");
  const int32_t extra = m->GetSkinIndex("EXTRA");
  ASSERT_GE(extra, 0) << "the extra section is merged into the skin";
  EXPECT_EQ(m->gd()[extra].Color, 5u);
}

TEST(SkinManager, UnregisteringAnUnknownFormRaises) {
  tk::TForm form(nullptr);
  try {
    skin::UnregisterSkinForm(&form);
    FAIL();
  } catch (const tk::Exception& e) {
    EXPECT_EQ(e.Message(), "No SkinForm called ?");
  }
  skin::RegisterSkinForm(&form);
  EXPECT_NO_THROW(skin::UnregisterSkinForm(&form));
}

class SpyForm : public Spy<tk::TForm> {
public:
  explicit SpyForm(tk::TComponent*) : Spy<tk::TForm>(nullptr, "", false) {}
  void Make(const char* name, bool skinned) {
    SetName(name);
    SetSkinned(skinned);
  }
};

template <class T>
T* Child(tk::TWinControl* parent, T* control) {
  control->SetParent(parent);
  return control;
}

TEST(SkinManager, AnnouncementsReachEveryFormAndTheirChildren) {
  tk::TApplication app;
  SpyForm *a, *b, *c, *d;
  app.CreateForm(a);
  app.CreateForm(b);
  app.CreateForm(c);
  app.CreateForm(d);
  a->Make("A", false);
  b->Make("B", false);
  c->Make("C", true);
  d->Make("D", false);
  b->SetLoading(true);        // still being read: left out
  skin::RegisterSkinForm(c);  // answers SKC_ISSKINNED: reached as a registered form
  // A's children: a graphic control, a skinned window, a plain container
  // holding a skinned window, a child being destroyed, one after it.
  Child(a, new GraphicSpy(a, "a.graphic"));
  Child(a, new Spy<tk::TWinControl>(a, "a.skinned", true));
  auto* box = Child(a, new Spy<tk::TWinControl>(a, "a.box", false));
  Child(box, new Spy<tk::TWinControl>(a, "a.box.inner", true));
  auto* dying = Child(a, new Spy<tk::TWinControl>(a, "a.dying", true));
  Child(a, new Spy<tk::TWinControl>(a, "a.after", true));
  for (SpyForm* f : {a, b, c, d}) f->HandleNeeded();
  dying->Destroying();

  skin::TsSkinManager m(nullptr);
  m.SetInternalSkins(Skins());
  g_log.clear();
  m.SetSkinName("First (internal)");
  const std::vector<std::string> round = {"D", "A", "a.graphic", "a.skinned", "a.box.inner", "C"};
  std::vector<std::string> want;
  for (int cmd : {skin::SKC_SETNEWSKIN, skin::SKC_STOPFADE, skin::SKC_REFRESH})
    for (const std::string& n : round) want.push_back(n + ":" + std::to_string(cmd));
  EXPECT_EQ(g_log, want);

  g_log.clear();
  m.SetActive(false);
  want.clear();
  for (const std::string& n : round) want.push_back(n + ":" + std::to_string(skin::SKC_REMOVESKIN));
  EXPECT_EQ(g_log, want);

  g_log.clear();
  m.SetHotWindow(a->Handle());
  m.SetHotWindow(d->Handle());
  EXPECT_EQ(g_log, (std::vector<std::string>{"A:29", "A:30", "D:29"}));
  m.SetHotWindow(nullptr);
  skin::UnregisterSkinForm(c);
  b->SetLoading(false);
}

}  // namespace
