// The operating-system record of the report header: which Windows version
// the platform's version numbers name, the service-pack text and number, and
// the description shown in the header. Platform-free: the system calls that
// fill TOSFacts live with the report header's other system facts.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quor {

// Version enumeration of TOS::Version; its names are listed by OsVersionName.
enum TOSVersion : uint8_t {
  osNone,
  osWin95,
  osWin95OSR2,
  osWin98,
  osWin98SE,
  osWinME,
  osWin9xNew,
  osWinNT3,
  osWinNT4,
  osWin2000,
  osWinXP,
  osWin2003,
  osWinVista,
  osWinNTNew,
};

// Platform ids of the version record.
constexpr uint32_t kOlderFamilyPlatform = 1;  // Windows 95, 98, ME
constexpr uint32_t kNtFamilyPlatform = 2;
constexpr uint8_t kWorkstationProduct = 1;  // product type of a workstation

// What the version query and the system metrics report, before they are read.
struct TOSFacts {
  uint32_t PlatformId = 0;
  uint32_t Major = 0, Minor = 0, Build = 0;  // Build as reported (older family: only its low 16 bits count)
  std::string Csd;                           // service-pack text (CsdText)
  bool ExtendedRecord = false;               // the extended version record was filled
  uint16_t ServicePackMajor = 0;             // from the extended record
  uint8_t ProductType = 0;                   // from the extended record
  bool ServerR2 = false, TabletPc = false, Starter = false, MediaCenter = false, X64 = false;
};

struct TOS {
  uint32_t Major = 0, Minor = 0, Build = 0;
  std::string ServicePackText;
  bool OlderFamily = false;
  uint8_t OlderFamilyVersion = osNone;
  bool NtFamily = false;
  uint8_t NtFamilyVersion = osNone;
  uint8_t Version = osNone;
  bool X64 = false;
  int32_t ServicePack = 0;
  std::string Description;
};

// "None", "Windows 95" ... "Windows NT New"; "None" for a value beyond the list.
[[nodiscard]] std::string_view OsVersionName(uint8_t version);

// The version an older-family system's numbers name.
[[nodiscard]] uint8_t OlderFamilyVersion(uint32_t major, uint32_t minor, uint32_t build);

// The version an NT-family system's numbers name.
[[nodiscard]] uint8_t NtFamilyVersion(uint32_t major, uint32_t minor, uint8_t productType);

// The service-pack text of the version record's fixed-size field: up to its
// first NUL, the low byte of each UTF-16 unit (wide record) or each byte
// (ANSI record).
[[nodiscard]] std::string CsdText(std::span<const uint16_t> units);
[[nodiscard]] std::string CsdText(std::span<const char> chars);

// The record the facts describe.
[[nodiscard]] TOS MakeOsRecord(const TOSFacts& facts);

}  // namespace quor
