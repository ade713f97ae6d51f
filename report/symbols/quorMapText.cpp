#include "report/symbols/quorMapText.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace quor {

namespace {

// Positions count from 1 at the first character that is not a blank.
bool CharAt(std::string_view s, size_t position, char c) {
  return position >= 1 && position <= s.size() && s[position - 1] == c;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// `count` hexadecimal digits starting at `position`; all must be digits.
bool HexAt(std::string_view s, size_t position, size_t count, uint32_t& value) {
  if (position < 1 || position - 1 + count > s.size()) return false;
  value = 0;
  for (size_t i = 0; i < count; ++i) {
    const int digit = HexDigit(s[position - 1 + i]);
    if (digit < 0) return false;
    value = value << 4 | uint32_t(digit);
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The blank-separated word that starts at or after `from` (0-based).
std::string_view WordFrom(std::string_view s, size_t from) {
  while (from < s.size() && IsBlank(s[from])) ++from;
  size_t end = from;
  while (end < s.size() && !IsBlank(s[end])) ++end;
  return from < s.size() ? s.substr(from, end - from) : std::string_view();
}

// Cuts a trailing parenthesised part ("name(int, char)" -> "name").
std::string_view CutTrailingParentheses(std::string_view s) {
  s = TrimRight(s);
  if (s.empty() || s.back() != ')') return s;
  int depth = 0;
  for (size_t i = s.size(); i-- > 0;) {
    if (s[i] == ')') ++depth;
    if (s[i] == '(' && --depth == 0) return TrimRight(s.substr(0, i));
  }
  return s;  // unbalanced: left as it is
}

enum class Section { kNone, kSegmentTable, kDetailed, kPublics, kLines };

class TMapTextReader {
public:
  TMapTextReader(uint32_t codeStart, TMapFile& map) : codeStart_(codeStart), map_(map) {}

  void ReadLine(std::string_view s) {
    if (s.empty()) {
      if (!waitingForFirst_) section_ = Section::kNone;
      return;
    }
    if (Heading(s)) return;
    waitingForFirst_ = false;
    switch (section_) {
      case Section::kSegmentTable:
        SegmentTableLine(s);
        break;
      case Section::kDetailed:
        DetailedLine(s);
        break;
      case Section::kPublics:
        PublicLine(s);
        break;
      case Section::kLines:
        LineNumbersLine(s);
        break;
      case Section::kNone:
        break;
    }
  }

  bool Found() const { return !map_.Segments.empty() || !map_.Publics.empty(); }

private:
  bool Heading(std::string_view s) {
    constexpr std::string_view kSegmentTable = "Start         Length     Name                   Class";
    constexpr std::string_view kLineNumbers = "Line numbers for ";
    constexpr std::string_view kEntryPoint = "Program entry point at ";
    Section next;
    if (s.starts_with(kSegmentTable)) {
      next = Section::kSegmentTable;
    } else if (s.starts_with("Detailed map of segments")) {
      next = Section::kDetailed;
    } else if (s.find("Publics by Value") != std::string_view::npos) {
      next = Section::kPublics;
      // The unit prefixes of publics are found through the segments.
      map_.Sort();
      lastSegmentOfUnit_.clear();
    } else if (s.starts_with(kLineNumbers)) {
      const size_t open = s.find('(', kLineNumbers.size());
      if (open == std::string_view::npos || s.find(')', open) == std::string_view::npos) return false;
      next = Section::kLines;
    } else if (s.starts_with(kEntryPoint)) {
      // "Program entry point at 0001:0007F3A0": ":" at 28, 8 digits at 29-36.
      uint32_t offset;
      if (CharAt(s, 28, ':') && HexAt(s, 29, 8, offset)) map_.EntryPoint = codeStart_ + offset;
      section_ = Section::kNone;
      return true;
    } else {
      return false;
    }
    section_ = next;
    waitingForFirst_ = true;
    return true;
  }

  void SegmentTableLine(std::string_view s) {
    const std::string_view name = WordFrom(s, 23);
    if (name == ".text" && CharAt(s, 5, ':') && CharAt(s, 14, ' ') && CharAt(s, 23, 'H')) {
      uint32_t length;
      if (HexAt(s, 15, 8, length)) codeLength_ = uint32_t((uint64_t(length) + 4095) / 4096 * 4096);
    } else if (name == ".data") {
      dataSegment_ = 2;
      if (s.size() >= 4 && std::all_of(s.begin(), s.begin() + 4, [](char c) { return c >= '0' && c <= '9'; })) {
        const uint32_t number = uint32_t(std::stoul(std::string(s.substr(0, 4))));
        if (number >= 2 && number <= 9) dataSegment_ = number;
      }
    }
  }

  // Segment number and offset ("0001:00401000") at the start of s, with the
  // code flag and the code-length offset of the segment number applied.
  bool Address(std::string_view s, uint32_t& address, uint8_t& code) const {
    uint32_t segment, offset;
    if (!CharAt(s, 5, ':') || !HexAt(s, 1, 4, segment) || !HexAt(s, 6, 8, offset)) return false;
    return SegmentAddress(segment, offset, address, code);
  }

  bool SegmentAddress(uint32_t segment, uint32_t offset, uint32_t& address, uint8_t& code) const {
    if (segment == 0 || segment > dataSegment_) return false;
    code = segment < dataSegment_ ? 1 : 0;
    if (segment >= 2 && segment < dataSegment_) offset += codeLength_;
    address = codeStart_ + offset;
    return true;
  }

  void DetailedLine(std::string_view s) {
    if (s.size() <= 72 || !CharAt(s, 14, ' ') || !CharAt(s, 23, ' ') || !CharAt(s, 24, 'C') || !CharAt(s, 25, '='))
      return;
    uint32_t start, length;
    uint8_t code;
    if (!HexAt(s, 15, 8, length) || !Address(s, start, code)) return;
    // The unit is the text after the last "=", "\" or "|" once the last
    // field ("ACBP=A9") is removed.
    std::string_view rest = TrimRight(s);
    const size_t lastBlank = rest.find_last_of(" \t");
    if (lastBlank == std::string_view::npos) return;
    rest = TrimRight(rest.substr(0, lastBlank));
    const size_t separator = rest.find_last_of("=\\|");
    const std::string unit(separator == std::string_view::npos ? rest : rest.substr(separator + 1));

    const std::string key = unit + char('0' + code);
    auto last = lastSegmentOfUnit_.find(key);
    if (last != lastSegmentOfUnit_.end()) {
      TMfSegment& previous = map_.Segments[last->second];
      if (start - previous.End() <= 2 && start >= previous.End()) {
        previous.Length = start + length - previous.Start;
        return;
      }
    }
    TMfSegment segment;
    segment.Code = code;
    segment.Start = start;
    segment.Length = length;
    segment.UnitName = unit;
    lastSegmentOfUnit_[key] = map_.Segments.size();
    map_.Segments.push_back(std::move(segment));
  }

  void PublicLine(std::string_view s) {
    uint32_t address;
    uint8_t code;
    if (s.size() <= 13 || !Address(s, address, code)) return;
    const std::string_view whole = CutTrailingParentheses(s.substr(13));
    const size_t lastBlank = whole.find_last_of(" \t");
    std::string_view name = lastBlank == std::string_view::npos ? whole : whole.substr(lastBlank + 1);
    if (name.empty()) return;
    if (dataSegment_ > 2) {
      // "Unit.Name" in the segment of unit "Unit" is stored as "Name".
      const TMfSegment* segment = map_.FindSegment(address, code != 0);
      if (segment && name.size() > segment->UnitName.size() + 1 &&
          SameTextIgnoringCase(name.substr(0, segment->UnitName.size()), segment->UnitName))
        name.remove_prefix(segment->UnitName.size() + 1);
    }
    TMfPublic symbol;
    symbol.Code = code;
    symbol.Name = std::string(name);
    symbol.Address = address;
    map_.Publics.push_back(std::move(symbol));
  }

  // Pairs of a decimal line number and "SSSS:OOOOOOOO", up to the first item
  // that does not have this form.
  void LineNumbersLine(std::string_view s) {
    size_t i = 0;
    for (;;) {
      while (i < s.size() && IsBlank(s[i])) ++i;
      const size_t digits = i;
      uint64_t line = 0;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9' && line <= 0xFFFFFFFFu)
        line = line * 10 + uint32_t(s[i++] - '0');
      if (i == digits || line > 0xFFFFFFFFu || i >= s.size() || s[i] != ' ') return;
      const std::string_view item = s.substr(i + 1);
      uint32_t segment, offset;
      if (!HexAt(item, 1, 4, segment) || !CharAt(item, 5, ':') || !HexAt(item, 6, 8, offset)) return;
      if (item.size() > 13 && !IsBlank(item[13])) return;
      i += 1 + 13;
      if (segment < 1 || segment >= dataSegment_) continue;
      if (segment > 1) offset += codeLength_;
      map_.Lines.push_back({uint32_t(line), codeStart_ + offset});
    }
  }

  uint32_t codeStart_;
  TMapFile& map_;
  Section section_ = Section::kNone;
  bool waitingForFirst_ = false;
  uint32_t codeLength_ = 0;
  uint32_t dataSegment_ = 2;
  std::unordered_map<std::string, size_t> lastSegmentOfUnit_;
};

std::string Format(const char* format, uint32_t a, uint32_t b = 0) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, unsigned(a), unsigned(b));
  return buffer;
}

}  // namespace

bool ReadMapText(std::string_view text, uint32_t codeStart, TMapFile& map) {
  TMapTextReader reader(codeStart, map);
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    reader.ReadLine(line);
  }
  map.Sort();
  if (reader.Found()) map.Valid = true;
  return reader.Found();
}

