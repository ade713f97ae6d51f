// The list settings stored as single texts:
//   AddAttachs  "file>send as>archive>field|..."
//   AddFields   "name=value|..."
//   Plugins     "name|name|..."            (names without regard to case)
//   F1Classes   "Class, Class, ..."        (blanks around names ignored)
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quor {

struct AttachmentEntry {
  std::string file;    // source file
  std::string sendAs;  // name to send it as
  std::string zip;     // archive name; empty: not compressed
  std::string field;   // form-field name of an HTTP upload
};

// The file name of a path without its folder (or drive).
[[nodiscard]] std::string_view BareFileName(std::string_view path);

// Entries without a source file are skipped. An empty send name becomes the
// file's name without folder; an empty field name the send name up to its
// first ".".
[[nodiscard]] std::vector<AttachmentEntry> DecodeAddAttachs(std::string_view text);
[[nodiscard]] std::string EncodeAddAttachs(const std::vector<AttachmentEntry>& entries);

// Each entry is split at its first "="; names are trimmed, entries without
// a name are skipped.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> DecodeAddFields(std::string_view text);
[[nodiscard]] std::string EncodeAddFields(const std::vector<std::pair<std::string, std::string>>& fields);

[[nodiscard]] bool PluginListHas(std::string_view list, std::string_view name);
// The list with the plug-in switched on (appended) or off (every entry of
// that name removed with its separator); unchanged when already so.
[[nodiscard]] std::string PluginListSet(std::string_view list, std::string_view name, bool on);

[[nodiscard]] std::vector<std::string> SplitClassList(std::string_view text);

// The parts of `text` between `separator`s (one empty part for "").
[[nodiscard]] std::vector<std::string_view> SplitText(std::string_view text, char separator);

}  // namespace quor
