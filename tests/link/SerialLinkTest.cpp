// Requests and answers on a serial port, played on a pseudo-terminal.
#include <gtest/gtest.h>

#include <array>

#include "link/AnswerCases.h"
#include "link/FrameText.h"
#include "link/LinkRig.h"
#include "support/PtyPair.h"

namespace vt {
namespace {

using test::LinkRig;
using test::PtyPair;
using test::WaitFor;

const QString kPollBody = QStringLiteral("030000000C");
constexpr int kPollExpected = 56;

// The body of a function-03 answer of slave 1 with the given registers.
QString ReadAnswer(std::initializer_list<int> registers) {
  QString text = QStringLiteral("0103") + Hex2(2 * static_cast<int>(registers.size()));
  for (int value : registers) text += Hex4(value);
  return text;
}

QByteArray AsciiFrame(const QString& text) { return (QLatin1Char(':') + AppendLRC(text) + "\r\n").toLatin1(); }

QByteArray RtuFrame(const QString& text) {
  std::array<std::uint8_t, 256> bytes{};
  const QString framed = AppendCRC(text);
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), HexToBytes(framed, bytes));
}

const std::initializer_list<int> kTwelve = {0, 1, 2, 0x0200, 4, 0x0100, 1234, 7, 2345, 0, 0xFFFE, 0xFFFF};

class SerialLink : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty.Ok());
    rig.folder.LinkPort(1, pty.SlavePath());
  }
  // One request on the port, `frame` (framed for the mode; none: silence)
  // as the indicator's answer; the check's result, nothing on a time-out.
  std::optional<bool> Exchange(bool rtu, const QString& body, int expectedLen, const QString& frame) {
    rig.link.SendRequest(1, body, expectedLen);
    EXPECT_TRUE(WaitFor([&] { return rig.comm.TxActive == 0; }));
    if (rtu) {
      pty.Read(static_cast<int>(PairCount(body)) + 3);
    } else {
      pty.ReadUntil("\r\n");
    }
    if (!frame.isEmpty()) pty.Write(rtu ? RtuFrame(frame) : AsciiFrame(frame));
    if (!rig.AwaitAnswer()) {
      rig.link.AbandonRequest();
      rig.comm.TxnBusy = false;
      return std::nullopt;
    }
    return rig.link.ParseResponse(regs);
  }
  // Hands the bytes to the program and waits until its receive event ran.
  void Arrive(const QByteArray& bytes) {
    const qsizetype before = rig.comm.RxBuf.size();
    pty.Write(bytes);
    ASSERT_TRUE(WaitFor([&] { return rig.comm.RxBuf.size() > before; }));
  }

  PtyPair pty;
  LinkRig rig;
  std::array<std::int32_t, 51> regs{};
};

TEST_F(SerialLink, AsciiPollRequestAndChunkedAnswer) {
  ASSERT_TRUE(rig.OpenSerial(1, false, "9600,e,7,1"));
  rig.link.SendRequest(1, kPollBody, kPollExpected);
  EXPECT_EQ(pty.Read(17), ":01030000000CF0\r\n");
  EXPECT_EQ(rig.comm.ExpectedLen, 56);
  EXPECT_TRUE(rig.comm.TxnBusy);
  EXPECT_EQ(rig.comm.TxLampCount, 0);  // ASCII requests do not light the transmit lamp

  const QByteArray answer = AsciiFrame(ReadAnswer(kTwelve));
  ASSERT_EQ(answer.size(), 1 + 56 + 2);
  Arrive(answer.left(20));
  EXPECT_FALSE(rig.comm.RespDone);
  EXPECT_EQ(rig.comm.RxLampCount, 3);
  Arrive(answer.mid(20, answer.size() - 21));  // up to the CR
  EXPECT_FALSE(rig.comm.RespDone);
  Arrive(answer.right(1));
  EXPECT_TRUE(rig.comm.RespDone);

  regs[12] = -7;
  EXPECT_TRUE(rig.link.ParseResponse(regs));
  EXPECT_TRUE(rig.comm.LinkOK);
  EXPECT_FALSE(rig.comm.TxnBusy);
  EXPECT_EQ(regs[3], 0x0200);
  EXPECT_EQ(regs[6], 1234);
  EXPECT_EQ(regs[10], 0xFFFE);
  EXPECT_EQ(regs[11], 0xFFFF);
  EXPECT_EQ(regs[12], -7);  // untouched beyond the answer
}

