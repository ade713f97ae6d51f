#include "report/lists/quorListText.h"

#include <algorithm>
#include <cstdio>

namespace quor {

namespace {

constexpr int32_t kNormal = 0x20, kIdle = 0x40, kHigh = 0x80, kRealtime = 0x100, kBelowNormal = 0x4000,
                  kAboveNormal = 0x8000;

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Folder(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string Hex(uint64_t value, int digits) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%0*llx", digits, static_cast<unsigned long long>(value));
  return buffer;
}

void AppendLine(std::string& text, const std::string& line) {
  if (!text.empty()) text += "\r\n";
  text += line;
}

}  // namespace

std::string ModulesText(const std::vector<ModuleRow>& rows) {
  size_t nameWidth = 0, versionWidth = 0;
  for (const ModuleRow& r : rows) {
    nameWidth = std::max(nameWidth, FileName(r.path).size());
    versionWidth = std::max(versionWidth, r.version.size());
  }
  std::string text;
  for (const ModuleRow& r : rows)
    AppendLine(text, Hex(r.base, 8) + " " + Padded(FileName(r.path), nameWidth + 1) +
                         Padded(r.version, versionWidth + 1) + Folder(r.path));
  return text;
}

std::string PriorityText(int32_t priorityClass) {
  switch (priorityClass) {
    case kNormal: return "normal";
    case kIdle: return "idle";
    case kHigh: return "high";
    case kRealtime: return "realtime";
    case kBelowNormal: return "below normal";
    case kAboveNormal: return "above normal";
    case 0:
    case -1: return "";
    default: return "$" + Hex(static_cast<uint32_t>(priorityClass), 1);
  }
}

std::string ProcessesText(const std::vector<ProcessRow>& rows) {
  uint32_t largestId = 0;
  size_t nameWidth = 0, sessionWidth = 0, priorityWidth = 0;
  for (const ProcessRow& r : rows) {
    largestId = std::max(largestId, r.id);
    nameWidth = std::max(nameWidth, FileName(r.path).size());
    if (r.session) sessionWidth = std::max(sessionWidth, std::to_string(r.session).size());
    priorityWidth = std::max(priorityWidth, PriorityText(r.priority).size());
  }
  const int idDigits = static_cast<int>(Hex(largestId, 1).size());
  std::string text;
  for (const ProcessRow& r : rows) {
    std::string line = Hex(r.id, idDigits) + " " + Padded(FileName(r.path), nameWidth + 1);
    if (sessionWidth) line += Padded(std::to_string(r.session), sessionWidth + 1);
    line += Padded(PriorityText(r.priority), priorityWidth + 1) + Folder(r.path);
    AppendLine(text, line);
  }
  return text;
}

}  // namespace quor
