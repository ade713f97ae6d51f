// The binary stored-layout format ("TPF0" component streams): a tree of
// objects, each with a class name, an object name, typed property values and
// child objects. Layout resources, the report settings and the assistant
// forms are all stored this way. Platform-free: a reader and a writer over
// bytes; building components from the tree is the layout reader's job.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tpf0 {

// Value type bytes of the format.
enum class ValueType : uint8_t {
  Null = 0,
  List = 1,
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  Extended = 5,
  String = 6,
  Ident = 7,
  False = 8,
  True = 9,
  Binary = 10,
  Set = 11,
  LString = 12,
  Nil = 13,
  Collection = 14,
  Single = 15,
  Currency = 16,
  Date = 17,
  WString = 18,
  Int64 = 19,
  Utf8String = 20,
  Double = 21,
};

struct Property;

// One collection item: an optional order number and its properties.
struct CollectionItem {
  std::optional<int64_t> order;
  std::vector<Property> props;
};

struct Value {
  ValueType type = ValueType::Null;
  int64_t integer = 0;                // Int8/16/32/64; Currency as its scaled integer
  double real = 0;                    // Extended, Single, Date, Double
  std::string text;                   // strings and identifiers (UTF-8), binary bytes
  std::vector<std::string> set;       // Set: element names
  std::vector<Value> list;            // List
  std::vector<CollectionItem> items;  // Collection

  bool IsInteger() const;
  bool IsReal() const;
  bool IsString() const;  // String, LString, WString, Utf8String
  bool IsBoolean() const { return type == ValueType::False || type == ValueType::True; }

  static Value Integer(int64_t v);  // type Int8/16/32/64, the smallest that holds v
  static Value Str(std::string utf8);
  static Value Ident(std::string name);
  static Value Boolean(bool b);
  static Value Real(double v);  // Extended
  static Value Bytes(std::string bytes);
};

struct Property {
  std::string name;
  Value value;
};

struct Object {
  std::string className;
  std::string name;
  uint8_t filerFlags = 0;    // 1 inherited, 2 child position, 4 inline
  bool filerPrefix = false;  // stored with a flags byte, even one with no flags set
  int64_t childPos = 0;
  std::vector<Property> props;
  std::vector<Object> children;

  // The first property of that name (exact), or nullptr.
  const Property* Find(const std::string& propName) const;
};

// Reads a whole stream. Raises tk::EReadError with a message naming the
// fault for a missing signature, truncated data, an unknown value type or
// nesting deeper than the reader allows.
Object Read(std::span<const uint8_t> data);

struct WriteOptions {
  // Strings as 32-bit-length strings (type 12) even when short; the report
  // settings resource is stored this way.
  bool longStrings = false;
};

std::vector<uint8_t> Write(const Object& root, const WriteOptions& options = {});

// 80-bit extended reals as stored in the stream, little-endian.
double ExtendedToDouble(const uint8_t bytes[10]);
void DoubleToExtended(double value, uint8_t bytes[10]);

}  // namespace tpf0