TEST_F(SerialLink, RtuPollRequestAndChunkedAnswer) {
  ASSERT_TRUE(rig.OpenSerial(1, true));
  rig.link.SendRequest(1, kPollBody, kPollExpected);
  EXPECT_EQ(pty.Read(8), QByteArray::fromHex("01030000000C45CF"));
  EXPECT_EQ(rig.comm.ExpectedLen, 58);
  EXPECT_EQ(rig.comm.TxLampCount, 3);
  EXPECT_TRUE(rig.leds.IsOn(&rig.IndComTx));

  const QByteArray answer = RtuFrame(ReadAnswer(kTwelve));
  ASSERT_EQ(answer.size(), 29);
  Arrive(answer.left(10));
  EXPECT_FALSE(rig.comm.RespDone);
  EXPECT_EQ(rig.LabTracer.text(), "Len:20\n\rExp:58");
  Arrive(answer.mid(10, 18));
  EXPECT_FALSE(rig.comm.RespDone);
  EXPECT_EQ(rig.comm.RxLampCount, 0);  // RTU lights the receive lamp on completion only
  Arrive(answer.right(1));
  EXPECT_TRUE(rig.comm.RespDone);
  EXPECT_EQ(rig.comm.RxLampCount, 3);

  EXPECT_TRUE(rig.link.ParseResponse(regs));
  EXPECT_TRUE(rig.comm.LinkOK);
  EXPECT_EQ(regs[8], 2345);
  EXPECT_EQ(regs[10], 0xFFFE);
}

TEST_F(SerialLink, InputDuringSendingIsThrownAway) {
  ASSERT_TRUE(rig.OpenSerial(1, true));
  rig.comm.TxActive = -1;
  pty.Write("\x01\x02\x03");
  ASSERT_TRUE(WaitFor([&] { return rig.link.Comm.InBufferCount() == 0 && rig.comm.RxBuf.isEmpty(); }));
  rig.comm.TxActive = 0;
  // After the request has gone out only the answer is collected.
  rig.link.SendRequest(1, "0600010008", 14);
  pty.Read(8);
  const QByteArray echo = RtuFrame("0106" "0001" "0008");
  Arrive(echo);
  EXPECT_EQ(rig.comm.RxBuf, BytesToHex(echo, echo.size()));
  EXPECT_TRUE(rig.link.ParseResponse(regs));
}

TEST_F(SerialLink, RtuExceptionCompletesAtOnceAndLeavesTheLinkGood) {
  ASSERT_TRUE(rig.OpenSerial(1, true));
  rig.link.SendRequest(1, kPollBody, kPollExpected);
  pty.Read(8);
  Arrive(RtuFrame("018302"));
  EXPECT_TRUE(rig.comm.RespDone);
  EXPECT_FALSE(rig.link.ParseResponse(regs));
  EXPECT_TRUE(rig.comm.LinkOK);
  EXPECT_FALSE(rig.comm.TxnBusy);
}

// Only three bytes carrying the request's function with bit 80h set are the
// slave's exception; any other short frame means a broken line.
TEST_F(SerialLink, AsciiExceptionFailsWithTheLinkGood) {
  ASSERT_TRUE(rig.OpenSerial(1, false));
  const std::tuple<QString, const char*, bool> rows[] = {
      {kPollBody, "018302", true}, {kPollBody, "01830200", false}, {"0600010008", "010602", false}};
  for (const auto& [body, frame, exception] : rows) {
    SCOPED_TRACE(frame);
    rig.comm.LinkOK = true;
    rig.link.SendRequest(1, body, kPollExpected);
    pty.Read(17);
    Arrive(AsciiFrame(frame));
    EXPECT_TRUE(rig.comm.RespDone);
    EXPECT_FALSE(rig.link.ParseResponse(regs));
    EXPECT_EQ(rig.comm.LinkOK, exception);
  }
}

