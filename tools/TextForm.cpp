#include "tools/TextForm.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "toolkit/SysUtils.h"
#include "toolkit/Utf.h"
#include "tools/SkinFolder.h"

namespace textform {
namespace {

bool ReadFileBytes(const std::string& path, std::string& data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  data = s.str();
  return true;
}

std::string Le32(size_t n) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
  return s;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

class Parser {
public:
  Parser(const std::string& text, std::string baseDir) : s_(text), base_(std::move(baseDir)) {}

  tpf0::Object ParseRoot() {
    tpf0::Object root = ParseObject();
    SkipSpace();
    if (pos_ != s_.size()) Fail("text after the last 'end'");
    return root;
  }

private:
  [[noreturn]] void Fail(const std::string& what) const {
    int line = 1;
    for (size_t i = 0; i < pos_ && i < s_.size(); ++i) line += s_[i] == '\n';
    throw tk::EConvertError("Line " + std::to_string(line) + ": " + what);
  }

  void SkipSpace() {
    while (pos_ < s_.size()) {
      if (std::isspace(static_cast<unsigned char>(s_[pos_]))) {
        ++pos_;
      } else if (s_.compare(pos_, 2, "//") == 0) {
        while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  bool Peek(char c) {
    SkipSpace();
    return pos_ < s_.size() && s_[pos_] == c;
  }

  void Expect(char c) {
    if (!Peek(c)) Fail(std::string("'") + c + "' expected");
    ++pos_;
  }

  static bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }

  std::string Ident() {
    SkipSpace();
    const size_t start = pos_;
    while (pos_ < s_.size() && IdentChar(s_[pos_])) ++pos_;
    if (start == pos_) Fail("name expected");
    return s_.substr(start, pos_ - start);
  }

  bool KeywordAhead(const char* word) {
    SkipSpace();
    const size_t save = pos_;
    const bool match = pos_ < s_.size() && IdentChar(s_[pos_]) && Lower(Ident()) == word;
    pos_ = save;
    return match;
  }

  tpf0::Object ParseObject() {
    const std::string kw = Lower(Ident());
    tpf0::Object obj;
    if (kw == "inherited")
      obj.filerFlags = 1;
    else if (kw == "inline")
      obj.filerFlags = 4;
    else if (kw != "object")
      Fail("'object' expected");
    obj.name = Ident();
    Expect(':');
    obj.className = Ident();
    while (!KeywordAhead("end")) {
      if (KeywordAhead("object") || KeywordAhead("inherited") || KeywordAhead("inline")) {
        obj.children.push_back(ParseObject());
      } else {
        obj.props.push_back(ParseProperty());
      }
      if (pos_ >= s_.size()) Fail("'end' expected");
    }
    Ident();  // end
    return obj;
  }

  tpf0::Property ParseProperty() {
    tpf0::Property p;
    p.name = Ident();
    Expect('=');
    p.value = ParseValue();
    return p;
  }

  tpf0::Value ParseValue() {
    SkipSpace();
    if (pos_ >= s_.size()) Fail("value expected");
    const char c = s_[pos_];
    if (c == '\'' || c == '#') return tpf0::Value::Str(ParseString());
    if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c)) || c == '$') return ParseNumber();
    if (c == '[') return ParseSet();
    if (c == '(') return ParseList();
    if (c == '<') return ParseCollection();
    if (c == '{') return ParseBinary();
    if (c == '@') return ParseInclude();
    const std::string word = Ident();
    const std::string lower = Lower(word);
    if (lower == "true") return tpf0::Value::Boolean(true);
    if (lower == "false") return tpf0::Value::Boolean(false);
    if (lower == "nil") {
      tpf0::Value v;
      v.type = tpf0::ValueType::Nil;
      return v;
    }
    return tpf0::Value::Ident(word);
  }

