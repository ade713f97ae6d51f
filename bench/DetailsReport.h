// A report of about a given size for the details view's benchmarks: many
// threads' call stacks, modules, processes, registers and a disassembly, as
// the reporter writes them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "report/box/quorBoxReportPart.h"

namespace bench {

inline std::string Hex8(uint32_t v) {
  char b[9];
  std::snprintf(b, sizeof b, "%08x", v);
  return b;
}

// About `bytes` of report text in its sections.
inline std::vector<quor::TBoxReportPart> DetailsReportSections(size_t bytes) {
  std::vector<quor::TBoxReportPart> sections;
  size_t total = 0;
  for (uint32_t t = 0; total < bytes / 2; ++t) {
    std::string text;
    for (uint32_t i = 0; i < 40; ++i) {
      if (!text.empty()) text += "\r\n";
      text += Hex8(0x401000 + i * 0x35) + " +" + Hex8(i * 7).substr(5) + " Sorvenal.exe FormMain.cpp " +
              std::to_string(100 + i) + " +" + std::to_string(i % 9) + " TFormMain::Handler" + std::to_string(i);
    }
    total += text.size();
    sections.push_back({t == 0 ? "main thread ($1a4):" : "thread $" + std::to_string(t) + ":", text});
  }
  std::string modules, processes;
  for (uint32_t i = 0; modules.size() < bytes / 4; ++i)
    modules += Hex8(0x10000000 + i * 0x10000) + " module" + std::to_string(i % 1000) +
               ".dll   6.1.7601.17514 C:\\windows\\system32\r\n";
  for (uint32_t i = 0; processes.size() < bytes / 4; ++i)
    processes += Hex8(i).substr(4) + " process" + std::to_string(i % 1000) + ".exe 1 normal C:\\Program Files\\x\r\n";
  sections.push_back({"modules", modules});
  sections.push_back({"processes", processes});
  sections.push_back({"cpu registers", "eax = 0012ff40\r\nebx = 00000000\r\necx = 7c80ac61"});
  sections.push_back({"disassembling", "00401000   push    ebp\r\n00401001 > mov     ebp, esp  ; x\r\n00401003   ret"});
  return sections;
}

}  // namespace bench
