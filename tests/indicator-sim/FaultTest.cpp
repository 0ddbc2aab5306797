// Fault injection: the plan's draws and each fault's effect on an answer.
#include <gtest/gtest.h>

#include "SimPeers.h"
#include "indicator-sim/IndicatorModel.h"
#include "indicator-sim/RegisterServer.h"
#include "indicator-sim/Responder.h"

namespace vt::sim {
namespace {

using test::ReadPdu;
using test::WritePdu;

QByteArray Bytes(const char* hex) { return QByteArray::fromHex(hex); }

TEST(FaultPlan, RatesAreProbabilitiesPerRequest) {
  FaultPlan plan(42);
  plan.Rates().drop = 0.2;
  plan.Rates().late = 0.1;
  plan.Rates().closeConnection = 0.3;
  constexpr int kDraws = 20000;
  for (int i = 0; i < kDraws; ++i) plan.Draw(true);
  EXPECT_NEAR(plan.Count(Fault::Drop), 0.2 * kDraws, 0.02 * kDraws);
  EXPECT_NEAR(plan.Count(Fault::Late), 0.1 * kDraws, 0.02 * kDraws);
  EXPECT_NEAR(plan.Count(Fault::CloseConnection), 0.3 * kDraws, 0.02 * kDraws);
  EXPECT_NEAR(plan.Count(Fault::None), 0.4 * kDraws, 0.02 * kDraws);
}

TEST(FaultPlan, TheSameSeedGivesTheSameFaults) {
  auto draws = [](quint32 seed) {
    FaultPlan plan(seed);
    plan.Rates().drop = 0.5;
    std::vector<Fault> faults;
    for (int i = 0; i < 64; ++i) faults.push_back(plan.Draw(false));
    return faults;
  };
  EXPECT_EQ(draws(3), draws(3));
  EXPECT_NE(draws(3), draws(4));
}

TEST(FaultPlan, ClosingIsNotDrawnWithoutAConnection) {
  FaultPlan plan;
  plan.Rates().closeConnection = 1.0;
  EXPECT_EQ(plan.Draw(false), Fault::None);
  EXPECT_EQ(plan.Draw(true), Fault::CloseConnection);
}

TEST(FaultPlan, ASilenceSwallowsEveryRequestUntilItsWindowEnds) {
  FaultPlan plan;
  plan.silenceMs = 150;
  plan.Rates().silence = 1.0;
  EXPECT_EQ(plan.Draw(false), Fault::Silence);
  plan.Rates().silence = 0.0;
  EXPECT_EQ(plan.Draw(false), Fault::Silence);
  EXPECT_TRUE(plan.Silent());
  EXPECT_TRUE(test::WaitFor([&] { return !plan.Silent(); }, 5000));
  EXPECT_EQ(plan.Draw(false), Fault::None);
  plan.StartSilence(10000);
  EXPECT_EQ(plan.Draw(false), Fault::Silence);
  EXPECT_EQ(plan.Count(Fault::Silence), 3);
}

class ResponderTest : public ::testing::TestWithParam<Transport> {
 protected:
  ResponderTest() { model.SetNoise(0); }
  Reply Answer(const QByteArray& pdu) { return responder.Answer(GetParam(), Adu{1, 5, pdu}); }
  QByteArray Framed(const QByteArray& pdu) const { return EncodeFrame(GetParam(), Adu{1, 5, pdu}); }
  void Only(double FaultRates::*rate) {
    faults.SetRates({});
    faults.Rates().*rate = 1.0;
  }

