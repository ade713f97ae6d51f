#include "report/delivery/quorMailDate.h"

#include <cstdint>
#include <cstdio>

namespace quor {

namespace {

using FileTimeTicks = std::chrono::duration<int64_t, std::ratio<1, 10000000>>;
// File times count from 1601-01-01, 369 years (89 of them leap years)
// before the Unix epoch.
constexpr FileTimeTicks kFileTimeAtUnixEpoch = std::chrono::seconds(11644473600);

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

std::string MailDate(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss clock{floor<seconds>(time - day)};
  char text[48];
  std::snprintf(text, sizeof text, "%u %s %d %02d:%02d:%02d +0000", unsigned(date.day()),
                kMonths[unsigned(date.month()) - 1], int(date.year()), int(clock.hours().count()),
                int(clock.minutes().count()), int(clock.seconds().count()));
  return text;
}

std::string MessageId(std::chrono::system_clock::time_point time) {
  const auto ticks = std::chrono::duration_cast<FileTimeTicks>(time.time_since_epoch()) + kFileTimeAtUnixEpoch;
  char text[40];
  std::snprintf(text, sizeof text, "<%016llx@QuorExcept>", static_cast<unsigned long long>(ticks.count()));
  return text;
}

}  // namespace quor
