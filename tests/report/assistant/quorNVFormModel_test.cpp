#include "report/assistant/quorNVFormModel.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

// Pieces of a form stream.
std::string Short(std::string_view text) { return char(text.size()) + std::string(text); }
std::string Text(std::string_view name, std::string_view value) { return Short(name) + '\x06' + Short(value); }
std::string Ident(std::string_view name, std::string_view value) { return Short(name) + '\x07' + Short(value); }
std::string Flag(std::string_view name, bool value) { return Short(name) + (value ? '\x09' : '\x08'); }
std::string Int16(std::string_view name, int16_t value) {
  return Short(name) + '\x03' + char(value & 0xFF) + char((value >> 8) & 0xFF);
}
std::string Object(std::string_view cls, std::string_view name, const std::string& props,
                   const std::string& children = "") {
  return Short(cls) + Short(name) + props + '\0' + children + '\0';
}

// The contact form as the program stores it.
std::string ContactForm() {
  const std::string items =
      Object("INVButton", "ContinueBtn", Text("Caption", "Continue")) +
      Object("INVButton", "SkipBtn", Text("Caption", "Skip") + Flag("Enabled", false)) +
      Object("INVButton", "AbortBtn", Text("Caption", "Cancel")) + Object("INVLabel", "Label1", Text("Caption", "your name:")) +
      Object("INVEdit", "NameEdit", Text("Optional", "yes") + Text("OutputName", "contact name")) +
      Object("INVLabel", "Label2", Text("Caption", "your email:")) +
      Object("INVEdit", "EmailEdit", Text("OutputName", "contact email") + Text("OutputType", "nvoHeader")) +
      Object("INVCheckBox", "MemCheck", Text("Caption", "remember me"));
  return "TPF0" + Object("TQuorContactForm", "ContactForm",
                         Text("Message", "Contact Information") + Ident("OnAction", "QuorExcept.HandleContactForm") +
                             Int16("MinWidth", 340),
                         items);
}

TEST(NVForm, ReadsTheStoredContactForm) {
  const NVFormRead read = ReadNVForm(ContactForm());
  ASSERT_EQ(read.error, "");
  const NVFormModel& f = read.form;
  EXPECT_EQ(f.name, "ContactForm");
  EXPECT_EQ(f.message, "Contact Information");
  EXPECT_EQ(f.onAction, "QuorExcept.HandleContactForm");
  EXPECT_EQ(f.minWidth, 340);
  ASSERT_EQ(f.items.size(), 8u);  // the three buttons updated in place, then five items
  EXPECT_EQ(f.items[0].caption, "Continue");
  EXPECT_FALSE(f.items[1].enabled);
  EXPECT_EQ(f.items[2].name, "CancelBtn");  // "AbortBtn" is the cancel button
  EXPECT_EQ(f.items[2].caption, "Cancel");
  EXPECT_EQ(f.items[3].kind, NVItemKind::Label);
  EXPECT_TRUE(f.Find("nameedit")->optional);
  EXPECT_EQ(f.Find("MemCheck")->kind, NVItemKind::CheckBox);
}

TEST(NVForm, ContinueWaitsForEveryRequiredEdit) {
  NVFormModel f = ReadNVForm(ContactForm()).form;
  EXPECT_FALSE(f.ContinueAllowed());  // the e-mail edit is empty
  f.Find("EmailEdit")->text = "a@b.c";
  EXPECT_TRUE(f.ContinueAllowed());
  f.Find("EmailEdit")->valid = false;
  EXPECT_FALSE(f.ContinueAllowed());
}

