// The bug report file as found on disk: any bytes, folded and trimmed with
// any new report.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "report/storage/quorBugRepFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  quor::TBugRepEditOptions options;
  options.Append = data[0] & 1;
  options.NoDup = data[0] & 2;
  options.DupDef = data[1] % 3;
  options.SizeLimit = data[2] * 16u;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  // The first NUL-free run up to "\x01" is the new report, the rest the file.
  const size_t split = rest.find('\x01');
  const std::string_view report = rest.substr(0, split);
  const std::string_view file = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
  std::vector<char> buffer(quor::BugRepEditCapacity(file.size(), report.size()));
  std::copy(file.begin(), file.end(), buffer.begin());
  const size_t length = quor::EditBugReportFile(buffer.data(), file.size(), buffer.size(), report, options);
  // The new report is always written, at the end, followed by CR LF CR LF.
  if (length > buffer.size() || length < report.size() + 4) abort();
  const std::string_view out(buffer.data(), length);
  if (out.substr(length - 4) != "\r\n\r\n") abort();
  return 0;
}
