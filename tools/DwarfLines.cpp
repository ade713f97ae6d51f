#include "tools/DwarfLines.h"

#include <cstring>

namespace sym {

namespace {

// A bounds-checked reader; once a read fails every later read fails.
class TReader {
public:
  explicit TReader(std::string_view data) : data_(data) {}
  bool Ok() const { return ok_; }
  size_t Position() const { return position_; }
  size_t Remaining() const { return data_.size() - position_; }

  uint64_t Fixed(size_t size) {
    if (!ok_ || Remaining() < size) return Fail();
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i) value |= uint64_t(uint8_t(data_[position_ + i])) << (8 * i);
    position_ += size;
    return value;
  }
  uint64_t Uleb() {
    uint64_t value = 0;
    for (unsigned shift = 0;; shift += 7) {
      if (!ok_ || Remaining() < 1 || shift > 63) return Fail();
      const uint8_t byte = uint8_t(data_[position_++]);
      value |= uint64_t(byte & 0x7F) << shift;
      if (!(byte & 0x80)) return value;
    }
  }
  int64_t Sleb() {
    int64_t value = 0;
    unsigned shift = 0;
    uint8_t byte;
    do {
      if (!ok_ || Remaining() < 1 || shift > 63) return int64_t(Fail());
      byte = uint8_t(data_[position_++]);
      value |= int64_t(uint64_t(byte & 0x7F) << shift);
      shift += 7;
    } while (byte & 0x80);
    if (shift < 64 && (byte & 0x40)) value |= -(int64_t(1) << shift);
    return value;
  }
  std::string_view CString() {
    if (!ok_) return {};
    const size_t end = data_.find('\0', position_);
    if (end == std::string_view::npos) return Fail(), std::string_view();
    const std::string_view text = data_.substr(position_, end - position_);
    position_ = end + 1;
    return text;
  }
  void Skip(uint64_t size) {
    if (!ok_ || Remaining() < size)
      Fail();
    else
      position_ += size_t(size);
  }

private:
  uint64_t Fail() {
    ok_ = false;
    return 0;
  }
  std::string_view data_;
  size_t position_ = 0;
  bool ok_ = true;
};

std::string_view StringAt(std::string_view section, uint64_t offset) {
  if (offset >= section.size()) return {};
  const size_t end = section.find('\0', size_t(offset));
  return section.substr(size_t(offset), end == std::string_view::npos ? std::string_view::npos : end - size_t(offset));
}

enum Form : uint64_t {
  kBlock = 0x09,
  kData1 = 0x0b,
  kData2 = 0x05,
  kData4 = 0x06,
  kData8 = 0x07,
  kData16 = 0x1e,
  kString = 0x08,
  kStrp = 0x0e,
  kLineStrp = 0x1f,
  kUdata = 0x0f,
};

// Reads one attribute value of a version 5 entry; the text for path forms.
bool ReadForm(TReader& r, uint64_t form, std::string_view lineStr, std::string_view str, std::string_view& text) {
  switch (form) {
    case kString:
      text = r.CString();
      break;
    case kLineStrp:
      text = StringAt(lineStr, r.Fixed(4));
      break;
    case kStrp:
      text = StringAt(str, r.Fixed(4));
      break;
    case kUdata:
      r.Uleb();
      break;
    case kData1:
      r.Fixed(1);
      break;
    case kData2:
      r.Fixed(2);
      break;
    case kData4:
      r.Fixed(4);
      break;
    case kData8:
      r.Fixed(8);
      break;
    case kData16:
      r.Skip(16);
      break;
    case kBlock:
      r.Skip(r.Uleb());
      break;
    default:
      return false;
  }
  return r.Ok();
}

// Version 5 directory or file entries: the paths, in order.
bool ReadEntries(TReader& r, std::string_view lineStr, std::string_view str, std::vector<std::string>& paths) {
  const uint64_t formatCount = r.Fixed(1);
  std::vector<std::pair<uint64_t, uint64_t>> format;
  for (uint64_t i = 0; i < formatCount && r.Ok(); ++i) format.emplace_back(r.Uleb(), r.Uleb());
  const uint64_t count = r.Uleb();
  if (!r.Ok() || count > r.Remaining()) return false;
  for (uint64_t i = 0; i < count; ++i) {
    std::string path;
    for (const auto& [content, form] : format) {
      std::string_view text;
      if (!ReadForm(r, form, lineStr, str, text)) return false;
      if (content == 1) path = std::string(text);  // DW_LNCT_path
    }
    paths.push_back(std::move(path));
  }
  return true;
}

bool ReadUnit(TReader& unit, std::string_view lineStr, std::string_view str, TLineTable& table) {
  const uint64_t version = unit.Fixed(2);
  if (version < 2 || version > 5) return false;
  if (version >= 5) {
    unit.Fixed(1);  // address size
    unit.Fixed(1);  // segment selector size
  }
  const uint64_t headerLength = unit.Fixed(4);
  const size_t programStart = unit.Position() + size_t(headerLength);
  const uint64_t minInstLength = unit.Fixed(1);
  if (version >= 4) unit.Fixed(1);  // maximum operations per instruction
  const bool defaultIsStmt = unit.Fixed(1) != 0;
  (void)defaultIsStmt;
  const int8_t lineBase = int8_t(unit.Fixed(1));
  const uint64_t lineRange = unit.Fixed(1);
  const uint64_t opcodeBase = unit.Fixed(1);
  if (!unit.Ok() || lineRange == 0 || opcodeBase == 0) return false;
  std::vector<uint8_t> argumentCounts(opcodeBase, 0);
  for (uint64_t i = 1; i < opcodeBase; ++i) argumentCounts[i] = uint8_t(unit.Fixed(1));

  // File numbers of the program map into table.Files.
  std::vector<uint32_t> files;
  if (version >= 5) {
    std::vector<std::string> directories, names;
    if (!ReadEntries(unit, lineStr, str, directories) || !ReadEntries(unit, lineStr, str, names)) return false;
    for (std::string& name : names) {
      files.push_back(uint32_t(table.Files.size()));
      table.Files.push_back(std::move(name));
    }
  } else {
    while (unit.Ok() && !unit.CString().empty()) {
    }                             // include directories
    files.push_back(UINT32_MAX);  // file numbers start at 1
    for (;;) {
      const std::string_view name = unit.CString();
      if (!unit.Ok()) return false;
      if (name.empty()) break;
      unit.Uleb();
      unit.Uleb();
      unit.Uleb();
      files.push_back(uint32_t(table.Files.size()));
      table.Files.emplace_back(name);
    }
  }
  if (!unit.Ok() || programStart > unit.Position() + unit.Remaining()) return false;
  unit.Skip(programStart - unit.Position());

  uint64_t address = 0, file = 1, line = 1;
  auto emit = [&](bool end) {
    TLineRow row;
    row.Address = uint32_t(address);
    row.Line = uint32_t(line);
    row.File = file < files.size() ? files[file] : UINT32_MAX;
    row.EndSequence = end;
    if (row.File != UINT32_MAX || end) table.Rows.push_back(row);
  };
  while (unit.Ok() && unit.Remaining() > 0) {
    const uint64_t opcode = unit.Fixed(1);
    if (opcode >= opcodeBase) {
      const uint64_t adjusted = opcode - opcodeBase;
      address += (adjusted / lineRange) * minInstLength;
      line += int64_t(lineBase) + int64_t(adjusted % lineRange);
      emit(false);
      continue;
    }
    switch (opcode) {
      case 0: {
        const uint64_t length = unit.Uleb();
        if (!unit.Ok() || length == 0 || length > unit.Remaining()) return false;
        const size_t next = unit.Position() + size_t(length);
        const uint64_t sub = unit.Fixed(1);
        if (sub == 1) {
          emit(true);
          address = 0, file = 1, line = 1;
        } else if (sub == 2) {
          address = unit.Fixed(std::min<size_t>(size_t(length - 1), 8));
        }
        unit.Skip(next - unit.Position());
        break;
      }
      case 1:
        emit(false);
        break;
      case 2:
        address += unit.Uleb() * minInstLength;
        break;
      case 3:
        line += uint64_t(unit.Sleb());
        break;
      case 4:
        file = unit.Uleb();
        break;
      case 8:
        address += ((255 - opcodeBase) / lineRange) * minInstLength;
        break;
      case 9:
        address += unit.Fixed(2);
        break;
      default:
        for (uint8_t i = 0; i < argumentCounts[opcode]; ++i) unit.Uleb();
        break;
    }
  }
  return unit.Ok();
}

}  // namespace

bool ReadDwarfLines(std::string_view debugLine, std::string_view debugLineStr, std::string_view debugStr,
                    TLineTable& table) {
  TReader all(debugLine);
  while (all.Remaining() > 0) {
    const uint64_t length = all.Fixed(4);
    if (!all.Ok() || length >= 0xFFFFFFF0u || length > all.Remaining()) return false;
    TReader unit(debugLine.substr(all.Position(), size_t(length)));
    all.Skip(length);
    if (!ReadUnit(unit, debugLineStr, debugStr, table)) return false;
  }
  return true;
}

}  // namespace sym
