#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "SimulatedStation.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;
namespace Result = sim::Result;

class CommandRegisterAgainstIndicator : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(station.WaitForLink()); }
  CommandRegister& commands() { return *station.form->commands; }
  Transactions& transactions() { return *station.form->transactions; }
  Communication& comm() { return station.program().comm; }

  test::SimulatedStation station;
};

TEST_F(CommandRegisterAgainstIndicator, TransactionsReadAndWriteRegistersAndLeaveThePollOff) {
  const int address = station.Address();
  std::array<std::int32_t, 101> values{};
  ASSERT_TRUE(transactions().ReadRegisters(address, 0, 12, values));
  EXPECT_EQ(values[3] & 0x0700, 0x0100);  // one decimal
  EXPECT_FALSE(comm().PollEnabled);
  EXPECT_FALSE(comm().TxnBusy);

  ASSERT_TRUE(transactions().WriteRegister(address, 20, 70000));  // cut to 16 bits
  ASSERT_TRUE(transactions().WriteRegisters(address, 21, 2, std::array<std::int32_t, 2>{7, 8}));
  ASSERT_TRUE(transactions().ReadRegisters(address, 20, 3, values));
  EXPECT_EQ(values[0], 0x1170);
  EXPECT_EQ(values[1], 7);
  EXPECT_EQ(values[2], 8);
  EXPECT_FALSE(comm().PollEnabled);
  transactions().ResumePolling();
  EXPECT_TRUE(comm().PollEnabled);
}

TEST_F(CommandRegisterAgainstIndicator, TransactionsRefuseAtOnceWhileTheLinkIsNotGood) {
  // The poll is switched off between two of its requests, so that none is
  // on its way and none restores the link meanwhile.
  ASSERT_TRUE(station.WaitFor([&] {
    if (comm().TxnBusy) return false;
    comm().PollEnabled = false;
    return true;
  }));
  const auto requestsBefore = station.sim.Server().Requests();
  comm().LinkOK = false;
  std::array<std::int32_t, 101> values{};
  EXPECT_FALSE(transactions().ReadRegisters(station.Address(), 0, 3, values));
  EXPECT_FALSE(transactions().WriteRegister(station.Address(), 0, 122));
  EXPECT_FALSE(comm().TxnBusy);
  EXPECT_EQ(station.sim.Server().Requests(), requestsBefore);
  EXPECT_EQ(station.indicator().Commands().size(), 0u);
}

TEST_F(CommandRegisterAgainstIndicator, ATransactionAskedForInsideAnothersWaitFailsAndTheWaitingOneKeepsItsAnswer) {
  std::optional<bool> inner;
  // Runs at the first event the outer transaction's wait handles.
  QTimer::singleShot(0, [&] {
    transactions().SuspendPolling();  // returns at once: the poll is off already
    inner = transactions().WriteRegister(station.Address(), 20, 99);
  });
  std::array<std::int32_t, 101> values{};
  EXPECT_TRUE(transactions().ReadRegisters(station.Address(), 0, 12, values));
  EXPECT_EQ(values[3] & 0x0700, 0x0100);
  EXPECT_EQ(inner, false);
  EXPECT_EQ(station.indicator().Register(20), 0);  // nothing of the inner one was sent
}

// The poll's request that times out while a transaction waits for the line
// is ended by the poll, which marks the link bad: the transaction still
// goes out, but the next one is refused at once.
TEST_F(CommandRegisterAgainstIndicator, APollTimingOutBeforeATransactionLeavesTheLinkBad) {
  station.sim.Faults().StartSilence(5000);
  const quint64 sent = station.form->link->RequestsSent();
  ASSERT_TRUE(station.WaitFor([&] { return station.form->link->RequestsSent() > sent && comm().TxnBusy; }));
  ASSERT_TRUE(comm().LinkOK);
  EXPECT_FALSE(transactions().WriteRegister(station.Address(), 20, 5));
  EXPECT_FALSE(comm().LinkOK);
  EXPECT_FALSE(comm().TxnBusy);
  const quint64 before = station.form->link->RequestsSent();
  EXPECT_FALSE(transactions().WriteRegister(station.Address(), 20, 6));
  EXPECT_EQ(station.form->link->RequestsSent(), before);
}

