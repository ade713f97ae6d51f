// Finding the settings that apply to a module or a code address. A module
// whose settings say NoSettings defers to another module's settings: the
// reporter's own module, the development environment's add-in, or the first
// module found in the address space that does not defer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/settings/quorSettingsObject.h"

namespace quor {

// The settings object of exactly this module (no deferring). A module
// without resource gives an object that is not valid.
[[nodiscard]] QuorPtr<TIQuorSettings> CreateModuleSettings(uintptr_t module);

[[nodiscard]] QuorPtr<IQuorModuleSettings> SettingsForModule(uintptr_t module);
[[nodiscard]] QuorPtr<IQuorModuleSettings> SettingsForAddress(uintptr_t address);
// SettingsForAddress of the caller's return address, or of the return
// address `framesUp` frames further up the stack.
[[nodiscard]] QuorPtr<IQuorModuleSettings> SettingsForCaller(uint32_t framesUp = 0);
// Null when no module with a non-deferring resource is found.
[[nodiscard]] QuorPtr<IQuorModuleSettings> FindDeferredSettings();

// The host of this process's settings objects (shared buffer, process heap).
[[nodiscard]] SettingsHost& ProcessSettingsHost();

// The module that holds this copy of the reporter.
[[nodiscard]] uintptr_t ReporterModule();

// Placeholders of a text for a module (see quorPlaceholders.h).
[[nodiscard]] std::string ExpandPlaceholders(uintptr_t module, std::string_view text, std::string_view exceptMsg,
                                             std::string_view bugReport);

}  // namespace quor
