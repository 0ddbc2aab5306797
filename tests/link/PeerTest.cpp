// The link as master against independent Modbus slaves: libmodbus over TCP
// and RTU, pymodbus over ASCII.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>

#include "link/FrameText.h"
#include "link/LinkRig.h"
#include "link/ModbusSlave.h"
#include "link/PeerProcess.h"

namespace vt {
namespace {

using test::LinkRig;
using test::ModbusSlave;

constexpr int kPeerAttempts = 40;  // a slave that is still starting misses the first requests
// Poll ticks of the waits: generous, so a slave slowed down by a loaded
// machine still answers within the time-out of eleven ticks.
constexpr int kTcpTickMs = 50;
constexpr int kSerialTickMs = 200;

QString ReadBody(int start, int count) { return "03" + Hex4(start) + Hex4(count); }
int ReadExpected(int count) { return 4 * count + 8; }

QString WriteBody(int start, const std::vector<int>& values) {
  QString body = "10" + Hex4(start) + Hex4(static_cast<int>(values.size())) + Hex2(2 * static_cast<int>(values.size()));
  for (int value : values) body += Hex4(value);
  return body;
}

// The output of a slave program that has ended; nothing while it runs (or
// for a slave that is no program of its own).
using PeerEnded = std::function<std::optional<QString>()>;

// What every slave goes through: the poll block, the longest read that can
// be decoded, writes of several and of one register read back, and a read
// beyond the slave's registers that it refuses.
void RunScenario(LinkRig& rig, int tickMs, const PeerEnded& ended = [] { return std::optional<QString>(); }) {
  std::array<std::int32_t, 101> regs{};
  bool answered = false;
  for (int attempt = 0; attempt < kPeerAttempts && !answered; ++attempt) {
    answered = rig.Transact(1, "030000000C", 56, regs, tickMs).value_or(false);
    // A slave that could not start is not waited for.
    if (const auto output = ended(); !answered && output) FAIL() << "the slave has ended:\n" << output->toStdString();
  }
  ASSERT_TRUE(answered) << "the slave never answered";
  EXPECT_TRUE(rig.comm.LinkOK);
  for (int reg = 0; reg < 12; ++reg) EXPECT_EQ(regs[reg], ModbusSlave::InitialValue(reg)) << reg;

  regs.fill(0);
  ASSERT_EQ(rig.Transact(1, ReadBody(0, 98), ReadExpected(98), regs, tickMs), true);
  for (int reg = 0; reg < 98; ++reg) EXPECT_EQ(regs[reg], ModbusSlave::InitialValue(reg)) << reg;

  EXPECT_EQ(rig.Transact(1, WriteBody(20, {8, 0, 65535}), 14, regs, tickMs), true);
  EXPECT_EQ(rig.Transact(1, "06" + Hex4(30) + Hex4(70000), 14, regs, tickMs), true);
  regs.fill(-1);
  ASSERT_EQ(rig.Transact(1, ReadBody(20, 11), ReadExpected(11), regs, tickMs), true);
  EXPECT_EQ(regs[0], 8);
  EXPECT_EQ(regs[1], 0);
  EXPECT_EQ(regs[2], 65535);
  EXPECT_EQ(regs[3], ModbusSlave::InitialValue(23));
  EXPECT_EQ(regs[10], 0x1170);
  EXPECT_EQ(regs[11], -1);

  EXPECT_EQ(rig.Transact(1, ReadBody(ModbusSlave::kRegisters, 2), ReadExpected(2), regs, tickMs), false);
  EXPECT_TRUE(rig.comm.LinkOK);
  EXPECT_FALSE(rig.comm.TxnBusy);
}

void ExpectWritesReachedTheSlave(ModbusSlave& slave) {
  slave.Stop();
  const auto registers = slave.Registers();
  EXPECT_EQ(registers[20], 8);
  EXPECT_EQ(registers[22], 65535);
  EXPECT_EQ(registers[30], 0x1170);
  EXPECT_EQ(registers[31], ModbusSlave::InitialValue(31));
}

TEST(Peer, LibmodbusOverTcp) {
  const auto slave = ModbusSlave::Tcp();
  ASSERT_TRUE(slave);
  LinkRig rig(slave->Port());
  ASSERT_TRUE(rig.OpenTcp());
  RunScenario(rig, kTcpTickMs);
  ExpectWritesReachedTheSlave(*slave);
}

TEST(Peer, LibmodbusOverRtu) {
  LinkRig rig;
  test::SocatPtyPair pair(rig.folder.File("COM1"), rig.folder.File("slave"));
  ASSERT_TRUE(pair.Ready()) << pair.Problem();
  const auto slave = ModbusSlave::Rtu(rig.folder.File("slave"));
  ASSERT_TRUE(slave);
  ASSERT_TRUE(rig.OpenSerial(1, true, "9600,n,8,1"));
  RunScenario(rig, kSerialTickMs);
  ExpectWritesReachedTheSlave(*slave);
}

TEST(Peer, PymodbusOverAscii) {
  LinkRig rig;
  test::SocatPtyPair pair(rig.folder.File("COM2"), rig.folder.File("slave"));
  ASSERT_TRUE(pair.Ready()) << pair.Problem();
  test::PeerProcess slave = test::StartAsciiSlave(rig.folder.File("slave"));
  ASSERT_TRUE(slave.Running()) << slave.Output().toStdString();
  ASSERT_TRUE(rig.OpenSerial(2, false, "9600,e,7,1"));
  ASSERT_NO_FATAL_FAILURE(
      RunScenario(rig, kSerialTickMs, [&] { return slave.Running() ? std::nullopt : std::optional(slave.Output()); }));
  EXPECT_TRUE(slave.Running()) << slave.Output().toStdString();
}

}  // namespace
}  // namespace vt
