#include "toolkit/Tpf0.h"

#include <cmath>
#include <cstring>

#include "toolkit/SysUtils.h"
#include "toolkit/Utf.h"

namespace tpf0 {

bool Value::IsInteger() const {
  return type == ValueType::Int8 || type == ValueType::Int16 || type == ValueType::Int32 || type == ValueType::Int64;
}

bool Value::IsReal() const {
  return type == ValueType::Extended || type == ValueType::Single || type == ValueType::Date ||
         type == ValueType::Double;
}

bool Value::IsString() const {
  return type == ValueType::String || type == ValueType::LString || type == ValueType::WString ||
         type == ValueType::Utf8String;
}

Value Value::Integer(int64_t v) {
  Value r;
  r.integer = v;
  if (v >= INT8_MIN && v <= INT8_MAX)
    r.type = ValueType::Int8;
  else if (v >= INT16_MIN && v <= INT16_MAX)
    r.type = ValueType::Int16;
  else if (v >= INT32_MIN && v <= INT32_MAX)
    r.type = ValueType::Int32;
  else
    r.type = ValueType::Int64;
  return r;
}

Value Value::Str(std::string utf8) {
  Value r;
  r.type = ValueType::String;
  r.text = std::move(utf8);
  return r;
}

Value Value::Ident(std::string name) {
  Value r;
  r.type = ValueType::Ident;
  r.text = std::move(name);
  return r;
}

Value Value::Boolean(bool b) {
  Value r;
  r.type = b ? ValueType::True : ValueType::False;
  return r;
}

Value Value::Real(double v) {
  Value r;
  r.type = ValueType::Extended;
  r.real = v;
  return r;
}

Value Value::Bytes(std::string bytes) {
  Value r;
  r.type = ValueType::Binary;
  r.text = std::move(bytes);
  return r;
}

const Property* Object::Find(const std::string& propName) const {
  for (const auto& p : props)
    if (p.name == propName) return &p;
  return nullptr;
}

double ExtendedToDouble(const uint8_t b[10]) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | b[i];
  const int exponent = ((b[9] & 0x7F) << 8) | b[8];
  const bool negative = (b[9] & 0x80) != 0;
  double v;
  if (exponent == 0 && mantissa == 0)
    v = 0.0;
  else if (exponent == 0x7FFF)
    v = (mantissa << 1) == 0 ? INFINITY : NAN;
  else
    v = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  return negative ? -v : v;
}

void DoubleToExtended(double value, uint8_t b[10]) {
  std::memset(b, 0, 10);
  const bool negative = std::signbit(value);
  value = std::fabs(value);
  uint64_t mantissa = 0;
  int exponent = 0;
  if (std::isnan(value)) {
    exponent = 0x7FFF;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(value)) {
    exponent = 0x7FFF;
    mantissa = 0x8000000000000000ull;
  } else if (value != 0.0) {
    int e;
    const double fraction = std::frexp(value, &e);  // value = fraction * 2^e, fraction in [0.5, 1)
    mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    exponent = e - 1 + 16383;
  }
  for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(mantissa >> (8 * i));
  b[8] = static_cast<uint8_t>(exponent);
  b[9] = static_cast<uint8_t>((exponent >> 8) | (negative ? 0x80 : 0));
}

namespace {

constexpr int kMaxDepth = 64;

class StreamReader {
public:
  explicit StreamReader(std::span<const uint8_t> data) : data_(data) {}

  Object ReadRoot() {
    if (data_.size() < 4 || std::memcmp(data_.data(), "TPF0", 4) != 0) throw tk::EReadError("Invalid stream format");
    pos_ = 4;
    Object root = ReadObject(0);
    return root;
  }

private:
  [[noreturn]] void Fail(const char* what) const {
    throw tk::EReadError(std::string(what) + " at offset " + std::to_string(pos_));
  }

  void Need(size_t n) const {
    if (data_.size() - pos_ < n) Fail("Unexpected end of stream");
  }

  uint8_t Byte() {
    Need(1);
    return data_[pos_++];
  }

  uint8_t PeekByte() const {
    Need(1);
    return data_[pos_];
  }

  uint64_t Unsigned(int size) {
    Need(size);
    uint64_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | data_[pos_ + i];
    pos_ += size;
    return v;
  }

  std::string Bytes(size_t n) {
    Need(n);
    std::string s(reinterpret_cast<const char*>(data_.data() + pos_), n);
    pos_ += n;
    return s;
  }

