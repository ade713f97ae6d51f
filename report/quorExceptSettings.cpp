#include "report/quorExceptSettings.h"

#include <algorithm>
#include <cctype>

namespace quor {

namespace {

struct StoredValue {
  const char* name;
  int32_t number;  // integer and boolean settings
  const char* text;
};

// This program's stored report settings that the exception handling reads.
constexpr StoredValue kStored[] = {
    {"Enabled", 1, nullptr},
    {"CheckFileCrc", 1, nullptr},
    {"CheckFreeze", 0, nullptr},
    {"FreezeTimeout", 60000, nullptr},
    {"AutoSave", 1, nullptr},
    {"AutoSaveIfNotSent", 1, nullptr},
    {"AutoSend", 0, nullptr},
    {"AutoClip", 0, nullptr},
    {"PauseThreads", 0, nullptr},
    {"PlWaitBox", 1, nullptr},
    {"AutoRestart", 0, nullptr},
    {"AutoClose", 0, nullptr},
    {"BugRepFile", 0, "bugreport.log"},
    {"AppendBugReps", 1, nullptr},
    {"BugRepFileSize", 100000, nullptr},
    {"NoDupExcepts", 1, nullptr},
    {"NoDupFreezes", 1, nullptr},
    {"DupExceptDef", 1, nullptr},
    {"DupFreezeDef", 2, nullptr},
    {"ListThreads", 1, nullptr},
    {"CpuRegs", 1, nullptr},
    {"StackDump", 1, nullptr},
    {"ShowDisAsm", 1, nullptr},
    {"ScrShotDepth", 8, nullptr},
    {"F1Classes", 0, "EDBEditError"},
    {"F1NoBugRep", 1, nullptr},
    {"F1NoScrShot", 1, nullptr},
    {"F1NoSuspend", 1, nullptr},
    {"F1ShowCfg", 3, nullptr},
    {"F2Classes", 0, ""},
    {"F2ShowCfg", 0, nullptr},
    {"GnNoBugRep", 0, nullptr},
    {"GnNoSuspend", 0, nullptr},
    {"GnShowCfg", 0, nullptr},
    {"Plugins", 0, "modules|processes|hardware"},
    {"TitleBar", 0, "%appname%"},
    {"ExceptMsg", 0, "An error occurred in the application."},
    {"FrozenMsg", 0, "The application seems to be frozen."},
    {"BitFaultMsg", 0, "The file \"%modname%\" seems to be corrupt!"},
    {"SaveBtnTxt", 0, "save bug report"},
    {"PrintBtnTxt", 0, "print bug report"},
    {"PlWaitTitle", 0, "Information"},
    {"PlWaitText", 0, "Please wait a moment..."},
};

}  // namespace

bool TExceptSettings::LessNoCase::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

TExceptSettings::TExceptSettings() {
  for (const auto& s : kStored) values_[s.name] = Value{s.number, s.text ? s.text : ""};
}

TExceptSettings::TExceptSettings(const TExceptSettings& other) {
  std::lock_guard<std::mutex> hold(other.lock_);
  values_ = other.values_;
}

TExceptSettings::Value TExceptSettings::Get(std::string_view name) const {
  std::lock_guard<std::mutex> hold(lock_);
  const auto it = values_.find(std::string(name));
  return it == values_.end() ? Value{} : it->second;
}

void TExceptSettings::Set(std::string_view name, Value value) {
  std::lock_guard<std::mutex> hold(lock_);
  values_[std::string(name)] = std::move(value);
}

bool TExceptSettings::Bool(std::string_view name) const { return Get(name).Int != 0; }
int32_t TExceptSettings::Int(std::string_view name) const { return Get(name).Int; }
std::string TExceptSettings::Text(std::string_view name) const { return Get(name).Text; }
void TExceptSettings::SetBool(std::string_view name, bool value) { Set(name, Value{value ? 1 : 0, {}}); }
void TExceptSettings::SetInt(std::string_view name, int32_t value) { Set(name, Value{value, {}}); }
void TExceptSettings::SetText(std::string_view name, std::string_view value) { Set(name, Value{0, std::string(value)}); }

TExceptSettings& MainExceptSettings() {
  static TExceptSettings settings;
  return settings;
}

}  // namespace quor
