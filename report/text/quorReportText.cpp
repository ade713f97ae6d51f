#include "report/text/quorReportText.h"

#include <algorithm>

namespace quor {

namespace {

// Line breaks (CR LF, CR, LF) become one blank each, then runs of blanks one.
std::string OneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      c = ' ';
    }
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

template <class Line>
void ForEachLine(std::string_view text, Line line) {
  size_t pos = 0;
  while (true) {
    const size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      line(text.substr(pos));
      return;
    }
    line(text.substr(pos, end - pos));
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  }
}

}  // namespace

std::string ComposeReportText(const TReportFields& header, const TReportFields& sections) {
  size_t width = 0;
  for (const auto& f : header) width = std::max(width, f.Name.size());
  std::string text;
  const auto newLine = [&] {
    if (!text.empty()) text += "\r\n";
  };
  for (const auto& f : header) {
    newLine();
    text += f.Name;
    text.append(width + 1 - f.Name.size(), ' ');
    text += ": ";
    text += OneLine(f.Content);
  }
  for (const auto& s : sections) {
    newLine();
    text += "\r\n";
    text += s.Name;
    if (s.Name.find(':') == std::string::npos) text += ':';
    ForEachLine(s.Content, [&](std::string_view line) {
      while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
      text += "\r\n";
      if (line.empty())
        text += '.';
      else
        text += line;
    });
  }
  return text;
}

std::string CleanExceptionMessage(std::string_view message) {
  std::string out;
  for (char c : message)
    if (static_cast<unsigned char>(c) >= 32 || c == '\r' || c == '\n') out += c;
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return "Unknown";
  out.erase(0, first);
  out.erase(out.find_last_not_of(' ') + 1);
  return out;
}

std::string ShownExceptionMessage(std::string_view cleanMessage) {
  size_t end = cleanMessage.size();
  while (end > 0 && (cleanMessage[end - 1] == '.' || cleanMessage[end - 1] == '!' || cleanMessage[end - 1] == '\0'))
    --end;
  std::string out(cleanMessage.substr(0, end));
  out += '.';
  return out;
}

std::string HeaderExceptionMessage(std::string_view cleanMessage) {
  return OneLine(ShownExceptionMessage(cleanMessage));
}

}  // namespace quor
