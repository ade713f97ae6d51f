#include "tools/SettingsForm.h"

#include <cstdint>
#include <string>

#include "report/codec/quorScramble.h"
#include "toolkit/SysUtils.h"
#include "toolkit/Tpf0.h"
#include "tools/TextForm.h"

namespace settingsform {
namespace {

std::string TextOf(const tpf0::Object& form, const char* name) {
  const tpf0::Property* p = form.Find(name);
  return p && p->value.IsString() ? p->value.text : std::string();
}

void ScramblePasswordOf(tpf0::Object& form, const char* prefix) {
  const std::string base(prefix);
  const std::string account = TextOf(form, (base + "Account").c_str());
  const std::string server = TextOf(form, (base + "Server").c_str());
  for (auto& p : form.props) {
    if (p.name == base + "Password" && p.value.IsString())
      p.value.text = quor::ScramblePassword(p.value.text, account, server);
  }
}

}  // namespace

std::vector<uint8_t> Compile(const std::string& text, const std::string& baseDir) {
  tpf0::Object form = textform::Parse(text, baseDir);
  if (!form.children.empty()) throw tk::EConvertError("A settings form has no child objects");
  for (auto& p : form.props) {
    const tpf0::Value& v = p.value;
    if (v.IsInteger()) {
      if (v.integer < INT32_MIN || v.integer > INT32_MAX) throw tk::EConvertError("Integer beyond 32 bits: " + p.name);
      p.value.type = tpf0::ValueType::Int32;
    } else if (!v.IsString() && !v.IsBoolean()) {
      throw tk::EConvertError("Only integers, texts and booleans are settings: " + p.name);
    }
  }
  ScramblePasswordOf(form, "Smtp");
  ScramblePasswordOf(form, "Http");
  tpf0::WriteOptions options;
  options.longStrings = true;
  return tpf0::Write(form, options);
}

}  // namespace settingsform