  std::string ShortString() { return Bytes(Byte()); }

  uint32_t Length32() {
    const uint32_t n = static_cast<uint32_t>(Unsigned(4));
    Need(n);  // refuse lengths past the end before allocating
    return n;
  }

  Object ReadObject(int depth) {
    if (depth > kMaxDepth) Fail("Objects nested too deeply");
    Object obj;
    if ((PeekByte() & 0xF0) == 0xF0) {
      obj.filerFlags = Byte() & 0x0F;
      obj.filerPrefix = true;
      if (obj.filerFlags & 2) {
        const Value pos = ReadValue(depth);
        if (!pos.IsInteger()) Fail("Invalid child position");
        obj.childPos = pos.integer;
      }
    }
    obj.className = ShortString();
    obj.name = ShortString();
    while (PeekByte() != 0) {
      Property p;
      p.name = ShortString();
      p.value = ReadValue(depth);
      obj.props.push_back(std::move(p));
    }
    ++pos_;
    while (PeekByte() != 0) obj.children.push_back(ReadObject(depth + 1));
    ++pos_;
    return obj;
  }

  Value ReadValue(int depth) {
    if (depth > kMaxDepth) Fail("Values nested too deeply");
    Value v;
    v.type = static_cast<ValueType>(Byte());
    switch (v.type) {
      case ValueType::Null:
      case ValueType::False:
      case ValueType::True:
      case ValueType::Nil:
        break;
      case ValueType::List:
        while (PeekByte() != 0) v.list.push_back(ReadValue(depth + 1));
        ++pos_;
        break;
      case ValueType::Int8:
        v.integer = static_cast<int8_t>(Unsigned(1));
        break;
      case ValueType::Int16:
        v.integer = static_cast<int16_t>(Unsigned(2));
        break;
      case ValueType::Int32:
        v.integer = static_cast<int32_t>(Unsigned(4));
        break;
      case ValueType::Int64:
      case ValueType::Currency:
        v.integer = static_cast<int64_t>(Unsigned(8));
        break;
      case ValueType::Extended: {
        Need(10);
        v.real = ExtendedToDouble(data_.data() + pos_);
        pos_ += 10;
        break;
      }
      case ValueType::Single: {
        const uint32_t bits = static_cast<uint32_t>(Unsigned(4));
        float f;
        std::memcpy(&f, &bits, 4);
        v.real = f;
        break;
      }
      case ValueType::Date:
      case ValueType::Double: {
        const uint64_t bits = Unsigned(8);
        std::memcpy(&v.real, &bits, 8);
        break;
      }
      case ValueType::String:
      case ValueType::Ident:
        v.text = ShortString();
        break;
      case ValueType::LString:
      case ValueType::Utf8String:
      case ValueType::Binary:
        v.text = Bytes(Length32());
        break;
      case ValueType::WString: {
        const uint32_t chars = static_cast<uint32_t>(Unsigned(4));
        if (chars > (data_.size() - pos_) / 2) Fail("Unexpected end of stream");
        std::u16string wide(chars, u'\0');
        for (auto& c : wide) c = static_cast<char16_t>(Unsigned(2));
        v.text = tk::Utf16ToUtf8(wide);
        break;
      }
      case ValueType::Set:
        for (std::string element = ShortString(); !element.empty(); element = ShortString())
          v.set.push_back(std::move(element));
        break;
      case ValueType::Collection:
        while (PeekByte() != 0) {
          CollectionItem item;
          const uint8_t t = PeekByte();
          if (t == 2 || t == 3 || t == 4) item.order = ReadValue(depth + 1).integer;
          if (Byte() != static_cast<uint8_t>(ValueType::List)) Fail("Invalid collection item");
          while (PeekByte() != 0) {
            Property p;
            p.name = ShortString();
            p.value = ReadValue(depth + 1);
            item.props.push_back(std::move(p));
          }
          ++pos_;
          v.items.push_back(std::move(item));
        }
        ++pos_;
        break;
      default:
        --pos_;
        Fail("Invalid property value type");
    }
    return v;
  }

  std::span<const uint8_t> data_;
  size_t pos_ = 0;
};

class StreamWriter {
public:
  explicit StreamWriter(const WriteOptions& options) : options_(options) {}

