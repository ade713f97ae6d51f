#include "report/assistant/quorContactForm.h"

#include "base/WinAnsi.h"
#include "base/WinRegKey.h"
#include "report/assistant/quorEmailAddress.h"

namespace quor {

namespace {

const wchar_t kRememberName[] = L"RememberName";
const wchar_t kRememberEmail[] = L"RememberEmail";

std::string ReadValue(HKEY key, const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD size = sizeof value - sizeof(wchar_t), type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return {};
  return base::WideToAnsi(value);
}

void WriteValue(HKEY key, const wchar_t* name, const std::string& text) {
  const std::wstring wide = base::AnsiToWide(text);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                 static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

void Remembered(NVFormModel& form) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kContactFormKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return;
  const base::RegKey key(opened);
  const std::string name = ReadValue(key.get(), kRememberName), email = ReadValue(key.get(), kRememberEmail);
  if (name.empty() && email.empty()) return;
  NVItem *nameEdit = form.Find("NameEdit"), *emailEdit = form.Find("EmailEdit"), *memory = form.Find("MemCheck");
  if (nameEdit) nameEdit->text = name;
  if (emailEdit) {
    emailEdit->text = email;
    emailEdit->valid = IsValidEmailAddress(email);
  }
  if (memory) memory->checked = true;
  if (form.ContinueAllowed()) form.activeControl = kContinueBtn;
}

void Remember(const NVFormModel& form) {
  const NVItem *nameEdit = form.Find("NameEdit"), *emailEdit = form.Find("EmailEdit"), *memory = form.Find("MemCheck");
  HKEY opened = nullptr;
  if (memory && memory->checked) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kContactFormKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS)
      return;
    const base::RegKey key(opened);
    WriteValue(key.get(), kRememberName, nameEdit ? nameEdit->text : std::string());
    WriteValue(key.get(), kRememberEmail, emailEdit ? emailEdit->text : std::string());
    return;
  }
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kContactFormKey, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
  const base::RegKey key(opened);
  RegDeleteValueW(key.get(), kRememberName);
  RegDeleteValueW(key.get(), kRememberEmail);
}

}  // namespace

NVActionHandler ContactFormHandler(std::function<void(const std::string& mailFrom)> setMailFrom) {
  return [setMailFrom = std::move(setMailFrom)](NVFormModel& form, NVAction action, NVItem* item) {
    switch (action) {
      case nvaCreated:
        Remembered(form);
        break;
      case nvaChanged:
        if (item && item->name == "EmailEdit") item->valid = IsValidEmailAddress(item->text);
        break;
      case nvaClosed: {
        if (form.modalResult != nvmrContinue) break;
        Remember(form);
        const NVItem *nameEdit = form.Find("NameEdit"), *emailEdit = form.Find("EmailEdit");
        if (nameEdit && !nameEdit->text.empty() && setMailFrom)
          setMailFrom(nameEdit->text + " <" + (emailEdit ? emailEdit->text : std::string()) + ">");
        break;
      }
      default:
        break;
    }
  };
}

}  // namespace quor
