#include "report/delivery/quorSmtpReply.h"

#include <gtest/gtest.h>

#include "report/delivery/quorSmtpData.h"

namespace {

using quor::SmtpReplyStatus;

// Feeds `bytes` in pieces of `piece` bytes; the status after the last piece.
SmtpReplyStatus FeedInPieces(quor::SmtpReplyReader& reader, std::string_view bytes, size_t piece) {
  SmtpReplyStatus status = SmtpReplyStatus::NeedMore;
  for (size_t at = 0; at < bytes.size(); at += piece) {
    status = reader.Feed(bytes.substr(at, piece));
    if (status != SmtpReplyStatus::NeedMore) {
      EXPECT_GE(at + piece, bytes.size()) << "complete too early";
    }
  }
  return status;
}

TEST(SmtpReply, JoinsRepliesSplitAnywhere) {
  const struct {
    const char* bytes;
    int code;
    std::vector<std::string> lines;
  } cases[] = {
      {"220 mail.test ESMTP ready\r\n", 220, {"mail.test ESMTP ready"}},
      {"250-mail.test\r\n250-AUTH LOGIN PLAIN\r\n250 8BITMIME\r\n", 250, {"mail.test", "AUTH LOGIN PLAIN", "8BITMIME"}},
      {"354\r\n", 354, {""}},
      {"221 bye\n", 221, {"bye"}},  // a bare LF ends a line too
  };
  for (const auto& c : cases)
    for (size_t piece : {1u, 2u, 5u, 1000u}) {
      SCOPED_TRACE(std::string(c.bytes) + " in pieces of " + std::to_string(piece));
      quor::SmtpReplyReader reader;
      ASSERT_EQ(FeedInPieces(reader, c.bytes, piece), SmtpReplyStatus::Complete);
      EXPECT_EQ(reader.Reply().code, c.code);
      EXPECT_EQ(reader.Reply().lines, c.lines);
    }
}

TEST(SmtpReply, BytesAfterAReplyStartTheNext) {
  quor::SmtpReplyReader reader;
  ASSERT_EQ(reader.Feed("250 one\r\n334 VXNlcm5hbWU6\r\n5"), SmtpReplyStatus::Complete);
  EXPECT_EQ(reader.Reply().code, 250);
  ASSERT_EQ(reader.Next(), SmtpReplyStatus::Complete);
  EXPECT_EQ(reader.Reply().lines, std::vector<std::string>{"VXNlcm5hbWU6"});
  EXPECT_EQ(reader.Next(), SmtpReplyStatus::NeedMore);
  EXPECT_EQ(reader.Feed("50 bad\r\n"), SmtpReplyStatus::Complete);
  EXPECT_EQ(reader.Reply().code, 550);
}

TEST(SmtpReply, RefusesWhatIsNoReply) {
  for (const char* bytes : {"hello\r\n", "25\r\n", "250-a\r\n251 b\r\n", "250+x\r\n", "650 x\r\n", "2a0 x\r\n"}) {
    quor::SmtpReplyReader reader;
    EXPECT_EQ(reader.Feed(bytes), SmtpReplyStatus::Malformed) << bytes;
  }
}

TEST(SmtpReply, AnEndlessReplyStopsAtItsLimit) {
  quor::SmtpReplyReader endlessLines, endlessLine;
  const std::string line = "250-" + std::string(60, 'x') + "\r\n";
  SmtpReplyStatus status = SmtpReplyStatus::NeedMore;
  size_t fed = 0;
  while (status == SmtpReplyStatus::NeedMore && fed < 2 * quor::kMaxSmtpReplyBytes) {
    status = endlessLines.Feed(line);
    fed += line.size();
  }
  EXPECT_EQ(status, SmtpReplyStatus::TooLong);
  EXPECT_LE(fed, quor::kMaxSmtpReplyBytes + line.size());
  // One byte at a time without a line end: stopped too, and quickly (the
  // bytes already searched are not searched again).
  status = endlessLine.Feed("220 ");
  for (fed = 0; status == SmtpReplyStatus::NeedMore && fed < 2 * quor::kMaxSmtpReplyBytes; ++fed)
    status = endlessLine.Feed("x");
  EXPECT_EQ(status, SmtpReplyStatus::TooLong);
}

std::string DataSent(const std::vector<std::string_view>& writes, std::vector<size_t>* pieces = nullptr) {
  std::string sent;
  quor::SmtpDataWriter writer([&](std::string_view piece) {
    if (pieces) pieces->push_back(piece.size());
    sent.append(piece);
    return true;
  });
  for (std::string_view text : writes) EXPECT_TRUE(writer.Write(text));
  EXPECT_TRUE(writer.Finish());
  return sent;
}

TEST(SmtpData, DoublesLeadingDotsAndEndsWithALoneDot) {
  EXPECT_EQ(DataSent({".\r\n"}), "..\r\n.\r\n");
  EXPECT_EQ(DataSent({"a\r\n.\r\n..b\r\nc.d\r\n"}), "a\r\n..\r\n...b\r\nc.d\r\n.\r\n");
  EXPECT_EQ(DataSent({"a\r", "\n", ".", "x\r\n"}), "a\r\n..x\r\n.\r\n");  // a line start across writes
  EXPECT_EQ(DataSent({".no end"}), "..no end\r\n.\r\n");
  EXPECT_EQ(DataSent({}), ".\r\n");
}

TEST(SmtpData, SendsPiecesOfAtMost1024Bytes) {
  std::string text;
  while (text.size() < 5000) text += ".line of text\r\n";
  std::vector<size_t> pieces;
  const std::string sent = DataSent({text.substr(0, 777), text.substr(777)}, &pieces);
  for (size_t piece : pieces) EXPECT_LE(piece, quor::kSmtpPieceBytes);
  EXPECT_EQ(sent.size(), text.size() + text.size() / 15 + 3);  // one extra "." per line, then ".\r\n"
}

TEST(SmtpData, SameBytesHoweverTheTextIsCut) {
  std::string text;
  for (int line = 0; text.size() < 9000; ++line)
    text += (line % 3 == 0 ? "." : "") + std::string(size_t(line * 37 % 1500), 'a' + char(line % 26)) + "\r\n";
  std::string stuffed;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '.' && (i == 0 || text[i - 1] == '\n')) stuffed += '.';
    stuffed += text[i];
  }
  stuffed += ".\r\n";
  for (size_t cut : {size_t(1), size_t(2), size_t(77), size_t(1023), size_t(1024), size_t(1025), size_t(5000)}) {
    SCOPED_TRACE(cut);
    std::vector<std::string_view> writes;
    for (size_t at = 0; at < text.size(); at += cut) writes.push_back(std::string_view(text).substr(at, cut));
    std::vector<size_t> pieces;
    EXPECT_EQ(DataSent(writes, &pieces), stuffed);
    // Whole pieces until the last.
    for (size_t i = 0; i + 1 < pieces.size(); ++i) EXPECT_EQ(pieces[i], quor::kSmtpPieceBytes);
  }
}

TEST(SmtpData, AFailedPieceStopsTheWriter) {
  int calls = 0;
  quor::SmtpDataWriter writer([&](std::string_view) { return ++calls < 2; });
  EXPECT_FALSE(writer.Write(std::string(3000, 'x')));
  EXPECT_FALSE(writer.Write("more"));
  EXPECT_FALSE(writer.Finish());
  EXPECT_EQ(calls, 2);
}

}  // namespace