  std::vector<uint8_t> WriteRoot(const Object& root) {
    out_.assign({'T', 'P', 'F', '0'});
    WriteObject(root);
    return std::move(out_);
  }

private:
  void Byte(uint8_t b) { out_.push_back(b); }
  void Le(uint64_t v, int size) {
    for (int i = 0; i < size; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void Raw(const std::string& s) { out_.insert(out_.end(), s.begin(), s.end()); }
  void ShortString(const std::string& s) {
    if (s.size() > 255) throw tk::EWriteError("Name longer than 255 characters: " + s.substr(0, 40));
    Byte(static_cast<uint8_t>(s.size()));
    Raw(s);
  }

  void WriteObject(const Object& obj) {
    if (obj.filerFlags != 0 || obj.filerPrefix) {
      Byte(static_cast<uint8_t>(0xF0 | obj.filerFlags));
      if (obj.filerFlags & 2) WriteValue(Value::Integer(obj.childPos));
    }
    ShortString(obj.className);
    ShortString(obj.name);
    for (const auto& p : obj.props) WriteProperty(p);
    Byte(0);
    for (const auto& child : obj.children) WriteObject(child);
    Byte(0);
  }

  void WriteProperty(const Property& p) {
    ShortString(p.name);
    WriteValue(p.value);
  }

  static bool IsAscii(const std::string& s) {
    for (unsigned char c : s)
      if (c >= 0x80) return false;
    return true;
  }

  void WriteString(const std::string& utf8) {
    if (!IsAscii(utf8)) {
      const std::u16string wide = tk::Utf8ToUtf16(utf8);
      Byte(static_cast<uint8_t>(ValueType::WString));
      Le(wide.size(), 4);
      for (char16_t c : wide) Le(c, 2);
    } else if (utf8.size() > 255 || options_.longStrings) {
      Byte(static_cast<uint8_t>(ValueType::LString));
      Le(utf8.size(), 4);
      Raw(utf8);
    } else {
      Byte(static_cast<uint8_t>(ValueType::String));
      ShortString(utf8);
    }
  }

  void WriteValue(const Value& v) {
    switch (v.type) {
      case ValueType::String:
      case ValueType::LString:
      case ValueType::WString:
      case ValueType::Utf8String:
        WriteString(v.text);
        return;
      default:
        break;
    }
    Byte(static_cast<uint8_t>(v.type));
    switch (v.type) {
      case ValueType::List:
        for (const auto& e : v.list) WriteValue(e);
        Byte(0);
        break;
      case ValueType::Int8:
        Le(static_cast<uint64_t>(v.integer), 1);
        break;
      case ValueType::Int16:
        Le(static_cast<uint64_t>(v.integer), 2);
        break;
      case ValueType::Int32:
        Le(static_cast<uint64_t>(v.integer), 4);
        break;
      case ValueType::Int64:
      case ValueType::Currency:
        Le(static_cast<uint64_t>(v.integer), 8);
        break;
      case ValueType::Extended: {
        uint8_t b[10];
        DoubleToExtended(v.real, b);
        out_.insert(out_.end(), b, b + 10);
        break;
      }
      case ValueType::Single: {
        const float f = static_cast<float>(v.real);
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        Le(bits, 4);
        break;
      }
      case ValueType::Date:
      case ValueType::Double: {
        uint64_t bits;
        std::memcpy(&bits, &v.real, 8);
        Le(bits, 8);
        break;
      }
      case ValueType::Ident:
        ShortString(v.text);
        break;
      case ValueType::Binary:
        Le(v.text.size(), 4);
        Raw(v.text);
        break;
      case ValueType::Set:
        for (const auto& e : v.set) ShortString(e);
        Byte(0);
        break;
      case ValueType::Collection:
        for (const auto& item : v.items) {
          if (item.order) WriteValue(Value::Integer(*item.order));
          Byte(static_cast<uint8_t>(ValueType::List));
          for (const auto& p : item.props) WriteProperty(p);
          Byte(0);
        }
        Byte(0);
        break;
      default:
        break;
    }
  }

  const WriteOptions& options_;
  std::vector<uint8_t> out_;
};

}  // namespace

Object Read(std::span<const uint8_t> data) { return StreamReader(data).ReadRoot(); }

std::vector<uint8_t> Write(const Object& root, const WriteOptions& options) {
  return StreamWriter(options).WriteRoot(root);
}

}  // namespace tpf0
