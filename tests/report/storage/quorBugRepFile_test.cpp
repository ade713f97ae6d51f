#include "report/storage/quorBugRepFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using quor::TBugRepEditOptions;

struct Report {
  std::string crc = "$11111111, $22222222, $33333333";
  std::string executable = "Sorvenal.exe";
  std::string exceptionClass = "ERangeError";
  std::string version = "1.0.0.0";
  std::string count;   // stored count line, if any
  std::string filler;  // padding in a section

  std::string Text() const {
    std::string t = "date/time         : 2024-05-17, 14:03:09, 42ms\r\n";
    t += "executable        : " + executable + "\r\n";
    if (!version.empty()) t += "version           : " + version + "\r\n";
    t += "callstack crc     : " + crc + "\r\n";
    if (!count.empty()) t += "count             : " + count + "\r\n";
    t += "exception number  : 1\r\n";
    t += "exception class   : " + exceptionClass + "\r\n\r\nmain thread ($1):\r\n0040a1f0 Sorvenal.exe" + filler;
    return t;
  }
};

std::string Edit(const std::string& file, const std::string& report, TBugRepEditOptions options = {}) {
  std::vector<char> buffer(quor::BugRepEditCapacity(file.size(), report.size()));
  std::copy(file.begin(), file.end(), buffer.begin());
  const size_t length = quor::EditBugReportFile(buffer.data(), file.size(), buffer.size(), report, options);
  return std::string(buffer.data(), length);
}

size_t Occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(BugRepFile, AppendsWithTwoLineBreaks) {
  const std::string a = Report{}.Text();
  Report other;
  other.crc = "$99999999, $22222222, $33333333";
  const std::string file = Edit("", a);
  EXPECT_EQ(file, a + "\r\n\r\n");
  EXPECT_EQ(Edit(file, other.Text()), a + "\r\n\r\n" + other.Text() + "\r\n\r\n");
}

TEST(BugRepFile, ReplacesWithoutAppend) {
  TBugRepEditOptions options;
  options.Append = false;
  const std::string b = Report{}.Text();
  EXPECT_EQ(Edit("old content\r\n", b, options), b + "\r\n\r\n");
}

TEST(BugRepFile, SameFaultTwiceIsStoredOnceWithCount) {
  const std::string a = Report{}.Text();
  const std::string once = Edit("", a);
  const std::string twice = Edit(once, a);
  EXPECT_EQ(Occurrences(twice, "date/time"), 1u);
  // "count" aligned to the colon of the "callstack crc" line, right after it.
  EXPECT_NE(twice.find("callstack crc     : $11111111, $22222222, $33333333\r\ncount             : 2\r\n"),
            std::string::npos);
  const std::string thrice = Edit(twice, a);
  EXPECT_EQ(Occurrences(thrice, "date/time"), 1u);
  EXPECT_NE(thrice.find("count             : 3\r\n"), std::string::npos);
}

TEST(BugRepFile, FoldsOnlyWhatTheDuplicateRulesAllow) {
  const struct {
    const char* name;
    std::string newCrc;
    bool noDup;
    int dupDef;
    std::string newClass, newVersion;
    bool folds;
  } cases[] = {
      {"level 0, first sum agrees", "$11111111, $aaaaaaaa, $bbbbbbbb", true, 0, "ERangeError", "1.0.0.0", true},
      {"level 1, two sums agree", "$11111111, $22222222, $bbbbbbbb", true, 1, "ERangeError", "1.0.0.0", true},
      {"level 1, second differs", "$11111111, $aaaaaaaa, $33333333", true, 1, "ERangeError", "1.0.0.0", false},
      {"level 2, third differs", "$11111111, $22222222, $bbbbbbbb", true, 2, "ERangeError", "1.0.0.0", false},
      {"NoDup off", "$11111111, $22222222, $33333333", false, 2, "ERangeError", "1.0.0.0", false},
      {"other class", "$11111111, $22222222, $33333333", true, 2, "EInOutError", "1.0.0.0", false},
      {"other version", "$11111111, $22222222, $33333333", true, 2, "ERangeError", "1.0.0.1", false},
      {"incomplete crc", "will be calculated soon", true, 0, "ERangeError", "1.0.0.0", false},
      {"crc of 30 characters", "$11111111, $22222222, $3333333", true, 0, "ERangeError", "1.0.0.0", false},
  };
  const std::string stored = Edit("", Report{}.Text());
  for (const auto& c : cases) {
    Report r;
    r.crc = c.newCrc;
    r.exceptionClass = c.newClass;
    r.version = c.newVersion;
    TBugRepEditOptions options;
    options.NoDup = c.noDup;
    options.DupDef = c.dupDef;
    const std::string file = Edit(stored, r.Text(), options);
    EXPECT_EQ(Occurrences(file, "date/time"), c.folds ? 1u : 2u) << c.name;
    EXPECT_EQ(file.substr(file.size() - 4), "\r\n\r\n") << c.name;
  }
}

