// The assistants' form cache: what the user typed into an assistant's forms,
// kept in a field list so the next assistant starts with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/settings/quorFields.h"

namespace quor {

// The state of one named item of an assistant form.
struct FormCacheItem {
  std::string name;
  bool checkBox = false;
  std::string text;  // edit items
  bool checked = false;
};

struct FormCacheForm {
  int32_t result = 0;  // 1: closed with OK
  std::vector<FormCacheItem> items;
  bool continueEnabled = false;
  bool focusContinue = false;  // set by ApplyFormCache
};

// For every form closed with OK: edits store their text, check boxes "+"
// (checked) or "-", each under the item's name.
void StoreFormCache(IQuorFields& cache, const std::vector<FormCacheForm>& forms);

// Every named item found in the cache takes its value; a form whose named
// items were all found gives its enabled continue button the focus.
void ApplyFormCache(IQuorFields& cache, std::vector<FormCacheForm>& forms);

}  // namespace quor
