// Requests and answers over TCP, with a QTcpServer as the indicator.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <array>

#include "link/AnswerCases.h"
#include "link/FrameText.h"
#include "link/LinkRig.h"

namespace vt {
namespace {

using test::LinkRig;
using test::WaitFor;

QByteArray Header(quint16 id, int length) {
  QByteArray header;
  header.append(char(id >> 8)).append(char(id & 0xFF)).append('\0').append('\0');
  header.append(char(length >> 8)).append(char(length & 0xFF));
  return header;
}

// A whole answer: the header and the unit, function and data bytes.
QByteArray Answer(quint16 id, const QByteArray& unitAndPdu) { return Header(id, unitAndPdu.size()) + unitAndPdu; }

QByteArray PollAnswer(quint8 unit = 1) {
  QByteArray pdu;
  pdu.append(char(unit)).append('\x03').append(char(24));
  for (int r = 0; r < 12; ++r) pdu.append(char(0x10 + r)).append(char(r));
  return pdu;
}

class TcpLink : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    rig = std::make_unique<LinkRig>(server.serverPort());
    ASSERT_TRUE(rig->OpenTcp());
    ASSERT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
    peer = server.nextPendingConnection();
  }
  // The request as the indicator receives it.
  QByteArray Received(qsizetype count) {
    WaitFor([&] { return peer->bytesAvailable() >= count; });
    return peer->read(count);
  }
  void Poll() {
    rig->link.SendRequest(1, "030000000C", 56);
    Received(12);
  }

  QTcpServer server;
  std::unique_ptr<LinkRig> rig;
  QTcpSocket* peer = nullptr;
  std::array<std::int32_t, 51> regs{};
};

TEST_F(TcpLink, PollRequestAndAnswer) {
  EXPECT_EQ(rig->pollTimer.interval(), 10);
  EXPECT_TRUE(rig->leds.IsOn(&rig->IndTCPConOK));
  rig->link.SendRequest(1, "030000000C", 56);
  EXPECT_EQ(Received(12), QByteArray::fromHex("000100000006" "01030000000C"));
  EXPECT_EQ(rig->comm.ExpectedLen, 58);
  EXPECT_TRUE(rig->leds.IsOn(&rig->IndComTx));

  peer->write(Answer(1, PollAnswer()));
  ASSERT_TRUE(rig->AwaitAnswer());
  EXPECT_EQ(rig->comm.TcpCount, 33);
  EXPECT_EQ(rig->comm.RxLampCount, 3);
  regs[12] = -5;
  EXPECT_TRUE(rig->link.ParseResponse(regs));
  EXPECT_TRUE(rig->comm.LinkOK);
  EXPECT_FALSE(rig->comm.TxnBusy);
  EXPECT_EQ(regs[0], 0x1000);
  EXPECT_EQ(regs[11], 0x1B0B);
  EXPECT_EQ(regs[12], -5);
}

TEST_F(TcpLink, WriteOfThreeRegistersAndItsEcho) {
  rig->link.SendRequest(1, "100000000306000800000000", 14);
  EXPECT_EQ(Received(19), QByteArray::fromHex("00010000000D" "01100000000306000800000000"));
  peer->write(Answer(1, QByteArray::fromHex("011000000003")));
  ASSERT_TRUE(rig->AwaitAnswer());
  regs.fill(-1);
  EXPECT_TRUE(rig->link.ParseResponse(regs));
  EXPECT_EQ(regs[0], -1);
}

TEST_F(TcpLink, AnswerSplitAcrossArrivals) {
  Poll();
  const QByteArray answer = Answer(1, PollAnswer());
  const std::array<qsizetype, 6> cuts{0, 3, 6, 7, 20, answer.size() - 1};
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    rig->link.CollectTcpInput(answer.mid(cuts[i], cuts[i + 1] - cuts[i]));
    EXPECT_FALSE(rig->comm.RespDone) << cuts[i];
  }
  rig->link.CollectTcpInput(answer.mid(answer.size() - 1));
  EXPECT_TRUE(rig->comm.RespDone);
  EXPECT_TRUE(rig->link.ParseResponse(regs));
  EXPECT_EQ(regs[11], 0x1B0B);
}

