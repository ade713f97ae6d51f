#include "report/symbols/quorMapFile.h"

#include <algorithm>

namespace quor {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool SegmentBefore(const TMfSegment& a, const TMfSegment& b) {
  if (a.Code != b.Code) return a.Code < b.Code;
  return a.Start < b.Start;
}

}  // namespace

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

void TMapFile::Sort() {
  std::stable_sort(Segments.begin(), Segments.end(), SegmentBefore);
  std::stable_sort(Publics.begin(), Publics.end(),
                   [](const TMfPublic& a, const TMfPublic& b) { return a.Address < b.Address; });
  std::stable_sort(Lines.begin(), Lines.end(),
                   [](const TMfLine& a, const TMfLine& b) { return a.Address < b.Address; });
}

const TMfSegment* TMapFile::FindSegment(uint32_t address, bool code) const {
  TMfSegment key;
  key.Code = code ? 1 : 0;
  key.Start = address;
  // First segment ordered after (code, address); the one before it is the candidate.
  auto it = std::upper_bound(Segments.begin(), Segments.end(), key, SegmentBefore);
  if (it == Segments.begin()) return nullptr;
  --it;
  if (it->Code != key.Code || address < it->Start || address - it->Start >= it->Length) return nullptr;
  return &*it;
}

const TMfPublic* TMapFile::FindPublic(uint32_t address) const {
  auto next = std::upper_bound(Publics.begin(), Publics.end(), address,
                               [](uint32_t a, const TMfPublic& p) { return a < p.Address; });
  if (next == Publics.begin()) return nullptr;
  auto found = next - 1;
  if (next == Publics.end() && address >= CodeEnd) return nullptr;
  // Of several publics at one address, the first one names it.
  while (found != Publics.begin() && (found - 1)->Address == found->Address) --found;
  return &*found;
}

TLineAnswer TMapFile::FindLine(uint32_t address) const {
  TLineAnswer answer;
  const TMfSegment* segment = FindSegment(address, true);
  if (!segment) return answer;
  auto next =
      std::upper_bound(Lines.begin(), Lines.end(), address, [](uint32_t a, const TMfLine& l) { return a < l.Address; });
  if (next != Lines.begin() && (next - 1)->Address >= segment->Start) {
    answer.Line = static_cast<int32_t>((next - 1)->Line);
    answer.Start = (next - 1)->Address;
    answer.Next = (next != Lines.end() && next->Address < segment->End()) ? next->Address : segment->End();
    return answer;
  }
  answer.Line = segment->HasLines ? -1 : 0;
  return answer;
}

bool TMapFile::FindPublicInUnit(std::string_view unit, std::string_view name, bool code, bool ignoreCase,
                                uint32_t& address) const {
  const uint8_t codeFlag = code ? 1 : 0;
  // A unit may own several segments; each is searched.
  for (const TMfSegment& segment : Segments) {
    if (segment.Code != codeFlag || !SameTextIgnoringCase(segment.UnitName, unit)) continue;
    auto it = std::lower_bound(Publics.begin(), Publics.end(), segment.Start,
                               [](const TMfPublic& p, uint32_t a) { return p.Address < a; });
    for (; it != Publics.end() && it->Address - segment.Start < segment.Length; ++it) {
      if (ignoreCase ? SameTextIgnoringCase(it->Name, name) : it->Name == name) {
        address = it->Address;
        return true;
      }
    }
  }
  return false;
}

bool TMapFile::FindPublicAddress(std::string_view unit, std::string_view name, bool code, bool ignoreCase,
                                 uint32_t& address) const {
  if (FindPublicInUnit(unit, name, code, ignoreCase, address)) return true;
  if (unit.find('.') != std::string_view::npos) return false;
  for (const char* extension : {".cpp", ".h", ".c"}) {
    std::string retry(unit);
    retry += extension;
    if (FindPublicInUnit(retry, name, code, ignoreCase, address)) return true;
  }
  return false;
}

}  // namespace quor
