// Settings resources: any bytes read without fault; every property read has
// a name and a kind that fits.
#include <cstdint>
#include <cstdlib>

#include "report/settings/quorSettingsResource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quor::ModuleSettingsRecord record{};
  (void)quor::ReadSettingsResource(data, size, record, quor::CrtSettingsHeap());
  for (uint32_t i = 0; i < record.count; ++i) {
    const quor::SettingsProperty& p = record.properties[i];
    if (!p.name || p.kind > quor::kKindBoolean || (p.kind == quor::kKindText && !p.textValue)) abort();
  }
  quor::FreeProperties(record, quor::CrtSettingsHeap());
  return 0;
}