// The port opened anew while a transaction waits for its answer: the poll's
// first request on the new link is not the transaction's, which fails at
// once and leaves that request and the link's state to the poll.
TEST_F(CommandRegisterAgainstIndicator, ATransactionWhoseLinkIsOpenedAnewFailsAndLeavesThePollsRequestAlone) {
  station.sim.Faults().StartSilence(5000);
  QTimer::singleShot(0, [&] { station.form->link->OpenPort(Port::Tcp); });
  std::array<std::int32_t, 101> values{};
  const quint64 sent = station.form->link->RequestsSent();
  EXPECT_FALSE(transactions().ReadRegisters(station.Address(), 0, 12, values));
  EXPECT_EQ(station.form->link->RequestsSent(), sent + 2);  // its own and the poll's
  EXPECT_TRUE(comm().TxnBusy);
  EXPECT_FALSE(comm().TimedOut);
  EXPECT_FALSE(comm().LinkOK);
}

TEST_F(CommandRegisterAgainstIndicator, DeviceTypeVersionAndParameters) {
  const int address = station.Address();
  EXPECT_EQ(commands().ReadDeviceType(address), 1901);
  EXPECT_TRUE(comm().PollEnabled);
  std::int32_t version = 0;
  EXPECT_TRUE(commands().RunCmd9(address, version));
  EXPECT_EQ(version, 12);

  std::int32_t value = -1;
  ASSERT_TRUE(commands().ReadParam(address, 44, value));
  EXPECT_EQ(value, station.indicator().Parameter(44));
  ASSERT_TRUE(commands().WriteParam(address, 60, 77));
  EXPECT_EQ(station.indicator().Parameter(60), 77);
  ASSERT_TRUE(station.indicator().AccessCode().has_value());
  EXPECT_EQ(station.indicator().AccessCode()->first, kParameterAccessCode[0]);
  EXPECT_EQ(station.indicator().AccessCode()->second, kParameterAccessCode[1]);
  EXPECT_FALSE(comm().PollEnabled);  // parameter transfers leave the poll off

  station.indicator().ForceResult(Cmd::ReadParam, 0xFFFF);
  value = -1;
  EXPECT_FALSE(commands().ReadParam(address, 44, value));
  EXPECT_EQ(value, -1);
}

// Each operation reads back from register 0 only the registers its result
// takes: the command register and its two arguments, or fewer.
TEST_F(CommandRegisterAgainstIndicator, EachOperationReadsBackTheRegistersItsResultTakes) {
  std::set<int> counts;  // of the reads, the poll's twelve registers left out
  station.sim.Server().SetTrace([&counts](const QString& line) {
    if (!line.startsWith(QStringLiteral("<- 03 "))) return;
    const QByteArray pdu = QByteArray::fromHex(line.mid(3).toLatin1());
    EXPECT_EQ(quint8(pdu[1]) << 8 | quint8(pdu[2]), 0) << line.toStdString();
    const int count = quint8(pdu[3]) << 8 | quint8(pdu[4]);
    if (count != 12) counts.insert(count);
  });
  const int address = station.Address();
  std::int32_t value = 0;
  const struct {
    const char* operation;
    std::function<bool()> run;
    int registers;
  } rows[] = {
      {"device type", [&] { return commands().ReadDeviceType(address) == 1901; }, 3},
      {"parameter read", [&] { return commands().ReadParam(address, 44, value); }, 3},
      {"parameter write", [&] { return commands().WriteParam(address, 60, 77); }, 3},
      {"version", [&] { return commands().RunCmd9(address, value); }, 2},
      {"store", [&] { return commands().RunCmd10(address); }, 1},
      {"failure reset", [&] { return commands().RunCmd12(address); }, 1},
  };
  for (const auto& row : rows) {
    counts.clear();
    EXPECT_TRUE(row.run()) << row.operation;
    EXPECT_EQ(counts, std::set<int>{row.registers}) << row.operation;
  }
  station.sim.Server().SetTrace({});
}

