// The contact form's handler: the name and address remembered from an
// earlier report, the check of the address as it is typed, and the sender
// of the report once the form is finished.
#pragma once

#include <functional>
#include <string>

#include "report/assistant/quorNVForm.h"

namespace quor {

// Where "remember me" keeps the values, under the current user.
inline constexpr wchar_t kContactFormKey[] = L"Software\\Quor\\ContactForm";

// `setMailFrom` receives "name <address>" when the form is finished with a name.
[[nodiscard]] NVActionHandler ContactFormHandler(std::function<void(const std::string& mailFrom)> setMailFrom);

}  // namespace quor
