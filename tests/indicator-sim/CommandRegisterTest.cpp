// The command register: every code, its completion and its results.
#include <gtest/gtest.h>

#include "indicator-sim/IndicatorModel.h"

namespace vt::sim {
namespace {

class CommandRegisterTest : public ::testing::Test {
 protected:
  CommandRegisterTest() { model.SetNoise(0); }

  void Write(std::vector<quint16> values) { model.WriteRegisters(0, values); }
  // Reads registers 0 to 2 as the master's completion loop does.
  std::vector<quint16> Read() { return model.ReadRegisters(0, 3); }
  // Reads until register 0 differs from the code; the number of reads that
  // still showed it, or -1 when it never changed within 50 reads.
  int ReadsShowing(quint16 code) {
    for (int reads = 0; reads < 50; ++reads) {
      if (Read()[0] != code) return reads;
    }
    return -1;
  }

  IndicatorModel model;
};

TEST_F(CommandRegisterTest, AwaitedCodeStaysForTheConfiguredReadsThenReadsDone) {
  Write({Cmd::StoreToRam});
  EXPECT_EQ(ReadsShowing(Cmd::StoreToRam), 2);
  EXPECT_EQ(model.Register(0), Result::Done);
  EXPECT_EQ(model.RamStores(), 1);

  for (int reads : {0, 1, 5}) {
    model.SetReadsUntilDone(reads);
    Write({Cmd::StoreToEeprom});
    EXPECT_EQ(ReadsShowing(Cmd::StoreToEeprom), reads);
  }
  EXPECT_EQ(model.EepromStores(), 3);
}

TEST_F(CommandRegisterTest, OnlyReadsOfRegisterZeroCount) {
  Write({Cmd::ResetFailure});
  model.ReadRegisters(3, 9);
  model.ReadRegisters(1, 2);
  EXPECT_EQ(model.Register(0), Cmd::ResetFailure);
  EXPECT_EQ(ReadsShowing(Cmd::ResetFailure), 2);
}

TEST_F(CommandRegisterTest, TheWorkIsDoneWhenTheCommandEnds) {
  Write({Cmd::StoreToRam});
  EXPECT_EQ(model.RamStores(), 0);
  Read();
  Read();
  EXPECT_EQ(model.RamStores(), 1);
}

TEST_F(CommandRegisterTest, ParameterCommandsFailAsOftenAsAskedThenWorkAgain) {
  model.SetReadsUntilDone(0);
  model.FailParameterCommands(3);
  Write({Cmd::Unlock, 0, 0});
  Write({Cmd::WriteParam, 60, 77});
  EXPECT_EQ(model.Register(0), Result::Refused);
  Write({Cmd::ReadParam, 44});
  EXPECT_EQ(model.Register(0), Result::Refused);
  Write({Cmd::StoreToRam});  // other commands are not struck
  EXPECT_EQ(model.Register(0), Result::Done);
  Write({Cmd::Unlock, 0, 0});
  Write({Cmd::WriteParam, 60, 77});
  EXPECT_EQ(model.Register(0), Result::Refused);
  EXPECT_NE(model.Parameter(60), 77);
  Write({Cmd::Unlock, 0, 0});
  Write({Cmd::WriteParam, 60, 77});
  EXPECT_EQ(model.Register(0), Result::Done);
  EXPECT_EQ(model.Parameter(60), 77);
}

TEST_F(CommandRegisterTest, DeviceTypeAndVersionComeBackInRegisterOne) {
  Write({Cmd::DeviceType, 0, 0});
  ReadsShowing(Cmd::DeviceType);
  EXPECT_EQ(Read(), (std::vector<quint16>{0, 1901, 0}));

  Write({Cmd::Version});
  ReadsShowing(Cmd::Version);
  EXPECT_EQ(Read()[1], 12);

  model.SetDeviceType(1700);
  model.SetFirmwareVersion(25);
  Write({Cmd::DeviceType, 0, 0});
  ReadsShowing(Cmd::DeviceType);
  EXPECT_EQ(Read()[1], 1700);
  Write({Cmd::Version});
  ReadsShowing(Cmd::Version);
  EXPECT_EQ(Read()[1], 25);
}

TEST_F(CommandRegisterTest, ParameterReadReturnsTheByteInRegisterTwo) {
  Write({Cmd::ReadParam, 0});
  EXPECT_EQ(ReadsShowing(Cmd::ReadParam), 2);
  EXPECT_EQ(Read(), (std::vector<quint16>{0, 0, 176}));
  Write({Cmd::ReadParam, 44});
  ReadsShowing(Cmd::ReadParam);
  EXPECT_EQ(Read()[2], 1);
}

TEST_F(CommandRegisterTest, ParameterReadOutsideTheMemoryIsRefused) {
  Write({Cmd::ReadParam, 256, 77});
  ReadsShowing(Cmd::ReadParam);
  EXPECT_EQ(Read(), (std::vector<quint16>{Result::Refused, 256, 77}));
}

TEST_F(CommandRegisterTest, ParameterWriteNeedsTheUnlockFirst) {
  Write({Cmd::WriteParam, 62, 33});
  ReadsShowing(Cmd::WriteParam);
  EXPECT_EQ(model.Register(0), Result::Refused);
  EXPECT_EQ(model.Parameter(62), 0);

  Write({Cmd::Unlock, 0x1234, 0xABCD});
  EXPECT_EQ(ReadsShowing(Cmd::Unlock), 2);
  EXPECT_EQ(model.Register(0), Result::Done);
  ASSERT_TRUE(model.AccessCode());
  EXPECT_EQ(*model.AccessCode(), std::make_pair(quint16(0x1234), quint16(0xABCD)));

  Write({Cmd::WriteParam, 62, 33});
  ReadsShowing(Cmd::WriteParam);
  EXPECT_EQ(model.Register(0), Result::Done);
  EXPECT_EQ(model.Parameter(62), 33);

  // One unlock opens one write.
  Write({Cmd::WriteParam, 62, 44});
  ReadsShowing(Cmd::WriteParam);
  EXPECT_EQ(model.Register(0), Result::Refused);
  EXPECT_EQ(model.Parameter(62), 33);
}

TEST_F(CommandRegisterTest, ParameterWriteRefusesBadAddressesAndValues) {
  for (auto [address, value] : {std::pair{256, 1}, std::pair{5, 256}}) {
    Write({Cmd::Unlock, 1, 2});
    ReadsShowing(Cmd::Unlock);
    Write({Cmd::WriteParam, quint16(address), quint16(value)});
    ReadsShowing(Cmd::WriteParam);
    EXPECT_EQ(model.Register(0), Result::Refused) << address << " " << value;
  }
  EXPECT_EQ(model.Parameter(5), 5);
}

TEST_F(CommandRegisterTest, WritingTheDecimalPointParameterChangesTheStatusWord) {
  Write({Cmd::Unlock, 1, 2});
  ReadsShowing(Cmd::Unlock);
  Write({Cmd::WriteParam, 44, 3});
  ReadsShowing(Cmd::WriteParam);
  EXPECT_EQ(model.Register(3) & 0x0700, 0x0300);
}

TEST_F(CommandRegisterTest, FailureResetClearsTheFailure) {
  model.SetFailure(true);
  Write({Cmd::ResetFailure});
  EXPECT_TRUE(model.Failure());
  ReadsShowing(Cmd::ResetFailure);
  EXPECT_EQ(model.Register(0), Result::Done);
  EXPECT_FALSE(model.Failure());
}

TEST_F(CommandRegisterTest, ImmediateCommandsAreDoneAtOnce) {
  for (quint16 code : {Cmd::ApplySerialLink, Cmd::TestStart, Cmd::TestStop, Cmd::SpanCalibration, Cmd::Zero}) {
    Write({code});
    EXPECT_EQ(model.Register(0), Result::Done) << code;
  }
  EXPECT_EQ(model.SerialLinkApplies(), 1);
  ASSERT_EQ(model.Commands().size(), 5u);
  EXPECT_EQ(model.Commands()[1].code, Cmd::TestStart);
}

TEST_F(CommandRegisterTest, UnknownCodesEndRefused) {
  for (quint16 code : {7, 50, 200}) {
    Write({code});
    EXPECT_EQ(ReadsShowing(code), 2);
    EXPECT_EQ(model.Register(0), Result::Refused);
  }
}

TEST_F(CommandRegisterTest, EveryCodeIsRecordedWithItsArguments) {
  model.WriteRegisters(2, {0x0001});
  model.WriteRegisters(1, {0x1170});
  model.WriteRegisters(0, {Cmd::SpanCalibration});
  Write({0});  // clearing the register is no command
  ASSERT_EQ(model.Commands().size(), 1u);
  const ReceivedCommand& span = model.Commands()[0];
  EXPECT_EQ(span.code, Cmd::SpanCalibration);
  EXPECT_EQ(span.arg1, 0x1170);
  EXPECT_EQ(span.arg2, 0x0001);
}

TEST_F(CommandRegisterTest, ForcedResultReplacesTheCommandsOwn) {
  model.ForceResult(Cmd::StoreToRam, 0xFFFC);
  Write({Cmd::StoreToRam});
  EXPECT_EQ(ReadsShowing(Cmd::StoreToRam), 2);
  EXPECT_EQ(model.Register(0), 0xFFFC);
  EXPECT_EQ(model.RamStores(), 0);  // refused: not done

  model.ForceResult(Cmd::StoreToRam, Result::Done);
  Write({Cmd::StoreToRam});
  ReadsShowing(Cmd::StoreToRam);
  EXPECT_EQ(model.RamStores(), 1);

  model.ClearForcedResults();
  model.ForceResult(Cmd::DeviceType, Result::InMotion);
  Write({Cmd::DeviceType, 0, 0});
  ReadsShowing(Cmd::DeviceType);
  EXPECT_EQ(Read(), (std::vector<quint16>{Result::InMotion, 0, 0}));  // register 1 untouched
}

TEST_F(CommandRegisterTest, ANeverEndingCommandKeepsItsCodeUntilTheNextCommand) {
  model.ForceNeverCompletes(Cmd::Tare);
  Write({Cmd::Tare});
  EXPECT_EQ(ReadsShowing(Cmd::Tare), -1);
  Write({Cmd::StoreToRam});
  EXPECT_EQ(ReadsShowing(Cmd::StoreToRam), 2);
}

TEST_F(CommandRegisterTest, ANewCommandReplacesOneStillRunning) {
  Write({Cmd::StoreToRam});
  Read();
  Write({Cmd::Version});
  EXPECT_EQ(ReadsShowing(Cmd::Version), 2);
  EXPECT_EQ(model.RamStores(), 0);
}

}  // namespace
}  // namespace vt::sim
