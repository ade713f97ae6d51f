#include "report/settings/quorFormCache.h"

namespace quor {

void StoreFormCache(IQuorFields& cache, const std::vector<FormCacheForm>& forms) {
  for (const FormCacheForm& form : forms) {
    if (form.result != 1) continue;
    for (const FormCacheItem& item : form.items) {
      if (item.name.empty()) continue;
      (void)cache.SetContent(item.name, item.checkBox ? (item.checked ? "+" : "-") : item.text);
    }
  }
}

void ApplyFormCache(IQuorFields& cache, std::vector<FormCacheForm>& forms) {
  for (FormCacheForm& form : forms) {
    bool allFound = true;
    for (FormCacheItem& item : form.items) {
      if (item.name.empty()) continue;
      if (cache.Find(item.name) < 0) {
        allFound = false;
        continue;
      }
      const std::string value = cache.Content(item.name);
      if (item.checkBox) {
        item.checked = value == "+";
      } else {
        item.text = value;
      }
    }
    form.focusContinue = allFound && form.continueEnabled;
  }
}

}  // namespace quor
