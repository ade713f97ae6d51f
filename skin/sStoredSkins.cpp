#include "skin/sStoredSkins.h"

#include <concepts>
#include <functional>

#include "toolkit/SysUtils.h"

namespace skin {
namespace {

// One published property of an item class: how it is read from and written
// to the stored layout, and whether it is written at all.
template <class T>
struct Prop {
  const char* name;
  std::function<void(T&, const tpf0::Value&)> read;
  std::function<tpf0::Value(const T&)> write;
  std::function<bool(const T&)> stored;

  // A property of a part that several item classes share serves each of them.
  template <class Item>
  requires std::derived_from<Item, T>
  operator Prop<Item>() const {
    return {name, read, write, stored ? std::function<bool(const Item&)>(stored) : nullptr};
  }
};

[[noreturn]] void BadValue(const std::string& name) { throw tk::EReadError("Invalid property value for " + name); }

int32_t ToInt(const char* name, const tpf0::Value& v) {
  if (!v.IsInteger() || v.integer < INT32_MIN || v.integer > UINT32_MAX) BadValue(name);
  return static_cast<int32_t>(static_cast<uint32_t>(v.integer));
}

template <class T>
Prop<T> Str(const char* name, std::string T::*m) {
  return {name,
          [=](T& o, const tpf0::Value& v) {
            if (!v.IsString()) BadValue(name);
            o.*m = v.text;
          },
          [=](const T& o) { return tpf0::Value::Str(o.*m); }, nullptr};
}

template <class T, class N>
Prop<T> Int(const char* name, N T::*m) {
  return {name, [=](T& o, const tpf0::Value& v) { o.*m = static_cast<N>(ToInt(name, v)); },
          [=](const T& o) { return tpf0::Value::Integer(static_cast<int32_t>(o.*m)); }, nullptr};
}

template <class T>
Prop<T> Bool(const char* name, bool T::*m) {
  return {name,
          [=](T& o, const tpf0::Value& v) {
            if (!v.IsBoolean()) BadValue(name);
            o.*m = v.type == tpf0::ValueType::True;
          },
          [=](const T& o) { return tpf0::Value::Boolean(o.*m); }, nullptr};
}

// Enumerations are stored by their identifiers.
template <class T, class E, size_t N>
Prop<T> Enum(const char* name, E T::*m, const char* const (&idents)[N]) {
  return {name,
          [=, &idents](T& o, const tpf0::Value& v) {
            if (v.type == tpf0::ValueType::Ident) {
              for (size_t i = 0; i < N; ++i)
                if (v.text == idents[i]) {
                  o.*m = static_cast<E>(i);
                  return;
                }
              BadValue(name);
            }
            const int32_t i = ToInt(name, v);
            if (i < 0 || static_cast<size_t>(i) >= N) BadValue(name);
            o.*m = static_cast<E>(i);
          },
          [=, &idents](const T& o) { return tpf0::Value::Ident(idents[static_cast<size_t>(o.*m)]); }, nullptr};
}

// A picture's data: its file's length as 32 bits, then the file. Written
// only when there is a picture.
template <class T>
Prop<T> Picture(const char* name, std::string T::*m) {
  return {name,
          [=](T& o, const tpf0::Value& v) {
            if (v.type != tpf0::ValueType::Binary || v.text.size() < 4) BadValue(name);
            const auto* p = reinterpret_cast<const uint8_t*>(v.text.data());
            const uint32_t length = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
            if (length > v.text.size() - 4) BadValue(name);
            o.*m = v.text.substr(4, length);
          },
          [=](const T& o) {
            const uint32_t n = static_cast<uint32_t>((o.*m).size());
            std::string data{static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
                             static_cast<char>(n >> 24)};
            return tpf0::Value::Bytes(data + o.*m);
          },
          [=](const T& o) { return !(o.*m).empty(); }};
}

template <class T, class I>
Prop<T> Items(const char* name, std::vector<I> T::*m, const std::vector<Prop<I>>& props);

constexpr const char* kBevels[] = {"cbNone", "cbRaisedSoft", "cbLoweredSoft", "cbRaisedHard", "cbLoweredHard"};
constexpr const char* kImgTypes[] = {"itisaBorder", "itisaTexture", "itisaGlyph"};

template <class T>
T ReadItem(const std::vector<Prop<T>>& props, const tpf0::CollectionItem& item) {
  T o{};
  for (const tpf0::Property& p : item.props) {
    bool known = false;
    for (const Prop<T>& d : props) {
      if (p.name != d.name) continue;
      d.read(o, p.value);
      known = true;
      break;
    }
    if (!known) throw tk::EReadError("Property " + p.name + " does not exist");
  }
  return o;
}

template <class T>
tpf0::CollectionItem WriteItem(const std::vector<Prop<T>>& props, const T& o) {
  tpf0::CollectionItem item;
  for (const Prop<T>& d : props)
    if (!d.stored || d.stored(o)) item.props.push_back({d.name, d.write(o)});
  return item;
}

template <class T, class I>
Prop<T> Items(const char* name, std::vector<I> T::*m, const std::vector<Prop<I>>& props) {
  return {name,
          [=, &props](T& o, const tpf0::Value& v) {
            if (v.type != tpf0::ValueType::Collection) BadValue(name);
            (o.*m).clear();
            for (const auto& item : v.items) (o.*m).push_back(ReadItem(props, item));
          },
          [=, &props](const T& o) {
            tpf0::Value v;
            v.type = tpf0::ValueType::Collection;
            for (const I& i : o.*m) v.items.push_back(WriteItem(props, i));
            return v;
          },
          nullptr};
}

const std::vector<Prop<TsSkinGeneral>>& GeneralProps() {
  using G = TsSkinGeneral;
  static const std::vector<Prop<G>> props = {Str("SectionName", &G::SectionName),
                                             Str("ParentClass", &G::ParentClass),
                                             Int("Color", &G::Color),
                                             Enum("Bevel", &G::Bevel, kBevels),
                                             Int("ShadowBlur", &G::ShadowBlur),
                                             Int("ShadowColor", &G::ShadowColor),
                                             Bool("ShadowDontUse", &G::ShadowDontUse),
                                             Bool("ShadowEnabled", &G::ShadowEnabled),
                                             Bool("ReservedBoolean", &G::ReservedBoolean),
                                             Int("ShadowOffset", &G::ShadowOffset),
                                             Int("ShadowTransparency", &G::ShadowTransparency),
                                             Str("FontColor", &G::FontColor),
                                             Str("HotFontColor", &G::HotFontColor),
                                             Int("Transparency", &G::Transparency),
                                             Int("GradientPercent", &G::GradientPercent),
                                             Str("GradientData", &G::GradientData),
                                             Int("ImagePercent", &G::ImagePercent),
                                             Bool("ShowFocus", &G::ShowFocus),
                                             Bool("FadingEnabled", &G::FadingEnabled),
                                             Int("FadingIntervalIn", &G::FadingIntervalIn),
                                             Int("FadingIntervalOut", &G::FadingIntervalOut),
                                             Int("FadingIterations", &G::FadingIterations),
                                             Int("HotColor", &G::HotColor),
                                             Int("HotTransparency", &G::HotTransparency),
                                             Enum("HotBevel", &G::HotBevel, kBevels),
                                             Int("HotGradientPercent", &G::HotGradientPercent),
                                             Str("HotGradientData", &G::HotGradientData),
                                             Int("HotImagePercent", &G::HotImagePercent),
                                             Int("BorderColor1", &G::BorderColor1),
                                             Int("BorderColor2", &G::BorderColor2),
                                             Str("Name", &G::Name)};
  return props;
}

const std::vector<Prop<TsSkinImage>>& ImageProps() {
  using I = TsSkinImage;
  static const std::vector<Prop<I>> props = {Str("SectionName", &I::SectionName),
                                             Picture("Image.Data", &I::Image),
                                             Str("Name", &I::Name),
                                             Str("PropertyName", &I::PropertyName),
                                             Int("Left", &I::Left),
                                             Int("Top", &I::Top),
                                             Int("Right", &I::Right),
                                             Int("Bottom", &I::Bottom),
                                             Int("ImageCount", &I::ImageCount),
                                             Int("MaskType", &I::MaskType),
                                             Int("BorderWidth", &I::BorderWidth),
                                             Int("StretchMode", &I::StretchMode),
                                             Enum("ImgType", &I::ImgType, kImgTypes),
                                             Int("WL", &I::WL),
                                             Int("WR", &I::WR),
                                             Int("WT", &I::WT),
                                             Int("WB", &I::WB)};
  return props;
}

const std::vector<Prop<TsSkinPattern>>& PatternProps() {
  using P = TsSkinPattern;
  static const std::vector<Prop<P>> props = {Str("SectionName", &P::SectionName), Picture("Image.Data", &P::Image),
                                             Str("Name", &P::Name), Str("PropertyName", &P::PropertyName)};
  return props;
}

const std::vector<Prop<TsStoredSkin>>& SkinProps() {
  using S = TsStoredSkin;
  static const std::vector<Prop<S>> props = {
      Str("Name", &S::Name),
      Items("GeneralData", &S::GeneralData, GeneralProps()),
      Items("Images", &S::Images, ImageProps()),
      Items("Patterns", &S::Patterns, PatternProps()),
      Picture("MasterBitmap.Data", &S::MasterBitmap),
      Int("Shadow1Color", &S::Shadow1Color),
      Int("Shadow1Offset", &S::Shadow1Offset),
      {"Shadow1Blur", Int("Shadow1Blur", &S::Shadow1Blur).read, Int("Shadow1Blur", &S::Shadow1Blur).write,
       [](const S& o) { return o.Shadow1Blur != -1; }},
      Int("Shadow1Transparency", &S::Shadow1Transparency),
      {"BorderColor", Int("BorderColor", &S::BorderColor).read, Int("BorderColor", &S::BorderColor).write,
       [](const S& o) { return o.BorderColor != clFuchsia; }},
      {"Version",
       [](S& o, const tpf0::Value& v) {
         if (v.IsReal())
           o.Version = v.real;
         else if (v.IsInteger())
           o.Version = static_cast<double>(v.integer);
         else
           BadValue("Version");
       },
       [](const S& o) { return tpf0::Value::Real(o.Version); }, nullptr},
      Str("Author", &S::Author),
      Str("Description", &S::Description)};
  return props;
}

}  // namespace

int32_t TsStoredSkins::IndexOf(const std::string& name) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Name == name) return static_cast<int32_t>(i);
  return -1;
}

TsStoredSkins TsStoredSkins::FromValue(const tpf0::Value& collection) {
  if (collection.type != tpf0::ValueType::Collection) BadValue("InternalSkins");
  TsStoredSkins skins;
  for (const auto& item : collection.items) skins.items_.push_back(ReadItem(SkinProps(), item));
  return skins;
}

tpf0::Value TsStoredSkins::ToValue() const {
  tpf0::Value v;
  v.type = tpf0::ValueType::Collection;
  for (const TsStoredSkin& s : items_) v.items.push_back(WriteItem(SkinProps(), s));
  return v;
}

}  // namespace skin
