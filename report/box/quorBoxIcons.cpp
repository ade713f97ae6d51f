#include "report/box/quorBoxIcons.h"

#include <string>

namespace quor {
namespace {

constexpr DWORD kInfoHeaderSize = 40;
// Resource names ignore case: "quorisend" finds QUORISEND.
constexpr const wchar_t* kIconNames[kBoxIconCount] = {L"send",    L"save",  L"print",        L"show", L"continue",
                                                      L"restart", L"close", L"cantContinue", L"big"};

const uint8_t* LoadBoxIcon(HMODULE module, int32_t index) {
  const std::wstring name = std::wstring(L"quori") + kIconNames[index];
  HRSRC info = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
  if (!info) return nullptr;
  const DWORD size = DWORD(TBoxIcons::Size(index));
  if (SizeofResource(module, info) != kInfoHeaderSize + 4 * size * size) return nullptr;
  // Windows: resources stay mapped while the module is loaded; nothing to free.
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, info)));
  return data ? data + kInfoHeaderSize : nullptr;
}

}  // namespace

TBoxIcons::TBoxIcons(HMODULE module) {
  for (int32_t i = 0; i < kBoxIconCount; ++i) pixels_[size_t(i)] = LoadBoxIcon(module, i);
}

const uint8_t* TBoxIcons::Pixels(int32_t index) const {
  return index >= 0 && index < kBoxIconCount ? pixels_[size_t(index)] : nullptr;
}

}  // namespace quor
