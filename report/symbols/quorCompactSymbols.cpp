#include "report/symbols/quorCompactSymbols.h"

#include <algorithm>
#include <cstdio>

#include "report/codec/quorScramble.h"
#include "report/codec/quorZip.h"
#include "report/symbols/quorMiniStream.h"
#include "report/text/quorLittleEndian.h"

namespace quor {

namespace {

constexpr uint32_t kHeaderSize2 = 22;
constexpr uint32_t kHeaderSize3 = 34;

const unsigned char* Bytes(std::string_view s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// A count read from the stream never reserves more entries than the
// remaining bytes could hold.
template <typename T>
void ReserveFor(std::vector<T>& list, uint32_t count, const TMiniStream& stream) {
  list.reserve(std::min<uint32_t>(count, stream.Remaining()));
}

bool HasLines(const TMapFile& map, const TMfSegment& segment) {
  auto line = std::lower_bound(map.Lines.begin(), map.Lines.end(), segment.Start,
                               [](const TMfLine& l, uint32_t a) { return l.Address < a; });
  return line != map.Lines.end() && line->Address - segment.Start < segment.Length;
}

}  // namespace

bool ReadCompactHeader(std::string_view data, TCompactHeader& header) {
  if (data.size() < kHeaderSize2 + 1 || data.substr(0, kCompactSignature.size()) != kCompactSignature) return false;
  header = {};
  header.PayloadLength = LoadLe32(Bytes(data) + 14);
  header.Version = LoadLe32(Bytes(data) + 18);
  if (header.Version == 2) {
    header.HeaderSize = kHeaderSize2;
  } else if (header.Version == 3) {
    if (data.size() < kHeaderSize3) return false;
    header.HeaderSize = kHeaderSize3;
    header.Id1 = LoadLe32(Bytes(data) + 22);
    header.Id2 = LoadLe32(Bytes(data) + 26);
    header.Flags = LoadLe32(Bytes(data) + 30);
  } else {
    return false;
  }
  return header.PayloadLength <= data.size() - header.HeaderSize;
}

bool ReadSymbolStream(std::string_view data, bool minimal, uint32_t codeStart, TMapFile& map) {
  map.Valid = false;
  map.Segments.clear();
  map.Publics.clear();
  map.Lines.clear();
  map.EntryPoint = 0;
  TMiniStream stream(data.data(), static_cast<uint32_t>(std::min<size_t>(data.size(), UINT32_MAX)));

  uint32_t count;
  if (!stream.ReadDword(count)) return false;
  ReserveFor(map.Segments, count, stream);
  for (uint32_t i = 0; i < count; ++i) {
    TMfSegment segment;
    if (!stream.ReadDword(segment.Start) || !stream.ReadDword(segment.Length)) return false;
    segment.Start += codeStart;
    if (minimal) {
      segment.UnitName = "segment%" + std::to_string(i);
      if (!stream.ReadByte(segment.HasLines)) return false;
    } else if (!stream.ReadPackedString(segment.UnitName)) {
      return false;
    }
    map.Segments.push_back(std::move(segment));
  }

  if (!stream.ReadDword(count)) return false;
  ReserveFor(map.Publics, count, stream);
  uint32_t address = codeStart;
  for (uint32_t i = 0; i < count; ++i) {
    TMfPublic symbol;
    if (minimal) {
      symbol.Name = "public%" + std::to_string(i);
    } else if (!stream.ReadPackedString(symbol.Name)) {
      return false;
    }
    if (i == 0) {
      uint32_t first;
      if (!stream.ReadDword(first)) return false;
      address = codeStart + first;
    } else {
      int32_t difference;
      if (!stream.ReadPackedInt(difference)) return false;
      address += static_cast<uint32_t>(difference);
    }
    symbol.Address = address;
    map.Publics.push_back(std::move(symbol));
  }

  if (!stream.ReadDword(count)) return false;
  ReserveFor(map.Lines, count, stream);
  TMfLine line;
  for (uint32_t i = 0; i < count; ++i) {
    if (i == 0) {
      uint32_t first;
      if (!stream.ReadDword(line.Line) || !stream.ReadDword(first)) return false;
      line.Address = codeStart + first;
    } else {
      int32_t lineDifference, addressDifference;
      if (!stream.ReadPackedInt(lineDifference) || !stream.ReadPackedInt(addressDifference)) return false;
      line.Line += static_cast<uint32_t>(lineDifference);
      line.Address += static_cast<uint32_t>(addressDifference);
    }
    map.Lines.push_back(line);
  }

  uint32_t entry;
  if (stream.Remaining() == 4 && stream.ReadDword(entry)) map.EntryPoint = codeStart + entry;
  map.Sort();
  map.Valid = true;
  return true;
}

bool ReadCompactSymbols(std::string_view data, uint32_t codeStart, TMapFile& map) {
  map.Valid = false;
  TCompactHeader header;
  if (!ReadCompactHeader(data, header)) return false;
  std::string payload(data.substr(header.HeaderSize, header.PayloadLength));
  UnscrambleSymbolData(reinterpret_cast<unsigned char*>(payload.data()), payload.size());
  const std::string stream = InflateContainer(payload);
  if (stream.empty()) return false;
  return ReadSymbolStream(stream, header.Minimal(), codeStart, map);
}

std::string WriteCompactSymbols(const TMapFile& map, uint32_t codeStart, const TCompactOptions& options) {
  std::string stream;
  uint32_t segments = 0;
  for (const TMfSegment& segment : map.Segments) segments += segment.Code;
  AppendLe32(stream, segments);
  for (const TMfSegment& segment : map.Segments) {
    if (!segment.Code) continue;
    AppendLe32(stream, segment.Start - codeStart);
    AppendLe32(stream, segment.Length);
    if (options.Minimal)
      stream += char(HasLines(map, segment));
    else
      AppendPackedString(stream, segment.UnitName);
  }

  uint32_t publics = 0;
  for (const TMfPublic& symbol : map.Publics) publics += symbol.Code;
  AppendLe32(stream, publics);
  bool first = true;
  uint32_t previous = 0;
  for (const TMfPublic& symbol : map.Publics) {
    if (!symbol.Code) continue;
    if (!options.Minimal) AppendPackedString(stream, symbol.Name);
    if (first)
      AppendLe32(stream, symbol.Address - codeStart);
    else
      AppendPackedInt(stream, static_cast<int32_t>(symbol.Address - previous));
    previous = symbol.Address;
    first = false;
  }

  AppendLe32(stream, static_cast<uint32_t>(map.Lines.size()));
  for (size_t i = 0; i < map.Lines.size(); ++i) {
    const TMfLine& line = map.Lines[i];
    if (i == 0) {
      AppendLe32(stream, line.Line);
      AppendLe32(stream, line.Address - codeStart);
    } else {
      AppendPackedInt(stream, static_cast<int32_t>(line.Line - map.Lines[i - 1].Line));
      AppendPackedInt(stream, static_cast<int32_t>(line.Address - map.Lines[i - 1].Address));
    }
  }
  if (map.EntryPoint) AppendLe32(stream, map.EntryPoint - codeStart);

  std::string payload = DeflateContainer(stream);
  if (payload.empty()) return {};
  ScrambleSymbolData(reinterpret_cast<unsigned char*>(payload.data()), payload.size());

  std::string out(kCompactSignature);
  AppendLe32(out, static_cast<uint32_t>(payload.size()));
  AppendLe32(out, 3);
  AppendLe32(out, options.Id1);
  AppendLe32(out, options.Id2);
  AppendLe32(out, options.Minimal ? kCompactMinimalFlag : 0);
  return out + payload;
}

std::string MinDebugInfoText(uint32_t fileLength, uint32_t id1, uint32_t id2) {
  char text[40];
  std::snprintf(text, sizeof text, "$%08x, $%08x, $%08x", unsigned(fileLength), unsigned(id1), unsigned(id2));
  return text;
}

}  // namespace quor
