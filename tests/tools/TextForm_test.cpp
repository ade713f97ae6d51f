#include "tools/TextForm.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "toolkit/SysUtils.h"

namespace {

TEST(TextForm, ParsesEveryValueForm) {
  const tpf0::Object o = textform::Parse(R"(
object form_main: Tform_main
  Caption = 'Brisquel - ''File'' Sorvenal'
  Joined = 'a' +
    'b'#13#10'c'
  Left = -5
  Color = $00F9FCFF
  Version = 4.81
  Anchors = [akTop, akRight]
  Lines.Strings = (
    'one'
    'two')
  Skins = <
    item
      Name = 'x'
    end
    item [3]
    end>
  Data = {0A 0b}
  OnCreate = FormCreate // bound by name
  Visible = False
  Bar = nil
  object sPanel1: TsPanel
    Align = alTop
  end
end
)",
                                         ".");
  EXPECT_EQ(o.name, "form_main");
  EXPECT_EQ(o.className, "Tform_main");
  EXPECT_EQ(o.Find("Caption")->value.text, "Brisquel - 'File' Sorvenal");
  EXPECT_EQ(o.Find("Joined")->value.text, "ab\r\nc");
  EXPECT_EQ(o.Find("Left")->value.integer, -5);
  EXPECT_EQ(o.Find("Color")->value.integer, 0x00F9FCFF);
  EXPECT_EQ(o.Find("Version")->value.type, tpf0::ValueType::Extended);
  EXPECT_EQ(o.Find("Anchors")->value.set.size(), 2u);
  EXPECT_EQ(o.Find("Lines.Strings")->value.list[1].text, "two");
  ASSERT_EQ(o.Find("Skins")->value.items.size(), 2u);
  EXPECT_EQ(*o.Find("Skins")->value.items[1].order, 3);
  EXPECT_EQ(o.Find("Data")->value.text, std::string("\x0A\x0B"));
  EXPECT_EQ(o.Find("OnCreate")->value.type, tpf0::ValueType::Ident);
  EXPECT_EQ(o.Find("Visible")->value.type, tpf0::ValueType::False);
  EXPECT_EQ(o.Find("Bar")->value.type, tpf0::ValueType::Nil);
  ASSERT_EQ(o.children.size(), 1u);
  EXPECT_EQ(o.children[0].Find("Align")->value.text, "alTop");
}

TEST(TextForm, ErrorsNameTheLine) {
  const struct {
    const char* text;
    const char* line;
  } cases[] = {
      {"object a: T\n  X = 'open\nend", "Line 2"},
      {"object a: T\n  X = \nend", "Line 3"},
      {"object a: T\n  X = {0}\nend", "Line 2"},
      {"object a: T\n  X = [a b]\nend", "Line 2"},
      {"object a: T\n", "Line 2"},
      {"thing a: T end", "Line 1"},
      {"object a: T end trailing", "Line 1"},
      {"object a: T\n X = 99999999999999999999\nend", "Line 2"},
      {"object a: T\n X = @nothing('x')\nend", "Line 2"},
  };
  for (const auto& c : cases) {
    try {
      textform::Parse(c.text, "/nonexistent");
      ADD_FAILURE() << c.text;
    } catch (const tk::EConvertError& e) {
      EXPECT_EQ(e.Message().rfind(c.line, 0), 0u) << c.text << " -> " << e.Message();
    }
  }
}

TEST(TextForm, IncludesWrapFileData) {
  const std::string dir = testing::TempDir();
  std::ofstream(dir + "/g.bmp", std::ios::binary) << "BMxyz";
  std::ofstream(dir + "/l.jpg", std::ios::binary) << "JJ";
  const tpf0::Object o =
      textform::Parse("object a: T\n B = @bitmap('g.bmp')\n P = @picture('l.jpg')\n F = @file('g.bmp')\nend", dir);
  EXPECT_EQ(o.Find("B")->value.text, std::string("\x05\0\0\0BMxyz", 9));
  EXPECT_EQ(o.Find("P")->value.text, std::string("\x0ATJPEGImage\x02\0\0\0JJ", 17));
  EXPECT_EQ(o.Find("F")->value.text, "BMxyz");
  EXPECT_THROW(textform::Parse("object a: T\n B = @file('missing')\nend", dir), tk::EConvertError);
}

}  // namespace
