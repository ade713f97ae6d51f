// The encoded list settings (attachments, fields, plug-ins, class lists,
// assistant definitions): decoding any text and writing it back is stable.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "report/settings/quorAssistantDefinition.h"
#include "report/settings/quorEncodedLists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string attachs = quor::EncodeAddAttachs(quor::DecodeAddAttachs(text));
  if (quor::EncodeAddAttachs(quor::DecodeAddAttachs(attachs)) != attachs) abort();
  const std::string fields = quor::EncodeAddFields(quor::DecodeAddFields(text));
  if (quor::EncodeAddFields(quor::DecodeAddFields(fields)) != fields) abort();
  const size_t split = text.find('#');
  const std::string_view list = text.substr(0, split);
  const std::string_view name = split == std::string_view::npos ? "" : text.substr(split + 1);
  for (bool on : {true, false}) {
    const std::string changed = quor::PluginListSet(list, name, on);
    if (!name.empty() && name.find('|') == std::string_view::npos && quor::PluginListHas(changed, name) != on) abort();
  }
  (void)quor::SplitClassList(text);
  if (auto d = quor::ParseAssistantDefinition(text)) quor::DropScreenshotForm(*d);
  return 0;
}
