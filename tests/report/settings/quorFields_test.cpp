#include "report/settings/quorFields.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Listing(quor::IQuorFields& f) {
  std::string out, name, content;
  for (int32_t i = 0; i < f.Count(); ++i) {
    EXPECT_TRUE(f.Item(i, name, content));
    out += name + "=" + content + ";";
  }
  return out;
}

TEST(QuorFields, OperationsOnAList) {
  const struct {
    const char* what;
    bool (*op)(quor::IQuorFieldsEx&);
    bool changed;
    const char* after;
  } cases[] = {
      {"trimmed", [](quor::IQuorFieldsEx& f) { return f.SetContent("D", " \t4\r\n"); }, true, "A=1;B=2;C=3;D=4;"},
      {"same content", [](quor::IQuorFieldsEx& f) { return f.SetContent("b", "2"); }, false, "A=1;B=2;C=3;"},
      {"in place", [](quor::IQuorFieldsEx& f) { return f.SetContent("b", "two"); }, true, "A=1;B=two;C=3;"},
      {"empty deletes", [](quor::IQuorFieldsEx& f) { return f.SetContent("B", "  "); }, true, "A=1;C=3;"},
      {"insert moves", [](quor::IQuorFieldsEx& f) { return f.Insert(0, "c", "x"); }, true, "c=x;A=1;B=2;"},
      {"insert moves down", [](quor::IQuorFieldsEx& f) { return f.Insert(2, "A", "y"); }, true, "B=2;A=y;C=3;"},
      {"insert clamps", [](quor::IQuorFieldsEx& f) { return f.Insert(99, "E", "5"); }, true, "A=1;B=2;C=3;E=5;"},
      {"add moves to end", [](quor::IQuorFieldsEx& f) { return f.Add("a", "1"); }, true, "B=2;C=3;a=1;"},
      {"delete index", [](quor::IQuorFieldsEx& f) { return f.Delete(1); }, true, "A=1;C=3;"},
      {"delete bad index", [](quor::IQuorFieldsEx& f) { return f.Delete(3); }, false, "A=1;B=2;C=3;"},
      {"delete name", [](quor::IQuorFieldsEx& f) { return f.Delete(std::string_view("c")); }, true, "A=1;B=2;"},
      {"refused",
       [](quor::IQuorFieldsEx& f) {
         f.SetRefuseData(true);
         return f.Add("D", "4");
       },
       false, "A=1;B=2;C=3;"},
      {"insertion position keeps order",
       [](quor::IQuorFieldsEx& f) {
         f.SetInsertPosition(1);
         return f.Add("X", "x") && f.SetContent("Y", "y") && f.InsertPosition() == 3;
       },
       true, "A=1;X=x;Y=y;B=2;C=3;"},
  };
  for (const auto& c : cases) {
    auto f = quor::NewQuorFields();
    ASSERT_TRUE(f->Add("A", "1") && f->Add("B", "2") && f->Add("C", "3"));
    EXPECT_EQ(c.op(*f), c.changed) << c.what;
    EXPECT_EQ(Listing(*f), c.after) << c.what;
  }
}

TEST(QuorFields, OwnerHearsEveryChangeUntilDetached) {
  struct Owner : quor::IQuorFieldsOwner {
    std::string seen;
    void FieldsChanged(quor::IQuorFields& f) override { seen += Listing(f) + "|"; }
  } owner;
  auto f = quor::NewQuorFields();
  f->SetOwner(&owner);
  ASSERT_TRUE(f->Add("A", "1"));
  EXPECT_FALSE(f->SetContent("A", "1"));
  ASSERT_TRUE(f->SetContent("A", "2"));
  auto clone = f->Clone();
  ASSERT_TRUE(clone->Add("B", "3"));  // a clone has no owner
  f->SetOwner(nullptr);
  ASSERT_TRUE(f->Delete(0));
  EXPECT_EQ(owner.seen, "A=1;|A=2;|");
  EXPECT_EQ(Listing(*clone), "A=2;B=3;");
}

}  // namespace
