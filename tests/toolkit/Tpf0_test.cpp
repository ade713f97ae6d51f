#include "toolkit/Tpf0.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "toolkit/SysUtils.h"

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
  std::vector<uint8_t> v;
  for (int b : list) v.push_back(static_cast<uint8_t>(b));
  return v;
}

// A hand-built stream: object "Main: TForm" with Tag=1 (Int8), Caption='ab',
// Visible=True, one child "B: TButton" without properties.
const std::vector<uint8_t> kSmall =
    Bytes({'T', 'P', 'F', '0', 5,   'T', 'F', 'o', 'r', 'm', 4,   'M', 'a', 'i', 'n', 3,   'T', 'a', 'g',
           2,   1,   7,   'C', 'a', 'p', 't', 'i', 'o', 'n', 6,   2,   'a', 'b', 7,   'V', 'i', 's', 'i',
           'b', 'l', 'e', 9,   0,   7,   'T', 'B', 'u', 't', 't', 'o', 'n', 1,   'B', 0,   0,   0});

TEST(Tpf0Read, HandBuiltStream) {
  const tpf0::Object o = tpf0::Read(kSmall);
  EXPECT_EQ(o.className, "TForm");
  EXPECT_EQ(o.name, "Main");
  ASSERT_EQ(o.props.size(), 3u);
  EXPECT_EQ(o.props[0].value.type, tpf0::ValueType::Int8);
  EXPECT_EQ(o.props[0].value.integer, 1);
  EXPECT_EQ(o.Find("Caption")->value.text, "ab");
  EXPECT_EQ(o.Find("Visible")->value.type, tpf0::ValueType::True);
  ASSERT_EQ(o.children.size(), 1u);
  EXPECT_EQ(o.children[0].className, "TButton");
  EXPECT_EQ(tpf0::Write(o), kSmall);
}

TEST(Tpf0Read, EveryTruncationFailsCleanly) {
  for (size_t n = 0; n < kSmall.size(); ++n) {
    std::vector<uint8_t> cut(kSmall.begin(), kSmall.begin() + n);
    EXPECT_THROW(tpf0::Read(cut), tk::EReadError) << n;
  }
}

TEST(Tpf0Read, MalformedStreams) {
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"no signature", Bytes({'T', 'P', 'F', '1', 1, 'T', 1, 'N', 0, 0})},
      {"unknown type", Bytes({'T', 'P', 'F', '0', 1, 'T', 1, 'N', 1, 'P', 99, 0, 0})},
      {"huge binary length", Bytes({'T', 'P', 'F', '0', 1, 'T', 1, 'N', 1, 'P', 10, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0})},
      {"huge wide length", Bytes({'T', 'P', 'F', '0', 1, 'T', 1, 'N', 1, 'P', 18, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0})},
      {"collection item without list", Bytes({'T', 'P', 'F', '0', 1, 'T', 1, 'N', 1, 'P', 14, 5, 0, 0, 0})},
  };
  for (const auto& c : cases) EXPECT_THROW(tpf0::Read(c.bytes), tk::EReadError) << c.what;
}

TEST(Tpf0Read, DeepNestingIsRefused) {
  std::vector<uint8_t> s = Bytes({'T', 'P', 'F', '0', 1, 'T', 1, 'N', 1, 'P'});
  for (int i = 0; i < 10000; ++i) s.push_back(1);  // lists inside lists
  EXPECT_THROW(tpf0::Read(s), tk::EReadError);
}

TEST(Tpf0Write, IntegersTakeTheSmallestType) {
  const struct {
    int64_t v;
    tpf0::ValueType t;
  } cases[] = {
      {0, tpf0::ValueType::Int8},
      {-128, tpf0::ValueType::Int8},
      {127, tpf0::ValueType::Int8},
      {128, tpf0::ValueType::Int16},
      {-32768, tpf0::ValueType::Int16},
      {40000, tpf0::ValueType::Int32},
      {-2147483648LL, tpf0::ValueType::Int32},
      {1LL << 40, tpf0::ValueType::Int64},
  };
  for (const auto& c : cases) {
    tpf0::Object o;
    o.className = "T";
    o.props.push_back({"V", tpf0::Value::Integer(c.v)});
    const tpf0::Object back = tpf0::Read(tpf0::Write(o));
    EXPECT_EQ(back.props[0].value.type, c.t) << c.v;
    EXPECT_EQ(back.props[0].value.integer, c.v);
  }
}

TEST(Tpf0Write, StringsPickTheirStoredForm) {
  const struct {
    std::string text;
    bool longStrings;
    tpf0::ValueType t;
  } cases[] = {
      {"short", false, tpf0::ValueType::String},
      {std::string(300, 'x'), false, tpf0::ValueType::LString},
      {"short", true, tpf0::ValueType::LString},
      {"\xD0\x9F\xD1\x80\xD0\xB8", false, tpf0::ValueType::WString},  // Cyrillic, UTF-8
  };
  for (const auto& c : cases) {
    tpf0::Object o;
    o.className = "T";
    o.props.push_back({"S", tpf0::Value::Str(c.text)});
    const tpf0::Object back = tpf0::Read(tpf0::Write(o, {c.longStrings}));
    EXPECT_EQ(back.props[0].value.type, c.t);
    EXPECT_EQ(back.props[0].value.text, c.text);
  }
}

TEST(Tpf0Extended, KnownEncodings) {
  const struct {
    double v;
    uint8_t bytes[10];
  } cases[] = {
      {1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {-2.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
      {0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    uint8_t b[10];
    tpf0::DoubleToExtended(c.v, b);
    EXPECT_EQ(0, std::memcmp(b, c.bytes, 10)) << c.v;
    EXPECT_EQ(tpf0::ExtendedToDouble(c.bytes), c.v);
  }
  uint8_t b[10];
  tpf0::DoubleToExtended(4.81, b);
  EXPECT_EQ(tpf0::ExtendedToDouble(b), 4.81);
}

TEST(Tpf0Write, CollectionsSetsListsRoundTrip) {
  tpf0::Object o;
  o.className = "TsSkinManager";
  o.name = "m";
  tpf0::Value coll;
  coll.type = tpf0::ValueType::Collection;
  tpf0::CollectionItem item;
  item.props.push_back({"Name", tpf0::Value::Str("x")});
  item.props.push_back({"Version", tpf0::Value::Real(4.81)});
  coll.items = {item, item};
  coll.items[1].order = 7;
  o.props.push_back({"InternalSkins", coll});
  tpf0::Value set;
  set.type = tpf0::ValueType::Set;
  set.set = {"akTop", "akRight"};
  o.props.push_back({"Anchors", set});
  tpf0::Value list;
  list.type = tpf0::ValueType::List;
  list.list = {tpf0::Value::Str("a"), tpf0::Value::Str("")};
  o.props.push_back({"Lines.Strings", list});
  const auto bytes = tpf0::Write(o);
  const tpf0::Object back = tpf0::Read(bytes);
  ASSERT_EQ(back.props.size(), 3u);
  ASSERT_EQ(back.props[0].value.items.size(), 2u);
  EXPECT_FALSE(back.props[0].value.items[0].order.has_value());
  EXPECT_EQ(*back.props[0].value.items[1].order, 7);
  EXPECT_EQ(back.props[0].value.items[1].props[1].value.real, 4.81);
  EXPECT_EQ(back.props[1].value.set, (std::vector<std::string>{"akTop", "akRight"}));
  EXPECT_EQ(back.props[2].value.list.size(), 2u);
  EXPECT_EQ(tpf0::Write(back), bytes);
}

}  // namespace
