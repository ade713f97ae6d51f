#include "report/storage/quorBugRepFile.h"

#include <algorithm>
#include <cstring>

namespace quor {

namespace {

constexpr std::string_view kReportStart = "date/time";
constexpr std::string_view kCrcName = "callstack crc";
constexpr std::string_view kCountName = "count";
constexpr std::string_view kReportEnd = "\r\n\r\n";
constexpr size_t kCrcLength = 31;
// "count" + blanks up to the colon + ": " + a 20-digit number + CR LF.
constexpr size_t kCountLineExtra = 2 + 20 + 2;

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

struct HeaderLine {
  size_t begin = 0, end = 0;  // the line without its line break
  size_t colon = std::string_view::npos;
};

// Walks the header lines of a report (up to the first empty line) and calls
// `visit(line, name, value)` until it returns true; returns the line found.
template <class Visit>
bool FindHeaderLine(std::string_view report, Visit visit, HeaderLine& found) {
  size_t pos = 0;
  while (pos < report.size()) {
    size_t end = report.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = report.size();
    const std::string_view line = report.substr(pos, end - pos);
    if (line.empty()) return false;
    const size_t colon = line.find(": ");
    if (colon != std::string_view::npos) {
      HeaderLine h{pos, end, colon};
      if (visit(TrimRight(line.substr(0, colon)), line.substr(colon + 2))) {
        found = h;
        return true;
      }
    }
    if (end < report.size() && report[end] == '\r' && end + 1 < report.size() && report[end + 1] == '\n') ++end;
    pos = end + 1;
  }
  return false;
}

bool FindNamedLine(std::string_view report, std::string_view name, HeaderLine& found, std::string_view& value) {
  return FindHeaderLine(
      report,
      [&](std::string_view n, std::string_view v) {
        if (n != name) return false;
        value = v;
        return true;
      },
      found);
}

bool IsLineStart(const char* buffer, size_t pos) { return pos == 0 || buffer[pos - 1] == '\n'; }

// Start of the report that holds `pos`: its "date/time" line, searched backwards.
size_t ReportStartBefore(std::string_view file, size_t pos) {
  size_t at = pos;
  while (true) {
    at = file.rfind(kReportStart, at);
    if (at == std::string_view::npos) return at;
    if (IsLineStart(file.data(), at)) return at;
    if (at == 0) return std::string_view::npos;
    --at;
  }
}

// End of the report that holds `pos`: the next "date/time" line or the end.
size_t ReportEndAfter(std::string_view file, size_t pos) {
  size_t at = pos;
  while (true) {
    at = file.find(kReportStart, at);
    if (at == std::string_view::npos) return file.size();
    if (IsLineStart(file.data(), at)) return at;
    ++at;
  }
}

bool SameFault(std::string_view stored, std::string_view report) {
  const auto same = [&](std::string_view name) {
    return ReportHeaderValue(stored, name) == ReportHeaderValue(report, name);
  };
  if (!same("executable") || !same("current module") || !same("exception class") || !same("version")) return false;
  if (!ReportHeaderValue(stored, "version").empty()) return true;
  return same("exec. date/time") && same("module date/time");
}

uint64_t StoredCount(std::string_view stored) {
  const std::string_view text = ReportHeaderValue(stored, kCountName);
  if (text.empty() || text.size() > 19) return 1;
  uint64_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 1;
    n = n * 10 + uint64_t(c - '0');
  }
  return n == 0 ? 1 : n;
}

// The "count" line for the new report, aligned to the colon of its
// "callstack crc" line, with its line break.
std::string CountLine(size_t colon, uint64_t count) {
  std::string line(kCountName);
  if (colon > line.size()) line.append(colon - line.size(), ' ');
  line += ": ";
  line += std::to_string(count);
  line += "\r\n";
  return line;
}

}  // namespace

std::string_view ReportHeaderValue(std::string_view report, std::string_view name) {
  HeaderLine line;
  std::string_view value;
  return FindNamedLine(report, name, line, value) ? value : std::string_view();
}

std::string DuplicateKey(std::string_view report, bool noDup, int32_t dupDef) {
  if (!noDup) return {};
  const std::string_view crc = ReportHeaderValue(report, kCrcName);
  if (crc.size() != kCrcLength) return {};
  const size_t keep = dupDef <= 0 ? 9 : dupDef == 1 ? 20 : kCrcLength;
  return std::string(crc.substr(0, keep));
}

size_t BugRepEditCapacity(size_t fileLength, size_t reportLength) {
  // The count line is at most as long as the report's own crc line plus a
  // number and a line break.
  return fileLength + 2 * reportLength + kCountLineExtra + kReportEnd.size();
}

size_t EditBugReportFile(char* buffer, size_t fileLength, size_t capacity, std::string_view report,
                         const TBugRepEditOptions& options) {
  // Without room for the worst case the file stays as it is: nothing may be
  // cut from it unless the new report is written too.
  if (capacity < BugRepEditCapacity(fileLength, report.size())) return fileLength;
  size_t length = options.Append ? fileLength : 0;
  std::string countLine;
  size_t countAt = 0;  // where the count line goes into the new report

  const std::string key = length ? DuplicateKey(report, options.NoDup, options.DupDef) : std::string();
  if (!key.empty()) {
    const std::string needle = ": " + key;
    std::string_view file(buffer, length);
    size_t at = file.size();
    while (at > 0 && (at = file.rfind(needle, at - 1)) != std::string_view::npos) {
      const size_t start = ReportStartBefore(file, at);
      if (start == std::string_view::npos) break;  // nothing before this hit starts a report
      const size_t end = ReportEndAfter(file, at + 1);
      const std::string_view stored = file.substr(start, end - start);
      if (!SameFault(stored, report)) continue;
      HeaderLine crcLine;
      std::string_view crc;
      if (!FindNamedLine(report, kCrcName, crcLine, crc)) break;
      countLine = CountLine(crcLine.colon, StoredCount(stored) + 1);
      countAt = crcLine.end;
      if (countAt == report.size()) {
        countLine = "\r\n" + countLine.substr(0, countLine.size() - 2);  // the crc line was the last line
      } else {
        if (report[countAt] == '\r') ++countAt;
        if (countAt < report.size() && report[countAt] == '\n') ++countAt;
      }
      std::memmove(buffer + start, buffer + end, length - end);
      length -= end - start;
      break;
    }
  }

  if (options.SizeLimit != 0 && length > options.SizeLimit) {
    const size_t keepBelow = options.SizeLimit - options.SizeLimit / 4;
    const std::string_view file(buffer, length);
    size_t at = 1;
    while ((at = file.find(kReportStart, at)) != std::string_view::npos) {
      if (buffer[at - 1] == '\n' && length - at < keepBelow) {
        std::memmove(buffer, buffer + at, length - at);
        length -= at;
        break;
      }
      ++at;
    }
  }

  const size_t needed = length + report.size() + countLine.size() + kReportEnd.size();
  char* out = buffer + length;
  if (countLine.empty()) countAt = report.size();
  std::memcpy(out, report.data(), countAt);
  out += countAt;
  std::memcpy(out, countLine.data(), countLine.size());
  out += countLine.size();
  std::memcpy(out, report.data() + countAt, report.size() - countAt);
  out += report.size() - countAt;
  std::memcpy(out, kReportEnd.data(), kReportEnd.size());
  return needed;
}

}  // namespace quor
