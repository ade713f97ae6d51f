// A library built with its own copy of the settings code and its own
// settings resource; the test program checks that both copies share one
// record per module.
#include <windows.h>

#include <cstring>

#include "report/settings/quorSettingsLookup.h"

namespace {
quor::QuorPtr<quor::TIQuorSettings> g_held;
}

// Takes a settings object of `module` through this library's copy and
// returns its record.
extern "C" __declspec(dllexport) quor::ModuleSettingsRecord* HoldModuleSettings(uintptr_t module) {
  g_held = quor::CreateModuleSettings(module);
  return g_held->Record();
}

extern "C" __declspec(dllexport) void DropModuleSettings() { g_held = nullptr; }

// A text setting of the held module as this copy reads it (unexpanded).
extern "C" __declspec(dllexport) void HeldSettingText(const char* name, char* out, size_t size) {
  const std::string text = g_held ? g_held->UnexpandedText(name) : std::string();
  lstrcpynA(out, text.c_str(), int(size));
}

extern "C" __declspec(dllexport) uintptr_t LibraryReporterModule() { return quor::ReporterModule(); }
