#include <gtest/gtest.h>

#include "link/TcpAnswer.h"

namespace vt {
namespace {

QByteArray Frame(quint16 id, quint8 unit, const QByteArray& pdu, quint16 protocol = 0) {
  QByteArray frame;
  const int length = pdu.size() + 1;
  frame.append(char(id >> 8)).append(char(id & 0xFF));
  frame.append(char(protocol >> 8)).append(char(protocol & 0xFF));
  frame.append(char(length >> 8)).append(char(length & 0xFF));
  frame.append(char(unit)).append(pdu);
  return frame;
}

const QByteArray kWriteEcho("\x06\x00\x01\x00\x08", 5);

TEST(TcpAnswer, HandsOutTheAwaitedAnswerOnceWhole) {
  TcpAnswer answer;
  answer.Expect(7, 1);
  const QByteArray frame = Frame(7, 1, kWriteEcho);
  for (int cut = 1; cut < frame.size(); ++cut) {
    TcpAnswer split;
    split.Expect(7, 1);
    EXPECT_FALSE(split.Add(frame.left(cut))) << cut;
    const auto whole = split.Add(frame.mid(cut));
    ASSERT_TRUE(whole) << cut;
    EXPECT_EQ(*whole, frame);
    EXPECT_EQ(split.Waiting(), 0);
  }
  ASSERT_TRUE(answer.Add(frame));
  EXPECT_FALSE(answer.Add(frame));  // a repeat is not the answer again
}

TEST(TcpAnswer, DropsAnswersOfOtherRequestsUnitsAndProtocols) {
  TcpAnswer answer;
  answer.Expect(8, 1);
  EXPECT_FALSE(answer.Add(Frame(7, 1, kWriteEcho)));
  EXPECT_FALSE(answer.Add(Frame(8, 2, kWriteEcho)));
  EXPECT_FALSE(answer.Add(Frame(8, 1, kWriteEcho, 1)));
  const auto found = answer.Add(Frame(7, 1, kWriteEcho) + Frame(8, 1, kWriteEcho));
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, Frame(8, 1, kWriteEcho));
}

TEST(TcpAnswer, UnfollowableHeaderDropsTheStreamAndResetForgets) {
  TcpAnswer answer;
  answer.Expect(1, 1);
  QByteArray bad = Frame(1, 1, kWriteEcho);
  bad[4] = char(0x10);  // length 4096
  EXPECT_FALSE(answer.Add(bad));
  EXPECT_EQ(answer.Waiting(), 0);
  EXPECT_FALSE(answer.Add(Frame(1, 1, kWriteEcho).left(5)));
  answer.Reset();
  EXPECT_EQ(answer.Waiting(), 0);
  EXPECT_FALSE(answer.Add(Frame(1, 1, kWriteEcho)));  // nothing awaited after a reset
}

}  // namespace
}  // namespace vt
