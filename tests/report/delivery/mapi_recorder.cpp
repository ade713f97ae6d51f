// A stand-in Simple MAPI mail program for the tests: registered as the
// system's mail client, its MAPISendMail writes what it was handed (flags,
// subject, text, recipients, attachments) into the file named by
// QUOR_MAPI_RECORD, one "name value" line per item with every text in
// hexadecimal, and answers with the number in QUOR_MAPI_ANSWER (0 when unset).
#include <windows.h>

#include <mapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Hex(const char* text) {
  static const char digits[] = "0123456789abcdef";
  if (!text) return "-";
  std::string out;
  for (const char* c = text; *c; ++c) out += {digits[uint8_t(*c) >> 4], digits[uint8_t(*c) & 15]};
  return out.empty() ? "-" : out;
}

std::string Environment(const char* name) {
  char value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? value : "";
}

}  // namespace

extern "C" __declspec(dllexport) ULONG WINAPI MAPISendMail(LHANDLE, ULONG_PTR, lpMapiMessage message, FLAGS flags, ULONG) {
  std::string record = "flags " + std::to_string(flags) + "\n";
  record += "subject " + Hex(message->lpszSubject) + "\n";
  record += "text " + Hex(message->lpszNoteText) + "\n";
  for (ULONG i = 0; i < message->nRecipCount; ++i) {
    const MapiRecipDesc& r = message->lpRecips[i];
    record += "recipient " + std::to_string(r.ulRecipClass) + " " + Hex(r.lpszName) + " " + Hex(r.lpszAddress) + "\n";
  }
  for (ULONG i = 0; i < message->nFileCount; ++i) {
    const MapiFileDesc& f = message->lpFiles[i];
    record += "file " + std::to_string(static_cast<LONG>(f.nPosition)) + " " + Hex(f.lpszPathName) + " " +
              Hex(f.lpszFileName) + "\n";
  }
  if (FILE* out = std::fopen(Environment("QUOR_MAPI_RECORD").c_str(), "wb")) {
    std::fwrite(record.data(), 1, record.size(), out);
    std::fclose(out);
  }
  return std::strtoul(Environment("QUOR_MAPI_ANSWER").c_str(), nullptr, 10);
}
