// The settings the exception handling reads, by name (names compare without
// regard to case). A stand-in with this program's stored values until the
// settings objects read them from the module's resource; an exception's own
// changes go into its own copy.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace quor {

class TExceptSettings {
public:
  TExceptSettings();
  TExceptSettings(const TExceptSettings& other);
  TExceptSettings& operator=(const TExceptSettings&) = delete;

  [[nodiscard]] bool Bool(std::string_view name) const;
  [[nodiscard]] int32_t Int(std::string_view name) const;
  [[nodiscard]] std::string Text(std::string_view name) const;

  void SetBool(std::string_view name, bool value);
  void SetInt(std::string_view name, int32_t value);
  void SetText(std::string_view name, std::string_view value);

private:
  struct Value {
    int32_t Int = 0;
    std::string Text;
  };
  struct LessNoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  [[nodiscard]] Value Get(std::string_view name) const;
  void Set(std::string_view name, Value value);

  mutable std::mutex lock_;
  std::map<std::string, Value, LessNoCase> values_;
};

// The process's main settings (the executable's).
[[nodiscard]] TExceptSettings& MainExceptSettings();

}  // namespace quor
