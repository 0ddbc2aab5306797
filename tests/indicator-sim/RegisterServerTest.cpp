// The three functions on the register bank, and the exception answers.
#include <gtest/gtest.h>

#include "SimPeers.h"
#include "indicator-sim/IndicatorModel.h"
#include "indicator-sim/RegisterServer.h"

namespace vt::sim {
namespace {

using test::ReadPdu;
using test::Registers;
using test::WriteManyPdu;
using test::WritePdu;

QByteArray Bytes(const char* hex) { return QByteArray::fromHex(hex); }

class RegisterServerTest : public ::testing::Test {
 protected:
  IndicatorModel model;
};

TEST_F(RegisterServerTest, PollReadAnswersTwelveRegisters) {
  const QByteArray answer = AnswerRequest(model, ReadPdu(0, 12));
  ASSERT_EQ(answer.size(), 2 + 24);
  EXPECT_EQ(quint8(answer[0]), 0x03);
  EXPECT_EQ(quint8(answer[1]), 24);
  const std::vector<int> registers = Registers(answer);
  EXPECT_EQ(registers[3], 0x0100);  // one decimal by default
}

TEST_F(RegisterServerTest, WritesAreEchoedAndStored) {
  EXPECT_EQ(AnswerRequest(model, WritePdu(20, 0xBEEF)), WritePdu(20, 0xBEEF));
  EXPECT_EQ(model.Register(20), 0xBEEF);
  EXPECT_EQ(AnswerRequest(model, WriteManyPdu(40, {1, 2, 3})), Bytes("1000280003"));
  EXPECT_EQ(Registers(AnswerRequest(model, ReadPdu(40, 3))), (std::vector<int>{1, 2, 3}));
}

TEST_F(RegisterServerTest, UnwrittenRegistersReadZeroUpToTheLast) {
  EXPECT_EQ(Registers(AnswerRequest(model, ReadPdu(50, 14))), std::vector<int>(14, 0));
}

TEST_F(RegisterServerTest, OtherFunctionsGetIllegalFunction) {
  EXPECT_EQ(AnswerRequest(model, Bytes("0400000001")), Bytes("8401"));
  EXPECT_EQ(AnswerRequest(model, Bytes("0100000001")), Bytes("8101"));
  EXPECT_EQ(AnswerRequest(model, Bytes("2B0E0100")), Bytes("AB01"));
}

TEST_F(RegisterServerTest, RangesBeyondTheRegistersGetIllegalAddress) {
  EXPECT_EQ(AnswerRequest(model, ReadPdu(60, 5)), Bytes("8302"));
  EXPECT_EQ(AnswerRequest(model, ReadPdu(64, 1)), Bytes("8302"));
  EXPECT_EQ(AnswerRequest(model, WritePdu(64, 1)), Bytes("8602"));
  EXPECT_EQ(AnswerRequest(model, WriteManyPdu(62, {1, 2, 3})), Bytes("9002"));
}

TEST_F(RegisterServerTest, ThePollBlockIsReadOnly) {
  model.SetLoad(12.5);
  for (int reg : {3, 5, 6, 8, 9, 10, 11}) {
    EXPECT_EQ(AnswerRequest(model, WritePdu(reg, 7)), Bytes("8602")) << "register " << reg;
  }
  EXPECT_EQ(AnswerRequest(model, WriteManyPdu(0, {0, 0, 0, 0})), Bytes("9002"));  // reaches register 3
  EXPECT_EQ(model.LiveCounts(), 125);
  EXPECT_TRUE(model.Commands().empty());  // a refused write does not reach register 0
}

TEST_F(RegisterServerTest, MalformedRequestsGetIllegalValue) {
  EXPECT_EQ(AnswerRequest(model, ReadPdu(0, 0)), Bytes("8303"));
  EXPECT_EQ(AnswerRequest(model, ReadPdu(0, 126)), Bytes("8303"));
  EXPECT_EQ(AnswerRequest(model, Bytes("030000")), Bytes("8303"));  // short
  EXPECT_EQ(AnswerRequest(model, Bytes("060000")), Bytes("8603"));
  QByteArray wrongCount = WriteManyPdu(20, {1, 2});
  wrongCount[5] = 3;  // byte count does not match two registers
  EXPECT_EQ(AnswerRequest(model, wrongCount), Bytes("9003"));
  EXPECT_EQ(AnswerRequest(model, WriteManyPdu(20, {1, 2}).chopped(1)), Bytes("9003"));
  EXPECT_EQ(model.Register(20), 0);
}

TEST_F(RegisterServerTest, WriteMultipleSetsTheArgumentsBeforeTheCommand) {
  AnswerRequest(model, WriteManyPdu(0, {Cmd::ReadParam, 44}));
  ASSERT_EQ(model.Commands().size(), 1u);
  EXPECT_EQ(model.Commands()[0].code, Cmd::ReadParam);
  EXPECT_EQ(model.Commands()[0].arg1, 44);
}

}  // namespace
}  // namespace vt::sim
