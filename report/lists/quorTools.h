// Facts about the machine and the process for the report header. Every text
// is empty when the value cannot be read. None of them loads a library: the
// functions looked up at run time were resolved at start-up.
#pragma once

#include <cstdint>
#include <string>

namespace quor {

[[nodiscard]] std::string ComputerNameText();
// The client name of the remote session the program runs in; empty outside
// one (and on the older family).
[[nodiscard]] std::string RemoteClientName();
[[nodiscard]] std::string UserNameText();
[[nodiscard]] bool RunsAsAdministrator();
[[nodiscard]] std::string ReadRegistryText(uintptr_t rootKey, const std::string& keyPath, const std::string& valueName);
// "RegisteredOwner", and " / " and "RegisteredOrganization" when set.
[[nodiscard]] std::string RegisteredOwnerText();
[[nodiscard]] std::string SystemVersionText();
[[nodiscard]] std::string SystemLanguageText();
[[nodiscard]] std::string SystemUptimeText();
// Up time since RecordProgramStart.
[[nodiscard]] std::string ProgramUptimeText();
void RecordProgramStart();
[[nodiscard]] std::string ProcessorNameText();
// 1 to 16: the processor keys of the registry that carry a name.
[[nodiscard]] int ProcessorCount();
[[nodiscard]] std::string PhysicalMemoryText();
[[nodiscard]] std::string FreeDiskSpaceText();
[[nodiscard]] std::string ScreenModeText();
// The committed memory of the process outside loaded images, in bytes, and
// as a size text.
[[nodiscard]] uint64_t CommittedMemoryBytes();
[[nodiscard]] std::string CommittedMemoryText();
[[nodiscard]] char DecimalSeparator();

}  // namespace quor