TEST(BugRepFile, FoldsTheMatchingReportAmongOthersAndKeepsItsCount) {
  Report other;
  other.crc = "$99999999, $22222222, $33333333";
  Report earlier;
  earlier.count = "7";
  const std::string file = Edit(Edit(Edit("", earlier.Text()), other.Text()), other.Text());
  const std::string result = Edit(file, Report{}.Text());
  EXPECT_EQ(Occurrences(result, "date/time"), 2u);
  // The other report stays first; the new one comes last with 7 + 1.
  EXPECT_LT(result.find("$99999999"), result.find("$11111111"));
  EXPECT_NE(result.find("count             : 8\r\n"), std::string::npos);
  EXPECT_NE(result.find("count             : 2\r\n"), std::string::npos);  // the other one folded too
}

TEST(BugRepFile, WithoutVersionsFileDatesMustAgree) {
  Report r;
  r.version.clear();
  const auto withDate = [&](const char* date) {
    std::string t = r.Text();
    t.insert(t.find("callstack crc"), std::string("exec. date/time   : ") + date + "\r\n");
    return t;
  };
  const std::string stored = Edit("", withDate("2024-05-17 14:03"));
  EXPECT_EQ(Occurrences(Edit(stored, withDate("2024-05-17 14:03")), "date/time   :"), 1u);
  EXPECT_EQ(Occurrences(Edit(stored, withDate("2024-05-18 09:00")), "date/time   :"), 2u);
}

TEST(BugRepFile, TrimsOldestReportsAboveTheLimit) {
  TBugRepEditOptions options;
  options.SizeLimit = 100000;
  std::string file;
  for (int i = 0; i < 60; ++i) {
    Report r;
    r.crc = "$" + std::to_string(10000000 + i) + ", $22222222, $33333333";
    r.filler = "\r\n" + std::string(1500, 'x');
    file = Edit(file, r.Text());  // no limit while filling
  }
  ASSERT_GT(file.size(), 100000u);
  Report fresh;
  fresh.crc = "$aaaaaaaa, $22222222, $33333333";
  const std::string trimmed = Edit(file, fresh.Text(), options);
  const size_t kept = trimmed.size() - fresh.Text().size() - 4;
  EXPECT_LT(kept, 75000u);
  EXPECT_GT(kept, 75000u - 1700u);  // the cut is at the first report start that fits
  EXPECT_EQ(trimmed.compare(0, 9, "date/time"), 0);
  EXPECT_EQ(trimmed.substr(0, kept), file.substr(file.size() - kept));

  // At or below the limit nothing is cut.
  const std::string small = file.substr(file.size() - 100000 + 100);
  std::string atLimit = small.substr(small.find("\r\ndate/time") + 2);
  EXPECT_EQ(Edit(atLimit, fresh.Text(), options).substr(0, atLimit.size()), atLimit);
}

TEST(BugRepFile, OddContentIsKeptAndTheReportStillWritten) {
  const std::string garbage[] = {
      std::string("\0\xff\x01", 3) + ": $11111111, $22222222, $33333333\r\n",
      "no report starts here: $11111111, $22222222, $33333333",
      std::string(200000, '\n'),
  };
  TBugRepEditOptions options;
  options.SizeLimit = 100000;
  const std::string report = Report{}.Text();
  for (const auto& file : garbage) {
    const std::string result = Edit(file, report, options);
    ASSERT_GE(result.size(), report.size() + 4);
    EXPECT_EQ(result.substr(result.size() - report.size() - 4), report + "\r\n\r\n");
  }
}

TEST(BugRepFile, TooSmallBufferLeavesTheFileUnchanged) {
  const std::string file = Edit("", Report{}.Text());
  std::vector<char> buffer(file.begin(), file.end());
  EXPECT_EQ(quor::EditBugReportFile(buffer.data(), file.size(), buffer.size(), Report{}.Text(), {}), file.size());
  EXPECT_EQ(std::string(buffer.begin(), buffer.end()), file);
}

}  // namespace
