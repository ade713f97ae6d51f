// Column detection: which positions become boundaries, strict and not, and
// the rows with their separators.
#include "report/box/quorDetectColumns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quor {
namespace {

struct Case {
  const char* name;
  std::string text;
  bool strict;
  std::vector<size_t> starts;
  std::vector<std::string> rows;
};

TEST(DetectColumns, BoundariesAndRows) {
  const Case cases[] = {
      {"a run of blanks gives one boundary", "ab   cd\r\nxy   zw", false, {5}, {"ab  \tcd", "xy  \tzw"}},
      {"'=' and its blanks are one boundary and become blanks", "eax = 1\r\nebx = 2", true, {6}, {"eax  \t1", "ebx  \t2"}},
      {"'|' separates", "a|b|c\r\nd|e|f", true, {2, 4}, {"a\tb\tc", "d\te\tf"}},
      {"': ' separates, ':' alone does not", "k: v:w\r\nl: x:y", true, {3}, {"k \tv:w", "l \tx:y"}},
      {"a line with another character there stops the boundary", "ab cd\r\nabxcd", false, {}, {"ab cd", "abxcd"}},
      {"shorter lines do not count", "a b c d\r\nx y", false, {2, 4, 6}, {"a\tb\tc\td", "x\ty"}},
      {"'>>' lines take no part", "a b\r\n>> c d e f\r\nx y", false, {2}, {"a\tb", ">> c d e f", "x\ty"}},
      {"strict: a blank inside a value of one line is no boundary",
       "01 C:\\Program Files\\a\r\n02 C:\\x\\b         \r\n03 C:\\y\\c", true, {3},
       {"01\tC:\\Program Files\\a", "02\tC:\\x\\b", "03\tC:\\y\\c"}},
      {"not strict: the same blank cuts", "01 C:\\Program Files\\a\r\n02 C:\\x\\b         ", false, {3, 14},
       {"01\tC:\\Program\tFiles\\a", "02\tC:\\x\\b    \t"}},
      {"strict with a single line of text cuts at every blank", "a b c", true, {2, 4}, {"a\tb\tc"}},
      {"first and last two positions never cut", " ab \r\n cd ", false, {}, {"ab", "cd"}},
      {"empty text", "", true, {}, {""}},
  };
  for (const Case& c : cases) {
    const TColumnCut cut = DetectColumns(c.text, c.strict);
    EXPECT_EQ(cut.Starts, c.starts) << c.name;
    EXPECT_EQ(cut.Rows, c.rows) << c.name;
  }
}

// A 10,000-character line among short ones: the detection reads each
// character a bounded number of times (checked by the benchmark for speed).
TEST(DetectColumns, LongLineAmongShortOnes) {
  std::string text(10000, 'x');
  for (size_t i = 7; i < text.size(); i += 8) text[i] = ' ';
  for (int i = 0; i < 200; ++i) text += "\r\nabcdefg hij";
  const TColumnCut cut = DetectColumns(text, true);
  ASSERT_FALSE(cut.Starts.empty());
  EXPECT_EQ(cut.Starts.front(), 8u);
  EXPECT_EQ(cut.Rows[1], "abcdefg\thij");
}

}  // namespace
}  // namespace quor
