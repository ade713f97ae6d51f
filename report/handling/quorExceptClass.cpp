#include "report/handling/quorExceptClass.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>

#include "toolkit/SysUtils.h"

namespace quor {

namespace {

std::string ShortTypeName(const std::type_info& type) {
  int status = 0;
  char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string name = status == 0 && demangled ? demangled : type.name();
  std::free(demangled);
  const size_t templ = name.find('<');
  const size_t colon = name.rfind("::", templ);
  if (colon != std::string::npos) name.erase(0, colon + 2);
  return name;
}

// The object as a `Catch`, when its type derives from it; else null.
template <class Catch>
const Catch* As(const void* object, const std::type_info* type) {
  void* adjusted = const_cast<void*>(object);
  if (!typeid(Catch).__do_catch(type, &adjusted, 1)) return nullptr;
  return static_cast<const Catch*>(adjusted);
}

const std::type_info* FirstBase(const std::type_info* type) {
  if (const auto* si = dynamic_cast<const abi::__si_class_type_info*>(type)) return si->__base_type;
  if (const auto* vmi = dynamic_cast<const abi::__vmi_class_type_info*>(type))
    if (vmi->__base_count > 0) return vmi->__base_info[0].__base_type;
  return nullptr;
}

}  // namespace

bool TExceptDescription::InheritsFrom(const std::string& name) const {
  for (const auto& a : Ancestry)
    if (a == name) return true;
  return false;
}

TExceptDescription DescribeException(const void* object, const std::type_info* type) {
  TExceptDescription d;
  if (!object || !type) return d;
  d.Valid = true;
  for (const std::type_info* t = type; t && d.Ancestry.size() < 16; t = FirstBase(t))
    d.Ancestry.push_back(ShortTypeName(*t));
  if (const auto* e = As<tk::Exception>(object, type)) {
    d.ClassName = e->ClassName();
    d.Message = e->Message();
    if (d.Ancestry.empty() || d.Ancestry.front() != d.ClassName) d.Ancestry.insert(d.Ancestry.begin(), d.ClassName);
  } else if (const auto* e = As<std::exception>(object, type)) {
    d.ClassName = d.Ancestry.front();
    d.Message = e->what();
  } else {
    d.ClassName = d.Ancestry.empty() ? "Unknown" : d.Ancestry.front();
    d.Message = d.ClassName;
  }
  return d;
}

const void* ThrownObject(const std::exception_ptr& error) {
  // The runtime's exception pointer holds exactly the thrown object's address.
  static_assert(sizeof(std::exception_ptr) == sizeof(void*));
  return error ? *reinterpret_cast<void* const*>(&error) : nullptr;
}

const std::type_info* ThrownType(const std::exception_ptr& error) {
  return error ? error.__cxa_exception_type() : nullptr;
}

}  // namespace quor
