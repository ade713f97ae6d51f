#include "report/text/quorOsVersion.h"

#include <array>

namespace quor {

namespace {

constexpr std::array<std::string_view, osWinNTNew + 1> kVersionNames = {
    "None",       "Windows 95",     "Windows 95 OSR-2", "Windows 98",     "Windows 98 SE",
    "Windows ME", "Windows 9x New", "Windows NT 3",     "Windows NT 4",   "Windows 2000",
    "Windows XP", "Windows 2003",   "Windows Vista",    "Windows NT New",
};

// A plain (not extended) record's CSD text "Service Pack 3": the number
// begins after these 13 characters.
constexpr size_t kServicePackPrefix = 13;
// More digits than this cannot be a service-pack number; they are not read
// so that the value cannot overflow.
constexpr size_t kMaxServicePackDigits = 9;

constexpr uint32_t kOlderBuildMask = 0xFFFF;

int32_t ServicePackFromText(std::string_view csd) {
  if (csd.size() <= kServicePackPrefix) return 0;
  int32_t number = 0;
  for (size_t i = kServicePackPrefix; i < csd.size() && i < kServicePackPrefix + kMaxServicePackDigits; ++i) {
    if (csd[i] < '0' || csd[i] > '9') break;
    number = number * 10 + (csd[i] - '0');
  }
  return number;
}

template <typename Unit>
std::string LowBytesUpToNul(std::span<const Unit> units) {
  std::string text;
  for (const Unit unit : units) {
    if (unit == 0) break;
    text += char(uint8_t(unit));
  }
  return text;
}

}  // namespace

std::string_view OsVersionName(uint8_t version) {
  return version < kVersionNames.size() ? kVersionNames[version] : kVersionNames[osNone];
}

uint8_t OlderFamilyVersion(uint32_t major, uint32_t minor, uint32_t build) {
  if (major < 4) return osNone;
  if (major > 4) return osWin9xNew;
  if (minor < 10) return build <= 1000 ? osWin95 : osWin95OSR2;
  if (minor == 10) return build > 2700 ? osWinME : build <= 2000 ? osWin98 : osWin98SE;
  return minor <= 90 ? osWinME : osWin9xNew;
}

uint8_t NtFamilyVersion(uint32_t major, uint32_t minor, uint8_t productType) {
  if (major < 4) return osWinNT3;
  if (major == 4) return osWinNT4;
  if (major == 5) {
    if (minor == 0) return osWin2000;
    if (minor == 1) return osWinXP;
    return productType == kWorkstationProduct ? osWinXP : osWin2003;
  }
  return major == 6 && minor == 0 ? osWinVista : osWinNTNew;
}

std::string CsdText(std::span<const uint16_t> units) { return LowBytesUpToNul(units); }
std::string CsdText(std::span<const char> chars) { return LowBytesUpToNul(chars); }

TOS MakeOsRecord(const TOSFacts& facts) {
  TOS os;
  os.OlderFamily = facts.PlatformId == kOlderFamilyPlatform;
  os.NtFamily = facts.PlatformId == kNtFamilyPlatform;
  os.Major = facts.Major;
  os.Minor = facts.Minor;
  os.Build = os.OlderFamily ? facts.Build & kOlderBuildMask : facts.Build;
  os.ServicePackText = facts.Csd;
  if (os.OlderFamily) os.OlderFamilyVersion = OlderFamilyVersion(os.Major, os.Minor, os.Build);
  if (os.NtFamily) {
    os.NtFamilyVersion = NtFamilyVersion(os.Major, os.Minor, facts.ProductType);
    os.X64 = facts.X64;
    os.ServicePack = facts.ExtendedRecord ? facts.ServicePackMajor : ServicePackFromText(facts.Csd);
  }
  os.Version = os.OlderFamily ? os.OlderFamilyVersion : os.NtFamilyVersion;
  os.Description = OsVersionName(os.Version);
  if (os.NtFamily) {
    if (facts.ServerR2) os.Description += " R2";
    if (facts.TabletPc) os.Description += " Tablet PC";
    if (facts.Starter) os.Description += " Starter";
    if (facts.MediaCenter && os.Version < osWinVista) os.Description += " Media Center";
    if (os.X64) os.Description += " x64";
    if (!facts.Csd.empty()) os.Description += " " + facts.Csd;
  }
  return os;
}

}  // namespace quor