TEST_F(TcpLink, OnlyAFrameThatAnswersTheRequestIsTaken) {
  for (const test::AnswerCase& row : test::kAnswerCases) {
    SCOPED_TRACE(row.what);
    rig->link.SendRequest(1, row.body, row.expectedLen);
    Received(7 + PairCount(QString::fromLatin1(row.body)));
    peer->write(Answer(rig->link.TcpTransId, QByteArray::fromHex(row.frame)));
    regs.fill(-1);
    // Another unit's answer is not the awaited one: the request times out.
    const bool answered = rig->AwaitAnswer();
    EXPECT_EQ(answered && rig->link.ParseResponse(regs), row.answers);
    if (!answered) rig->comm.TxnBusy = false;
    EXPECT_EQ(regs[0], row.answers && row.body[1] == '3' ? 10 : -1);
  }
}

TEST_F(TcpLink, PartOfAnAnswerIsDroppedWithItsRequestAndTheNextAnswerTaken) {
  const qsizetype answerBytes = Answer(1, PollAnswer()).size();
  for (qsizetype at = 1; at < answerBytes; ++at) {
    SCOPED_TRACE(at);
    Poll();
    rig->link.CollectTcpInput(Answer(rig->link.TcpTransId, PollAnswer()).left(at));
    ASSERT_FALSE(rig->AwaitAnswer(1));
    rig->link.AbandonRequest();
    rig->comm.TxnBusy = false;
    Poll();
    rig->link.CollectTcpInput(Answer(rig->link.TcpTransId, PollAnswer()));
    ASSERT_TRUE(rig->comm.RespDone);
    regs.fill(0);
    EXPECT_TRUE(rig->link.ParseResponse(regs));
    EXPECT_EQ(regs[11], 0x1B0B);
  }
}

TEST_F(TcpLink, LateAnswerBeforeTheRightOneInOneArrival) {
  Poll();
  ASSERT_FALSE(rig->AwaitAnswer(1));  // times out: the request is abandoned
  rig->comm.TxnBusy = false;
  Poll();
  QByteArray late = Answer(1, PollAnswer());
  late[10] = char(0x7F);
  peer->write(late + Answer(2, PollAnswer()));
  ASSERT_TRUE(rig->AwaitAnswer());
  EXPECT_TRUE(rig->link.ParseResponse(regs));
  EXPECT_EQ(regs[0], 0x1000);  // not 7F00 from the late answer
}

TEST_F(TcpLink, AnswerWithAnotherTransactionOrUnitTimesOut) {
  Poll();
  peer->write(Answer(9, PollAnswer()));
  peer->write(Answer(1, PollAnswer(2)));
  EXPECT_FALSE(rig->AwaitAnswer(1));
  EXPECT_TRUE(rig->comm.TimedOut);
  EXPECT_TRUE(rig->comm.TcpBuf.isEmpty());
}

TEST_F(TcpLink, ExceptionAnswerFailsWithTheLinkGood) {
  Poll();
  peer->write(Answer(1, QByteArray::fromHex("018302")));
  ASSERT_TRUE(rig->AwaitAnswer());
  EXPECT_FALSE(rig->link.ParseResponse(regs));
  EXPECT_TRUE(rig->comm.LinkOK);
  EXPECT_FALSE(rig->comm.TxnBusy);
}

TEST_F(TcpLink, TransactionIdentifierWrapsToZero) {
  rig->link.TcpTransId = 0xFFFF;
  rig->link.SendRequest(7, "0600010008", 14);
  EXPECT_EQ(Received(12), QByteArray::fromHex("000000000006" "070600010008"));
  EXPECT_EQ(rig->link.TcpTransId, 0);
}

TEST_F(TcpLink, NothingIsSentWhileNotConnected) {
  rig->link.Winsock1.Close();
  rig->link.SendRequest(1, "030000000C", 56);
  EXPECT_EQ(rig->link.TcpTransId, 0);
  EXPECT_TRUE(rig->comm.TxnBusy);
  EXPECT_FALSE(rig->AwaitAnswer(1));
  EXPECT_EQ(peer->bytesAvailable(), 0);
}

}  // namespace
}  // namespace vt
