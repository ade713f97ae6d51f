// The program's three assistant forms, as the layout writer stores them,
// read by the assistant's own reader.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "report/assistant/quorNVFormModel.h"

namespace quor {
namespace {

// The build tree's path; under Wine the Linux root is drive Z:.
#ifdef _WIN32
constexpr char kRoot[] = "Z:";
#else
constexpr char kRoot[] = "";
#endif

NVFormModel Stored(const std::string& name) {
  std::ifstream in(std::string(kRoot) + QUOR_ASSISTANT_FORMS + "/" + name + ".bin", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const NVFormRead read = ReadNVForm(bytes.str());
  EXPECT_EQ(read.error, "") << name;
  return read.form;
}

TEST(StoredForms, ContactForm) {
  const NVFormModel f = Stored("ContactForm");
  EXPECT_EQ(f.name, "ContactForm");
  EXPECT_EQ(f.message, "Contact Information");
  EXPECT_EQ(f.onAction, "QuorExcept.HandleContactForm");
  ASSERT_EQ(f.items.size(), 8u);
  EXPECT_EQ(f.items[0].caption, "Continue");
  EXPECT_FALSE(f.items[1].enabled);
  EXPECT_TRUE(f.Find("NameEdit")->optional);
  EXPECT_EQ(f.Find("NameEdit")->outputName, "contact name");
  EXPECT_FALSE(f.Find("EmailEdit")->optional);
  EXPECT_EQ(f.Find("EmailEdit")->outputName, "contact email");
  EXPECT_EQ(f.Find("MemCheck")->caption, "remember me");
}

TEST(StoredForms, DetailsForm) {
  const NVFormModel f = Stored("DetailsForm");
  EXPECT_EQ(f.message, "Error Details");
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(f.items[size_t(i)].enabled);
  const NVItem* memo = f.Find("DetailsMemo");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->lines, 9);
  EXPECT_EQ(memo->outputType, NVOutputType::OwnSection);
  EXPECT_EQ(memo->outputName, "error details");
  EXPECT_EQ(f.Find("Label1")->caption, "in which situation did the error occur?");
}

TEST(StoredForms, ScreenshotForm) {
  const NVFormModel f = Stored("ScrShotForm");
  EXPECT_EQ(f.message, "Screenshot Configuration");
  EXPECT_EQ(f.activeControl, "ContinueBtn");
  EXPECT_EQ(f.onAction, "QuorExcept.HandleScreenshotForm");
  EXPECT_EQ(f.timer, 250);
  EXPECT_FALSE(f.items[1].enabled);
  EXPECT_TRUE(f.Find("AttachCheck")->checked);
  EXPECT_TRUE(f.Find("ScrShotImg")->clickable);
  EXPECT_TRUE(f.Find("ScrShotImg")->border);
  EXPECT_EQ(f.Find("Label1")->caption, "(click to edit image)");
}

}  // namespace
}  // namespace quor
