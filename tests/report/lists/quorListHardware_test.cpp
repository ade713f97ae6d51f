// The "hardware" section: which devices stay out, the order of classes and
// devices whatever the order they are listed in, and the driver notes.
#include "report/lists/quorListHardware.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(ListHardware, SkippedDevices) {
  const struct {
    const char* className;
    const char* hardwareId;
    bool skipped;
  } cases[] = {
      {"LegacyDriver", "ROOT\\LEGACY", true}, {"Unknown", "x", true},       {"Volume", "STORAGE\\Volume", true},
      {"System", "SW\\{abc}", true},          {"System", "sw\\x", true},    {"System", "sw", false},
      {"volume", "STORAGE\\Volume", false},   {"Display", "PCI\\VEN_1234", false},
  };
  for (const auto& c : cases) EXPECT_EQ(SkipsDevice(c.className, c.hardwareId), c.skipped) << c.className << c.hardwareId;
}

TEST(ListHardware, HiddenComponents) {
  EXPECT_TRUE(IsHiddenComponent(std::string("\x08\0\0\0", 4)));
  EXPECT_TRUE(IsHiddenComponent(std::string("\x89\0\0\0", 4)));
  EXPECT_FALSE(IsHiddenComponent(std::string("\x80\0\0\0", 4)));
  EXPECT_FALSE(IsHiddenComponent(std::string("\x08\0", 2)));
  EXPECT_FALSE(IsHiddenComponent(""));
}

TEST(ListHardware, ClassesAndDevicesInNameOrderWithDriverNotes) {
  std::vector<HardwareClass> classes;
  AddHardwareDevice(classes, "Monitors", {"Generic PnP Monitor", true, "Microsoft", "10.0", ""});
  AddHardwareDevice(classes, "Display adapters", {"Wine display", true, "Wine", " 1.2.3 ", "1-1-2020"});
  AddHardwareDevice(classes, "display adapters", {"Another adapter", true, "(Standard display types)", "4.0", ""});
  AddHardwareDevice(classes, "Keyboards", {"keyboard b", true, "ACME", "", " 5-6-2021 "});
  AddHardwareDevice(classes, "Keyboards", {"Keyboard A", true, "microsoft", "2.0", ""});
  AddHardwareDevice(classes, "Batteries", {"Battery", false, "ACME", "1.0", ""});
  AddHardwareDevice(classes, "Batteries", {"AC adapter", true, "ACME", "", ""});
  EXPECT_EQ(HardwareText(classes),
            "+ Batteries\r\n"
            "  - AC adapter\r\n"
            "  - Battery\r\n"
            "+ Display adapters\r\n"
            "  - Another adapter\r\n"
            "  - Wine display (driver 1.2.3)\r\n"
            "+ Keyboards\r\n"
            "  - Keyboard A\r\n"
            "  - keyboard b (driver 5-6-2021)\r\n"
            "+ Monitors\r\n"
            "  - Generic PnP Monitor");
  EXPECT_EQ(HardwareText({}), "");
}

}  // namespace
}  // namespace quor