  IndicatorModel model;
  FaultPlan faults;
  Responder responder{model, faults};
};

TEST_P(ResponderTest, WithoutFaultsTheAnswerComesAtOnce) {
  const Reply reply = Answer(WritePdu(20, 9));
  EXPECT_EQ(reply.bytes, Framed(WritePdu(20, 9)));
  EXPECT_EQ(reply.delayMs, 0);
  EXPECT_FALSE(reply.closeConnection);
  EXPECT_EQ(model.Register(20), 9);
}

TEST_P(ResponderTest, DropCarriesTheRequestOutButSendsNothing) {
  Only(&FaultRates::drop);
  const Reply reply = Answer(WritePdu(20, 9));
  EXPECT_TRUE(reply.bytes.isEmpty());
  EXPECT_EQ(model.Register(20), 9);
}

TEST_P(ResponderTest, CorruptAnswerFailsItsCheck) {
  Only(&FaultRates::corruptCheck);
  model.SetLoad(1.5);
  const QByteArray good = Framed(AnswerRequest(model, ReadPdu(0, 12)));
  const Reply reply = Answer(ReadPdu(0, 12));
  EXPECT_EQ(reply.bytes.size(), good.size());
  EXPECT_NE(reply.bytes, good);
  switch (GetParam()) {
    case Transport::Ascii:
      EXPECT_FALSE(DecodeAscii(reply.bytes.mid(1).chopped(2)));
      break;
    case Transport::Rtu:
      EXPECT_FALSE(DecodeRtu(reply.bytes));
      break;
    case Transport::Tcp:
      EXPECT_NE(TcpFrameLength(reply.bytes).value(), reply.bytes.size());
      break;
  }
}

TEST_P(ResponderTest, LateAnswerIsTheGoodAnswerWithADelay) {
  Only(&FaultRates::late);
  faults.lateMs = 750;
  const Reply reply = Answer(WritePdu(20, 9));
  EXPECT_EQ(reply.bytes, Framed(WritePdu(20, 9)));
  EXPECT_EQ(reply.delayMs, 750);
}

TEST_P(ResponderTest, ExceptionRefusesTheRequest) {
  Only(&FaultRates::exception);
  const Reply reply = Answer(WritePdu(20, 9));
  EXPECT_EQ(reply.bytes, Framed(Bytes("8604")));
  EXPECT_EQ(model.Register(20), 0);
  faults.exceptionCode = 0x06;
  EXPECT_EQ(Answer(ReadPdu(0, 12)).bytes, Framed(Bytes("8306")));
}

TEST_P(ResponderTest, GarbageReplacesTheAnswer) {
  Only(&FaultRates::garbage);
  const QByteArray good = Framed(AnswerRequest(model, ReadPdu(0, 12)));
  const Reply reply = Answer(ReadPdu(0, 12));
  EXPECT_GE(reply.bytes.size(), 4);
  EXPECT_NE(reply.bytes, good);
}

TEST_P(ResponderTest, TruncatedAnswerIsTheFirstHalf) {
  Only(&FaultRates::truncate);
  const QByteArray good = Framed(WritePdu(20, 9));
  EXPECT_EQ(Answer(WritePdu(20, 9)).bytes, good.left(good.size() / 2));
}

TEST_P(ResponderTest, SilenceAndClosingLeaveTheModelAlone) {
  Only(&FaultRates::closeConnection);
  const Reply closing = Answer(WritePdu(20, 9));
  EXPECT_EQ(closing.closeConnection, GetParam() == Transport::Tcp);
  EXPECT_EQ(model.Register(20), GetParam() == Transport::Tcp ? 0 : 9);

  Only(&FaultRates::silence);
  const Reply silent = Answer(WritePdu(21, 9));
  EXPECT_TRUE(silent.bytes.isEmpty());
  EXPECT_FALSE(silent.closeConnection);
  EXPECT_EQ(model.Register(21), 0);
}

TEST_P(ResponderTest, MisfitsComeInsteadOfTheAnswerAndLeaveTheModelAlone) {
  const auto frame = [&](quint8 unit, const char* pdu) { return EncodeFrame(GetParam(), Adu{unit, 5, Bytes(pdu)}); };
  struct Row {
    double FaultRates::*rate;
    QByteArray write;  // for a write of 9 to register 20 (0014h)
    QByteArray read;   // for a read of two registers from 0
  };
  const Row rows[] = {
      {&FaultRates::foreignAddress, frame(2, "0600140009"), frame(2, "030400000000")},
      {&FaultRates::wrongFunction, frame(1, "0300140009"), frame(1, "100400000000")},
      {&FaultRates::wrongContent, frame(1, "0600150009"), frame(1, "0306000000000000")},
      {&FaultRates::echo, frame(1, "0600140009"), frame(1, "0300000002")},
  };
  for (const Row& row : rows) {
    Only(row.rate);
    EXPECT_EQ(Answer(WritePdu(20, 9)).bytes, row.write);
    EXPECT_EQ(Answer(ReadPdu(0, 2)).bytes, row.read);
    EXPECT_EQ(model.Register(20), 0);
  }
}

TEST_P(ResponderTest, FaultsMayStrikeOneFunctionOnly) {
  Only(&FaultRates::drop);
  faults.onlyFunction = 0x03;
  EXPECT_EQ(Answer(WritePdu(20, 9)).bytes, Framed(WritePdu(20, 9)));
  EXPECT_TRUE(Answer(ReadPdu(0, 2)).bytes.isEmpty());
}

TEST_P(ResponderTest, TraceSeesRequestAndAnswerWithTheFault) {
  QStringList lines;
  responder.SetTrace([&](const QString& line) { lines << line; });
  Only(&FaultRates::drop);
  Answer(ReadPdu(0, 1));
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], QStringLiteral("<- 03 00 00 00 01"));
  EXPECT_TRUE(lines[1].endsWith(QStringLiteral("[drop]")));
  EXPECT_EQ(responder.Requests(), 1);
}

INSTANTIATE_TEST_SUITE_P(Transports, ResponderTest,
                         ::testing::Values(Transport::Rtu, Transport::Ascii, Transport::Tcp));

}  // namespace
}  // namespace vt::sim