TEST_F(SerialLink, OnlyAFrameThatAnswersTheRequestIsTaken) {
  for (const bool rtu : {false, true}) {
    ASSERT_TRUE(rig.OpenSerial(1, rtu));
    for (const test::AnswerCase& row : test::kAnswerCases) {
      SCOPED_TRACE(testing::Message() << (rtu ? "RTU: " : "ASCII: ") << row.what);
      regs.fill(-1);
      // A short frame never completes in RTU: the request times out.
      EXPECT_EQ(Exchange(rtu, row.body, row.expectedLen, row.frame).value_or(false), row.answers);
      EXPECT_EQ(regs[0], row.answers && row.body[1] == '3' ? 10 : -1);
    }
  }
}

TEST_F(SerialLink, AnAnswerTooLateForItsRequestDoesNotAnswerTheNextOne) {
  for (const bool rtu : {false, true}) {
    ASSERT_TRUE(rig.OpenSerial(1, rtu));
    // The failure-reset command goes unanswered; its answer comes while
    // register 0 is read back, where a read's answer is awaited.
    EXPECT_FALSE(Exchange(rtu, "060000000C", 14, {}).has_value());
    EXPECT_EQ(Exchange(rtu, "0300000001", 12, "01060000000C"), false);
    EXPECT_EQ(Exchange(rtu, "0300000001", 12, "0103020000"), true);
  }
}

TEST_F(SerialLink, ASlowRequestGoesOutAfterTheSenderHasReturned) {
  // 59 characters at 1200 bit/s take half a second. The sender runs no
  // event loop, so nothing else runs inside it; the line stays taken, and
  // input such as the line's echo is thrown away, until the last byte has
  // gone out. Only then is the request armed.
  ASSERT_TRUE(rig.OpenSerial(1, false, "1200,n,8,1"));
  QString body = "10" + Hex4(0) + Hex4(10) + Hex2(20);
  for (int i = 0; i < 10; ++i) body += Hex4(i);
  bool ranInsideTheSender = false;
  QTimer::singleShot(0, [&] { ranInsideTheSender = true; });
  rig.comm.TickCount = 5;
  rig.link.SendRequest(1, body, 14);
  EXPECT_FALSE(ranInsideTheSender);
  EXPECT_TRUE(rig.comm.TxnBusy);
  EXPECT_NE(rig.comm.TxActive, 0);
  pty.Write("echo");
  EXPECT_EQ(pty.Read(59).size(), 59);
  ASSERT_TRUE(WaitFor([&] { return rig.comm.TxActive == 0; }));
  EXPECT_TRUE(rig.comm.TxnBusy);
  EXPECT_EQ(rig.comm.TickCount, 0);
  EXPECT_TRUE(rig.comm.RxBuf.isEmpty());
}

TEST_F(SerialLink, RequestTooLongForTheBufferIsNotSent) {
  ASSERT_TRUE(rig.OpenSerial(1, true));
  QString body = "10" + Hex4(0) + Hex4(47) + Hex2(94);
  for (int i = 0; i < 47; ++i) body += Hex4(i);  // 1 + 6 + 94 + 2 = 103 bytes
  rig.link.SendRequest(1, body, 14);
  EXPECT_TRUE(pty.Read(1, 200).isEmpty());
  EXPECT_TRUE(rig.comm.TxnBusy);
  EXPECT_FALSE(rig.AwaitAnswer(1));

  body = "10" + Hex4(0) + Hex4(46) + Hex2(92);
  for (int i = 0; i < 46; ++i) body += Hex4(i);  // 101 bytes: the longest request
  rig.comm.TxnBusy = false;
  rig.link.SendRequest(1, body, 14);
  EXPECT_EQ(pty.Read(101).size(), 101);
}