std::string WriteMapText(const TMapFile& map, uint32_t codeStart) {
  uint32_t codeLength = 0;
  for (const TMfSegment& segment : map.Segments)
    if (segment.Code) codeLength = std::max(codeLength, segment.End() - codeStart);

  std::string out;
  out += "\r\n Start         Length     Name                   Class\r\n";
  out += Format(" 0001:%08X %08XH .text                   CODE\r\n", 0, codeLength);
  out += Format(" 0002:%08X %08XH .data                   DATA\r\n", codeLength, 0);
  out += "\r\n\r\nDetailed map of segments\r\n\r\n";
  for (const TMfSegment& segment : map.Segments) {
    if (!segment.Code) continue;
    std::string unit = segment.UnitName;
    if (unit.size() < 16) unit.resize(16, ' ');
    out += Format(" 0001:%08X %08X C=CODE     S=.text    G=(none)   M=", segment.Start - codeStart, segment.Length);
    out += unit + " ACBP=A9\r\n";
  }
  out += "\r\n\r\n  Address             Publics by Value\r\n\r\n";
  for (const TMfPublic& symbol : map.Publics)
    out += Format(" %04X:%08X       ", symbol.Code ? 1 : 2, symbol.Address - codeStart) + symbol.Name + "\r\n";
  for (const TMfSegment& segment : map.Segments) {
    auto line = std::lower_bound(map.Lines.begin(), map.Lines.end(), segment.Start,
                                 [](const TMfLine& l, uint32_t a) { return l.Address < a; });
    if (!segment.Code || line == map.Lines.end() || line->Address >= segment.End()) continue;
    out += "\r\n\r\nLine numbers for " + segment.UnitName + "(" + segment.UnitName + ") segment .text\r\n\r\n";
    int column = 0;
    for (; line != map.Lines.end() && line->Address < segment.End(); ++line) {
      out += Format(" %5u 0001:%08X", line->Line, line->Address - codeStart);
      if (++column % 4 == 0) out += "\r\n";
    }
    if (column % 4) out += "\r\n";
  }
  if (map.EntryPoint) out += Format("\r\nProgram entry point at 0001:%08X\r\n", map.EntryPoint - codeStart);
  return out;
}

}  // namespace quor
