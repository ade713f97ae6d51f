#include "report/settings/quorAttachments.h"

#include <gtest/gtest.h>

#include <thread>

namespace quor {
namespace {

struct Recorder : IQuorAttachmentsOwner {
  std::vector<size_t> counts;
  void AttachmentsChanged(const std::vector<AttachmentEntry>& entries) override { counts.push_back(entries.size()); }
};

TEST(Attachments, AddFillsTheNamesAndIgnoresAnEmptyFile) {
  struct Case {
    const char *file, *sendAs, *field, *zip;
    const char *wantSendAs, *wantField;
  };
  const Case cases[] = {
      {"C:\\dir\\report.txt", "", "", "", "report.txt", "report"},
      {"C:\\dir\\report.v2.log", "", "", "z.zip", "report.v2.log", "report.v2"},  // the last "." ends the name
      {"/tmp/noext", "", "", "", "noext", "noext"},
      {"C:\\a.bin", "sent.dat", "", "", "sent.dat", "sent"},
      {"C:\\a.bin", "", "upload", "", "a.bin", "upload"},
  };
  for (const Case& c : cases) {
    auto list = NewQuorAttachments({}, nullptr);
    ASSERT_TRUE(list->Add(c.file, c.sendAs, c.field, c.zip));
    AttachmentEntry e;
    ASSERT_TRUE(list->Item(0, e));
    EXPECT_EQ(e.file, c.file);
    EXPECT_EQ(e.sendAs, c.wantSendAs) << c.file;
    EXPECT_EQ(e.field, c.wantField) << c.file;
    EXPECT_EQ(e.zip, c.zip);
  }
  auto list = NewQuorAttachments({}, nullptr);
  EXPECT_FALSE(list->Add("", "x", "y", "z"));
  EXPECT_EQ(list->Count(), 0);
  AttachmentEntry e{"f", "s", "z", "x"};
  EXPECT_FALSE(list->Item(0, e));
  EXPECT_EQ(e.file, "");
}

TEST(Attachments, OwnerHearsEveryChangeAndACloneHasNoOwner) {
  Recorder owner;
  auto list = NewQuorAttachments({{"a", "a", "", "a"}}, &owner);
  EXPECT_TRUE(list->Add("b", "", "", ""));
  EXPECT_FALSE(list->Delete("missing"));
  EXPECT_TRUE(list->Delete("A"));
  auto copy = list->Clone();
  EXPECT_TRUE(copy->Add("c", "", "", ""));
  list->Clear();
  list->Clear();  // nothing left: no change
  EXPECT_EQ(owner.counts, (std::vector<size_t>{2, 1, 0}));
  EXPECT_EQ(copy->Count(), 2);
}

TEST(Attachments, ConcurrentAddsLoseNothing) {
  Recorder owner;
  auto list = NewQuorAttachments({}, &owner);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&list, t] {
      for (int i = 0; i < 100; ++i) (void)list->Add("f" + std::to_string(t * 100 + i), "", "", "");
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(list->Count(), 400);
  EXPECT_EQ(owner.counts.back(), 400u);  // changes reach the owner in order
}

}  // namespace
}  // namespace quor
