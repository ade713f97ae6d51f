#include "skin/sMessageBoxStyle.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(MessageBoxStyle, ButtonSetsAndKinds) {
  const struct {
    TMsgKind kind;
    uint16_t buttons;
    const char* caption;
    uint32_t flags;
  } cases[] = {
      {TMsgKind::Warning, mbOK, "Warning", mbs::Ok | mbs::IconWarning},
      {TMsgKind::Error, mbOK | mbCancel, "Error", mbs::OkCancel | mbs::IconError},
      {TMsgKind::Information, mbAbort | mbRetry | mbIgnore, "Information", mbs::AbortRetryIgnore | mbs::IconInformation},
      {TMsgKind::Confirm, mbIgnore, "Confirm", mbs::AbortRetryIgnore | mbs::IconQuestion},
      {TMsgKind::Confirm, mbYes | mbNo | mbCancel, "Confirm", mbs::YesNoCancel | mbs::IconQuestion},
      {TMsgKind::Confirm, mbYes | mbNo, "Confirm", mbs::YesNo | mbs::IconQuestion},
      {TMsgKind::Warning, mbRetry | mbCancel, "Warning", mbs::RetryCancel | mbs::IconWarning},
      {TMsgKind::Warning, mbOK | mbHelp, "Warning", mbs::Ok | mbs::Help | mbs::IconWarning},
      {TMsgKind::Error, mbCancel, "Error", mbs::Ok | mbs::IconError},
  };
  for (const auto& c : cases) {
    const TMessageBoxStyle s = MessageBoxStyle(c.kind, c.buttons);
    EXPECT_EQ(s.Caption, c.caption) << c.buttons;
    EXPECT_EQ(s.Flags, c.flags) << c.buttons;
  }
}

TEST(MessageBoxStyle, CancelAloneAnswersCancel) {
  EXPECT_EQ(MessageBoxAnswer(mbCancel, mbs::IdOk), mbs::IdCancel);
  EXPECT_EQ(MessageBoxAnswer(mbCancel | mbHelp, mbs::IdOk), mbs::IdCancel);
  EXPECT_EQ(MessageBoxAnswer(mbOK, mbs::IdOk), mbs::IdOk);
  EXPECT_EQ(MessageBoxAnswer(mbOK | mbCancel, mbs::IdCancel), mbs::IdCancel);
}

}  // namespace
}  // namespace skin
