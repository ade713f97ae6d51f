// Facts about the machine and the process for the report header. Every text
// is empty when the value cannot be read.
#pragma once

#include <cstdint>
#include <string>

namespace quor {

[[nodiscard]] std::string ComputerNameText();
[[nodiscard]] std::string UserNameText();
[[nodiscard]] bool RunsAsAdministrator();
[[nodiscard]] std::string ReadRegistryText(uintptr_t rootKey, const std::string& keyPath, const std::string& valueName);
[[nodiscard]] std::string SystemVersionText();
[[nodiscard]] std::string SystemLanguageText();
[[nodiscard]] std::string SystemUptimeText();
// Up time since RecordProgramStart.
[[nodiscard]] std::string ProgramUptimeText();
void RecordProgramStart();
[[nodiscard]] std::string ProcessorNameText();
[[nodiscard]] int ProcessorCount();
[[nodiscard]] std::string PhysicalMemoryText();
[[nodiscard]] std::string FreeDiskSpaceText();
[[nodiscard]] std::string ScreenModeText();
[[nodiscard]] std::string CommittedMemoryText();
[[nodiscard]] char DecimalSeparator();

}  // namespace quor