TEST(NVForm, UnknownValueTypeStopsReadingAndKeepsWhatWasRead) {
  const std::string good = Object("INVLabel", "First", Text("Caption", "kept"));
  const std::string bad = Object("INVLabel", "Second", Short("Caption") + '\x05' + std::string(10, '\0'));
  const NVFormRead read = ReadNVForm(Object("TForm", "F", "", good + bad));
  EXPECT_EQ(read.error, "Internal error: Invalid assistant resource (05).");
  ASSERT_NE(read.form.Find("First"), nullptr);
  EXPECT_EQ(read.form.Find("First")->caption, "kept");
  // Cut anywhere, a stream gives a form with what it had, never more.
  const std::string whole = ContactForm();
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    const NVFormRead part = ReadNVForm(whole.substr(0, cut));
    EXPECT_FALSE(part.error.empty()) << cut;
    EXPECT_GE(part.form.items.size(), 3u);
  }
}

TEST(NVForm, DeepNestingIsRefused) {
  std::string nested;
  for (int i = 0; i < 100000; ++i) nested += Short("TX") + Short("x") + '\0';
  const NVFormRead read = ReadNVForm(nested);
  EXPECT_EQ(read.error, "Internal error: Invalid assistant resource (nesting).");
}

TEST(NVForm, PropertyTexts) {
  const std::pair<const char*, bool> bools[] = {{"yes", true}, {"TRUE", true}, {"1", true},
                                                {"no", false}, {"2", false},   {"", false}};
  for (const auto& [text, value] : bools) EXPECT_EQ(NVBoolText(text), value) << text;
  NVItem edit;
  edit.kind = NVItemKind::Edit;
  EXPECT_TRUE(edit.SetProperty("Text", "one%lf%two%lf%"));
  EXPECT_EQ(edit.text, "one\r\ntwo\r\n");
  EXPECT_TRUE(edit.SetProperty("OutputType", "nvoOWNSECTION"));
  EXPECT_EQ(edit.outputType, NVOutputType::OwnSection);
  EXPECT_FALSE(edit.SetProperty("Checked", "yes"));  // not an edit's property
}

// Numbers come as texts; one too large for 32 bits stops at the largest.
TEST(NVForm, NumbersBeyondThirtyTwoBitsStopAtTheLargest) {
  const std::pair<const char*, int32_t> cases[] = {
      {"340", 340}, {"4444444444", INT32_MAX}, {"-4444444444", -INT32_MAX}, {"2147483647", INT32_MAX}};
  for (const auto& [text, width] : cases) {
    const NVFormRead read = ReadNVForm("TPF0" + Object("TQuorContactForm", "ContactForm", Text("MinWidth", text)));
    EXPECT_EQ(read.form.minWidth, width) << text;
  }
}

TEST(NVForm, FinishedFormsGiveHeaderFieldsAndSections) {
  NVFormModel details = EmptyNVForm();
  NVItem memo;
  memo.kind = NVItemKind::Edit;
  memo.name = "DetailsMemo";
  memo.lines = 9;
  memo.outputType = NVOutputType::OwnSection;
  memo.outputName = "error details";
  memo.text = "clicked Calculate";
  details.items.push_back(memo);
  NVItem line = memo;  // one line: a header field even with its own section asked
  line.name = "Line";
  line.lines = 1;
  line.outputName = "summary";
  line.text = "crash";
  details.items.push_back(line);
  NVItem check;
  check.kind = NVItemKind::CheckBox;
  check.outputName = "screenshot attached";
  details.items.push_back(check);
  NVItem silent = memo;  // empty text: not reported
  silent.text.clear();
  silent.outputName = "empty";
  details.items.push_back(silent);
  details.modalResult = nvmrContinue;
  NVFormModel skipped = details;
  skipped.modalResult = nvmrSkip;

  const AssistantResults r = CollectAssistantResults({details, skipped});
  EXPECT_EQ(r.sections, (std::vector<std::pair<std::string, std::string>>{{"error details", "clicked Calculate"}}));
  EXPECT_EQ(r.headers,
            (std::vector<std::pair<std::string, std::string>>{{"summary", "crash"}, {"screenshot attached", "no"}}));
}

}  // namespace
}  // namespace quor