  // 'text' with '' for a quote, #nnn for a character code (UTF-8 encoded);
  // parts written next to each other, or joined by '+', form one string,
  // while parts separated by blanks are separate values (list items).
  std::string ParseString() {
    std::string out;
    SkipSpace();
    for (;;) {
      if (pos_ < s_.size() && s_[pos_] == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated string");
          if (s_[pos_] == '\'') {
            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
              out += '\'';
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          out += s_[pos_++];
        }
      } else if (pos_ < s_.size() && s_[pos_] == '#') {
        ++pos_;
        const size_t start = pos_;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        if (start == pos_ || pos_ - start > 5) Fail("character code expected");
        const unsigned long code = std::strtoul(s_.substr(start, pos_ - start).c_str(), nullptr, 10);
        if (code > 0xFFFF) Fail("character code out of range");
        out += tk::Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(code)));
      } else {
        break;
      }
      const size_t save = pos_;
      if (Peek('+')) {
        ++pos_;
        SkipSpace();
        if (pos_ >= s_.size() || (s_[pos_] != '\'' && s_[pos_] != '#')) Fail("string expected after '+'");
      } else {
        pos_ = save;
      }
    }
    return out;
  }

  tpf0::Value ParseNumber() {
    const size_t start = pos_;
    bool negative = false;
    if (s_[pos_] == '-' || s_[pos_] == '+') negative = s_[pos_++] == '-';
    if (pos_ < s_.size() && s_[pos_] == '$') {
      ++pos_;
      const size_t digits = pos_;
      while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      if (digits == pos_ || pos_ - digits > 16) Fail("hexadecimal number expected");
      const int64_t v = static_cast<int64_t>(std::strtoull(s_.substr(digits, pos_ - digits).c_str(), nullptr, 16));
      return tpf0::Value::Integer(negative ? -v : v);
    }
    while (pos_ < s_.size() &&
           (std::isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.' || s_[pos_] == 'e' ||
            s_[pos_] == 'E' || ((s_[pos_] == '-' || s_[pos_] == '+') && (s_[pos_ - 1] == 'e' || s_[pos_ - 1] == 'E'))))
      ++pos_;
    const std::string text = s_.substr(start, pos_ - start);
    char* end = nullptr;
    if (text.find_first_of(".eE") != std::string::npos) {
      const double v = std::strtod(text.c_str(), &end);
      if (*end != '\0') Fail("number expected");
      return tpf0::Value::Real(v);
    }
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || text == "-" || text == "+" || errno == ERANGE) Fail("number expected");
    return tpf0::Value::Integer(v);
  }

  tpf0::Value ParseSet() {
    Expect('[');
    tpf0::Value v;
    v.type = tpf0::ValueType::Set;
    while (!Peek(']')) {
      v.set.push_back(Ident());
      if (Peek(','))
        ++pos_;
      else if (!Peek(']'))
        Fail("',' or ']' expected");
    }
    ++pos_;
    return v;
  }

  tpf0::Value ParseList() {
    Expect('(');
    tpf0::Value v;
    v.type = tpf0::ValueType::List;
    while (!Peek(')')) {
      if (pos_ >= s_.size()) Fail("')' expected");
      v.list.push_back(ParseValue());
    }
    ++pos_;
    return v;
  }

  tpf0::Value ParseCollection() {
    Expect('<');
    tpf0::Value v;
    v.type = tpf0::ValueType::Collection;
    while (!Peek('>')) {
      if (Lower(Ident()) != "item") Fail("'item' expected");
      tpf0::CollectionItem item;
      if (Peek('[')) {
        ++pos_;
        item.order = ParseNumber().integer;
        Expect(']');
      }
      while (!KeywordAhead("end")) {
        if (pos_ >= s_.size()) Fail("'end' expected");
        item.props.push_back(ParseProperty());
      }
      Ident();
      v.items.push_back(std::move(item));
    }
    ++pos_;
    return v;
  }

  tpf0::Value ParseBinary() {
    Expect('{');
    std::string bytes;
    int nibbles = 0;
    unsigned acc = 0;
    for (;;) {
      SkipSpace();
      if (pos_ >= s_.size()) Fail("'}' expected");
      const char c = s_[pos_++];
      if (c == '}') break;
      if (!std::isxdigit(static_cast<unsigned char>(c))) Fail("hexadecimal digit expected");
      acc = (acc << 4) |
            static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::tolower(c) - 'a' + 10));
      if (++nibbles == 2) {
        bytes += static_cast<char>(acc);
        nibbles = 0;
        acc = 0;
      }
    }
    if (nibbles != 0) Fail("odd number of hexadecimal digits");
    return tpf0::Value::Bytes(std::move(bytes));
  }

  std::string PathOf(const std::string& name) const {
    return name.size() && name[0] == '/' ? name : base_ + "/" + name;
  }

  // @skins('folder', ...): skin folders as the stored skins collection.
  tpf0::Value ParseSkins() {
    std::vector<std::string> folders;
    do {
      if (!folders.empty()) ++pos_;
      SkipSpace();
      folders.push_back(PathOf(ParseString()));
    } while (Peek(','));
    Expect(')');
    try {
      return skinfolder::ReadSkinFolders(folders).ToValue();
    } catch (const tk::Exception& e) {
      Fail("skin folder: " + e.Message());
    }
  }

  // @file('x'), @bitmap('x.bmp'), @picture('x.jpg'): data taken from a file.
  tpf0::Value ParseInclude() {
    ++pos_;
    const std::string kind = Lower(Ident());
    Expect('(');
    if (kind == "skins") return ParseSkins();
    SkipSpace();
    const std::string name = ParseString();
    Expect(')');
    if (kind != "file" && kind != "bitmap" && kind != "picture") Fail("unknown include kind @" + kind);
    const std::string path = PathOf(name);
    std::string data;
    if (!ReadFileBytes(path, data)) Fail("cannot read " + path);
    if (kind == "file") return tpf0::Value::Bytes(data);
    if (kind == "bitmap") return tpf0::Value::Bytes(Le32(data.size()) + data);
    // A picture's data: its graphic class name, then that graphic's own data.
    const std::string ext = Lower(name.substr(name.find_last_of('.') + 1));
    const std::string cls = ext == "bmp" ? "TBitmap" : (ext == "jpg" || ext == "jpeg") ? "TJPEGImage" : "";
    if (cls.empty()) Fail("unknown picture kind: " + name);
    return tpf0::Value::Bytes(static_cast<char>(cls.size()) + cls + Le32(data.size()) + data);
  }

  const std::string& s_;
  std::string base_;
  size_t pos_ = 0;
};

}  // namespace

tpf0::Object Parse(const std::string& text, const std::string& baseDir) { return Parser(text, baseDir).ParseRoot(); }

}  // namespace textform
