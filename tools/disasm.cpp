// disasm: the reporter's x86 decoder on a raw code file.
//   disasm --linear FILE BASE           one line per instruction from the file's start:
//                                       address, length, text ("db xx" for an undecodable byte)
//   disasm --function FILE BASE ENTRY   the disassembly text of the function at ENTRY
// BASE and ENTRY are hexadecimal, with or without "0x".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "report/disasm/quorDisAsm.h"

namespace {

bool ParseHex(const char* s, uint32_t& out) {
  if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s += 2;
  if (!*s) return false;
  char* end = nullptr;
  const unsigned long long v = std::strtoull(s, &end, 16);
  if (*end || v > 0xFFFFFFFFull) return false;
  out = static_cast<uint32_t>(v);
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: disasm --linear FILE BASE\n"
               "       disasm --function FILE BASE ENTRY\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Usage();
  const bool linear = std::strcmp(argv[1], "--linear") == 0;
  const bool function = std::strcmp(argv[1], "--function") == 0;
  if ((!linear && !function) || (linear && argc != 4) || (function && argc != 5)) return Usage();
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "disasm: cannot read %s\n", argv[2]);
    return 1;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  uint32_t base = 0, entry = 0;
  if (!ParseHex(argv[3], base) || (function && !ParseHex(argv[4], entry))) return Usage();
  if (uint64_t(base) + bytes.size() > 0x100000000ull) {
    std::fprintf(stderr, "disasm: the file does not fit above BASE\n");
    return 1;
  }
  const uint32_t size = static_cast<uint32_t>(bytes.size());
  quor::TBufferReader reader(base, std::move(bytes));
  const quor::TMemorySnapshot snapshot = quor::BufferSnapshot(reader);

  std::string out;
  if (linear) {
    uint64_t a = base;
    const uint64_t end = uint64_t(base) + size;
    char head[32];
    while (a < end) {
      quor::TDecoded d;
      quor::DecodeInstructionFull(static_cast<uint32_t>(a), &snapshot, nullptr, d, false);
      if (d.Info.Valid) {
        std::snprintf(head, sizeof head, "%08x %u ", uint32_t(a), d.Info.Length());
        out += head;
        out += quor::InstructionText(d);
        a += d.Info.Length();
      } else {
        std::snprintf(head, sizeof head, "%08x 1 db %02x", uint32_t(a), reader.Bytes()[size_t(a - base)]);
        out += head;
        a += 1;
      }
      out += '\n';
      if (out.size() > (1u << 20)) {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
      }
    }
  } else {
    quor::TFunctionInfo info;
    quor::TDisAsmOptions options;
    if (!quor::DisAsmFunction(entry, &snapshot, nullptr, options, out, info)) {
      std::fprintf(stderr, "disasm: %s (error %u at %08x)\n", info.LastErrorStr.c_str(), info.LastErrorNo,
                   info.LastErrorAddr);
      return 1;
    }
    // the report's text breaks lines with CR LF; a terminal tool prints LF
    std::string lf;
    for (char c : out)
      if (c != '\r') lf += c;
    out = lf + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