TEST_F(CommandRegisterAgainstIndicator, DeviceTypeAnswersRegisterOneEvenAfterAnErrorCode) {
  // A refused command leaves register 1 as written (0): that is the answer, not -1.
  station.indicator().ForceResult(Cmd::DeviceType, 0xFFFF);
  EXPECT_EQ(commands().ReadDeviceType(station.Address()), 0);
  station.indicator().ForceNeverCompletes(Cmd::DeviceType);
  EXPECT_EQ(commands().ReadDeviceType(station.Address()), -1);  // 40 ticks run out
  EXPECT_EQ(comm().CmdTimer, 0);
  EXPECT_TRUE(comm().PollEnabled);
  // A parameter read that follows gets a countdown of its own.
  station.indicator().ClearForcedResults();
  std::int32_t value = -1;
  EXPECT_TRUE(commands().ReadParam(station.Address(), 44, value));
  EXPECT_EQ(value, station.indicator().Parameter(44));
}

TEST_F(CommandRegisterAgainstIndicator, StoreResetAndTareResults) {
  const int address = station.Address();
  EXPECT_TRUE(commands().RunCmd10(address));
  EXPECT_TRUE(commands().RunCmd11(address));
  EXPECT_EQ(station.indicator().RamStores(), 1);
  EXPECT_EQ(station.indicator().EepromStores(), 1);
  station.indicator().SetFailure(true);
  EXPECT_TRUE(commands().RunCmd12(address));
  EXPECT_FALSE(station.indicator().Failure());
  EXPECT_TRUE(comm().PollEnabled);

  station.indicator().ForceResult(Cmd::Tare, Result::ValueRefused);
  EXPECT_EQ(commands().RunCmd6(address), 2);
  station.indicator().ForceResult(Cmd::Tare, Result::InMotion);
  EXPECT_EQ(commands().RunCmd6(address), 1);
  station.indicator().ForceResult(Cmd::CheckedZero, Result::InMotion);
  EXPECT_EQ(commands().RunCmd5(address), 3);
  station.indicator().ForceResult(Cmd::CheckedZero, Result::ValueRefused);
  EXPECT_EQ(commands().RunCmd5(address), 2);
  station.indicator().ForceResult(Cmd::CheckedZero, 0xFFFD);
  EXPECT_EQ(commands().RunCmd5(address), 1);
  station.indicator().ClearForcedResults();
  station.indicator().SetLoad(25.0);
  EXPECT_EQ(commands().RunCmd6(address), 0);
  EXPECT_TRUE(comm().PollEnabled);
}

TEST_F(CommandRegisterAgainstIndicator, TareWithoutAResultOrWithoutAnAnswer) {
  station.indicator().ForceNeverCompletes(Cmd::Tare);
  EXPECT_EQ(commands().RunCmd6(station.Address()), 3);  // 200 ticks run out
  EXPECT_EQ(comm().CmdTimer, 0);
  ASSERT_TRUE(station.WaitForLink());
  station.sim.Faults().StartSilence(3000);
  EXPECT_EQ(commands().RunCmd6(station.Address()), 3);  // the write times out
  EXPECT_FALSE(comm().TxnBusy);  // and leaves no request outstanding
}

TEST_F(CommandRegisterAgainstIndicator, SetRegisterDoesNotWaitAndTurnsThePollOn) {
  commands().SetRegister(station.Address(), 0, Cmd::TestStart);
  ASSERT_FALSE(station.indicator().Commands().empty());
  EXPECT_EQ(station.indicator().Commands().back().code, Cmd::TestStart);
  EXPECT_TRUE(comm().PollEnabled);
  EXPECT_EQ(comm().CmdTimer > 0, true);
}

}  // namespace
}  // namespace vt