TEST_F(SerialLink, ReceiveEventOnAClosedPortShowsCommunicationFailed) {
  rig.link.Comm_OnComm();
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].text, "Communication Failed");
  EXPECT_EQ(rig.dialogs.boxes[0].title, "Cannot Proceed");
}

// Answer checks fed straight into the collecting step.
class SerialAnswers : public ::testing::Test {
 protected:
  void Send(bool rtu, const QString& body, int expectedLen) {
    rig.comm.IndPort = 1;  // the port stays closed: the request goes nowhere
    rig.comm.RTUMode = rtu ? 1 : 0;
    rig.link.SendRequest(1, body, expectedLen);
  }
  LinkRig rig;
  std::array<std::int32_t, 51> regs{};
};

TEST_F(SerialAnswers, ShortOrUnexpectedAnswers) {
  // Short with a good LRC: a bad answer.
  Send(false, "0300000002", 16);
  rig.link.CollectSerialInput(AsciiFrame("010302000A"));
  EXPECT_FALSE(rig.link.ParseResponse(regs));
  EXPECT_FALSE(rig.comm.LinkOK);
  // Full length with a function the link does not use: refused, line good.
  Send(false, "0300000002", 16);
  rig.link.CollectSerialInput(AsciiFrame("010404000A000B"));
  EXPECT_FALSE(rig.link.ParseResponse(regs));
  EXPECT_TRUE(rig.comm.LinkOK);
  // A write's echo: accepted, nothing decoded.
  Send(false, "0600010008", 14);
  regs.fill(-1);
  rig.link.CollectSerialInput(AsciiFrame("010600010008"));
  EXPECT_TRUE(rig.link.ParseResponse(regs));
  EXPECT_EQ(regs[0], -1);
}

TEST_F(SerialAnswers, WordsBeyondTheCallersArrayAreDropped) {
  Send(true, "0300000003", 20);
  rig.link.CollectSerialInput(RtuFrame(ReadAnswer({10, 20, 30})));
  std::array<std::int32_t, 4> guarded{0, 0, -1, -1};
  EXPECT_TRUE(rig.link.ParseResponse(std::span(guarded).first(2)));
  EXPECT_EQ(guarded, (std::array<std::int32_t, 4>{10, 20, -1, -1}));
}

TEST_F(SerialAnswers, AnswersLongerThanTheDecodeBufferAreRejected) {
  // 201 bytes in all is the longest decoded answer: 98 registers in RTU.
  QString text = "0103" + Hex2(196);
  for (int i = 0; i < 98; ++i) text += Hex4(0x1234);
  Send(true, "0300000062", 4 * 98 + 8);
  rig.link.CollectSerialInput(RtuFrame(text));
  std::array<std::int32_t, 101> scratch{};
  EXPECT_TRUE(rig.link.ParseResponse(scratch));
  EXPECT_EQ(scratch[97], 0x1234);

  for (bool rtu : {true, false}) {
    Send(rtu, "0300000064", 4 * 100 + 8);
    QString longer = "0103" + Hex2(200);
    for (int i = 0; i < 100; ++i) longer += Hex4(0x4321);
    rig.link.CollectSerialInput(rtu ? RtuFrame(longer) : AsciiFrame(longer));
    EXPECT_LE(rig.comm.RxBuf.size(), 2 * IndicatorLink::kAnswerBufferBytes + 4);
    EXPECT_TRUE(rig.comm.RespDone) << rtu;
    scratch.fill(0);
    EXPECT_FALSE(rig.link.ParseResponse(scratch)) << rtu;
    EXPECT_FALSE(rig.comm.LinkOK);
    EXPECT_EQ(scratch[0], 0);
  }
}

TEST_F(SerialAnswers, NextRequestThrowsALateAnswerAway) {
  Send(true, kPollBody, kPollExpected);
  rig.link.CollectSerialInput(QByteArray::fromHex("0103"));
  Send(true, "0600010008", 14);
  EXPECT_TRUE(rig.comm.RxBuf.isEmpty());
  EXPECT_FALSE(rig.comm.RespDone);
}

}  // namespace
}  // namespace vt
