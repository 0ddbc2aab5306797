// The parameter transfer windows against the simulated indicator.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>

#include "SimulatedStation.h"
#include "support/AddressRuns.h"
#include "setup/TransferWindow.h"
#include "support/QStringPrinter.h"
#include "support/ShowWatch.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;

using test::Join;
using test::Range;

class ParameterTransfers : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(station.WaitForLink()); }

  vt::ParameterTransfers& transfers() { return *station.form->transfers; }
  Program& program() { return station.program(); }
  sim::IndicatorModel& indicator() { return station.indicator(); }

  void Raise(std::initializer_list<int> flags) {
    program().comm.CommError = false;
    transfers().ClearParFlags();
    for (int flag : flags) program().global.ParFlags[flag] = true;
  }
  // The addresses of the parameter commands with this code, in order.
  std::vector<int> Addresses(quint16 code) {
    std::vector<int> addresses;
    for (const auto& command : station.sim.Model().Commands()) {
      if (command.code == code) addresses.push_back(command.arg1);
    }
    return addresses;
  }
  std::vector<quint16> Codes() {
    std::vector<quint16> codes;
    for (const auto& command : station.sim.Model().Commands()) codes.push_back(command.code);
    return codes;
  }

  test::SimulatedStation station;
};

TEST_F(ParameterTransfers, FactoryDefaultsCarryTodaysDate) {
  FakeClock clock(QDateTime(QDate(2023, 10, 21), QTime(8, 0)));
  Program program(station.folder.Path(), station.dialogs, clock);
  program.global.ParImage.fill(99);
  vt::ParameterTransfers transfers(program, *station.form->commands);
  transfers.SetDefaultPars();
  // The factory table as runs of addresses with their value (the date at 8
  // to 11 and again at 19 to 22); every other address keeps what it held.
  struct Run {
    int first, last, value;
  };
  const Run table[] = {{0, 0, 176},  {1, 1, 1},    {2, 2, 0},    {3, 3, 40},   {4, 4, 255},   {5, 5, 5},
                       {6, 6, 7},    {7, 7, 5},    {8, 8, 21},   {9, 9, 10},   {10, 10, 231}, {11, 11, 7},
                       {12, 15, 0},  {16, 16, 10}, {17, 18, 0},  {19, 19, 21}, {20, 20, 10},  {21, 21, 231},
                       {22, 22, 7},  {23, 23, 3},  {24, 32, 0},  {33, 35, 255}, {64, 150, 0}};
  std::array<std::int32_t, kParImageSize> expected;
  expected.fill(99);
  for (const Run& run : table) std::fill(&expected[run.first], &expected[run.last] + 1, run.value);
  for (int address = 0; address < kParImageSize; ++address) {
    EXPECT_EQ(program.global.ParImage[address], expected[address]) << "address " << address;
  }
}

TEST_F(ParameterTransfers, ReadFillsTheImageAndAFailedAddressEndsTheRead) {
  for (int address = 0; address < 8; ++address) indicator().SetParameter(address, 100 + address);
  struct Case {
    int failures;
    bool commError;
    std::vector<int> reads;
  };
  const Case cases[] = {
      {3, false, {0, 0, 0, 0, 1, 2, 3}},  // the fourth attempt succeeds
      {4, true, {0, 0, 0, 0}},            // four failures: nothing further is read
  };
  for (const Case& c : cases) {
    const std::size_t before = indicator().Commands().size();
    program().global.ParImage.fill(-5);
    indicator().FailParameterCommands(c.failures);
    Raise({5});
    transfers().ShowReadSetUp(station.form.get());
    EXPECT_EQ(program().comm.CommError, c.commError);
    std::vector<int> reads;
    for (std::size_t i = before; i < indicator().Commands().size(); ++i) {
      if (indicator().Commands()[i].code == Cmd::ReadParam) reads.push_back(indicator().Commands()[i].arg1);
    }
    EXPECT_EQ(reads, c.reads);
    EXPECT_EQ(program().global.ParImage[0], c.commError ? -5 : 100);
    EXPECT_EQ(program().global.ParImage[3], c.commError ? -5 : 103);
  }
  EXPECT_EQ(Codes().front(), Cmd::DeviceType);  // asked first, in every read
  EXPECT_TRUE(station.dialogs.boxes.empty());  // the windows show no message of their own

  Raise({7});
  transfers().ShowReadSetUp(station.form.get());
  EXPECT_FALSE(program().comm.CommError);
  EXPECT_EQ(program().global.ParImage[7], 107);
  const std::vector<int> reads = Addresses(Cmd::ReadParam);
  EXPECT_EQ(std::vector<int>(reads.end() - 8, reads.end()), std::vector<int>({5, 6, 7, 201, 202, 203, 7, 206}));

  // Once nothing may show (the program is ending), a transfer does not run
  // and counts as failed.
  station.dialogs.EndShowing();
  Raise({7});
  transfers().ShowReadSetUp(station.form.get());
  EXPECT_TRUE(program().comm.CommError);
}

TEST_F(ParameterTransfers, ASilentIndicatorEndsTheTransferThroughTheTimeOuts) {
  program().global.ParImage.fill(-5);
  station.sim.Faults().StartSilence(600000);
  Raise({5});
  transfers().ShowReadSetUp(station.form.get());
  station.sim.Faults().StartSilence(0);
  EXPECT_TRUE(program().comm.CommError);
  EXPECT_EQ(program().global.ParImage[0], -5);
  EXPECT_TRUE(Addresses(Cmd::ReadParam).empty());
}

TEST_F(ParameterTransfers, ProgressMovesByThirdsAcrossThreeAddresses) {
  std::vector<float> seen;
  station.sim.Server().SetTrace([&](const QString&) {
    if (auto* window = qobject_cast<TransferWindow*>(QApplication::activeModalWidget())) {
      if (seen.empty() || seen.back() != window->ProgressValue()) seen.push_back(window->ProgressValue());
    }
  });
  Raise({12, 8});  // addresses 83, 25 and 95
  transfers().ShowWriteSetUp(station.form.get());
  station.sim.Server().SetTrace({});
  EXPECT_EQ(Addresses(Cmd::WriteParam), std::vector<int>({83, 25, 95}));
  EXPECT_EQ(seen, std::vector<float>({0.0f, 100.0f / 3, 200.0f / 3, 100.0f}));
}

TEST_F(ParameterTransfers, WriteEndsWithTheStoreItsGroupsNeed) {
  struct Case {
    std::initializer_list<int> flags;
    int ramStores;
    int eepromStores;
  };
  const Case cases[] = {{{}, 1, 0}, {{12}, 1, 0}, {{9}, 0, 1}, {{10}, 0, 1}};
  for (const Case& c : cases) {
    const int ram = indicator().RamStores();
    const int eeprom = indicator().EepromStores();
    Raise(c.flags);
    transfers().ShowWriteSetUp(station.form.get());
    EXPECT_FALSE(program().comm.CommError);
    EXPECT_EQ(indicator().RamStores() - ram, c.ramStores);
    EXPECT_EQ(indicator().EepromStores() - eeprom, c.eepromStores);
  }
  EXPECT_EQ(indicator().SerialLinkApplies(), 0);
}

TEST_F(ParameterTransfers, AFailedSerialLinkWriteStoresNothingButStillAppliesTheLink) {
  indicator().FailParameterCommands(4);
  Raise({5});
  transfers().ShowWriteSetUp(station.form.get());
  EXPECT_TRUE(program().comm.CommError);
  EXPECT_EQ(Addresses(Cmd::WriteParam), std::vector<int>({0, 0, 0, 0}));
  EXPECT_EQ(indicator().RamStores() + indicator().EepromStores(), 0);
  EXPECT_EQ(Codes().back(), Cmd::ApplySerialLink);
}

// A store or the serial-link command that the indicator refuses four times
// fails the write: the caller shows one "Communication Failed".
TEST_F(ParameterTransfers, ARefusedStoreOrSerialLinkCommandFailsTheWrite) {
  ParameterPanels& panels = *station.form->parameterPanels;
  const std::pair<quint16, std::function<void()>> rows[] = {
      {Cmd::StoreToRam,
       [&] {
         panels.ReadPar_Click(2);
         panels.SetPar_Click(2);
       }},
      {Cmd::StoreToEeprom, [&] { station.form->WriteAllParameters(); }},
      {Cmd::ApplySerialLink, [&] { station.form->WriteAllParameters(); }},
  };
  for (const auto& [code, write] : rows) {
    SCOPED_TRACE(code);
    station.dialogs.boxes.clear();
    const auto before = std::ranges::count(Codes(), code);
    indicator().RefuseCommandWrites(code);
    write();
    indicator().RefuseCommandWrites(std::nullopt);
    EXPECT_EQ(std::ranges::count(Codes(), code), before + 4);
    EXPECT_EQ(station.dialogs.texts(), QStringList{QStringLiteral("Communication Failed")});
    EXPECT_TRUE(program().comm.PollEnabled);
  }
}

// A device of another type is written only after the operator agrees; a
// type that could not be read is a failed transfer, never that question.
TEST_F(ParameterTransfers, AnotherDeviceTypeIsWrittenOnlyAfterTheOperatorAgrees) {
  const QString question = QStringLiteral(
      ": This program is not compatible with this device. Calibration information can be lost.\n"
      "Please use Specific to the device.\nDo you want to continue?");
  struct Case {
    int type;  // -1: the query gets no answer
    int answer;
    std::size_t writes;
  };
  const Case cases[] = {{-1, MsgAnswer::Yes, 0}, {1700, MsgAnswer::No, 0}, {1700, MsgAnswer::Yes, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    if (c.type < 0) {
      indicator().ForceNeverCompletes(Cmd::DeviceType);
    } else {
      indicator().ClearForcedResults();
      indicator().SetDeviceType(c.type);
    }
    const std::size_t writesBefore = Addresses(Cmd::WriteParam).size();
    const int storesBefore = indicator().RamStores();
    station.dialogs.answers = {c.answer};
    station.dialogs.boxes.clear();
    program().comm.CommError = false;
    Raise({12});
    transfers().ShowWriteSetUp(station.form.get());
    EXPECT_EQ(Addresses(Cmd::WriteParam).size() - writesBefore, c.writes);
    EXPECT_EQ(indicator().RamStores() - storesBefore, int(c.writes));
    EXPECT_EQ(program().comm.CommError, c.type < 0);
    if (c.type < 0) {
      EXPECT_TRUE(station.dialogs.boxes.empty());
      continue;
    }
    ASSERT_EQ(station.dialogs.boxes.size(), 1u);
    EXPECT_EQ(station.dialogs.boxes[0].text, QString::number(c.type) + question);
    EXPECT_EQ(station.dialogs.boxes[0].title, QStringLiteral("Unknown device type!"));
    EXPECT_EQ(station.dialogs.boxes[0].style, 276);
  }
}

TEST_F(ParameterTransfers, WriteAllParametersWritesTheFactorySetAndStoresItInEEprom) {
  for (int address : {37, 52, 151, 200}) program().global.ParImage[address] = 42;
  std::vector<bool> pollOnAtWindow;  // the poll is off before the write window appears
  const test::ShowWatch watch(QStringLiteral("WriteSetUp"), [&] { pollOnAtWindow.push_back(program().comm.PollEnabled); });
  station.form->WriteAllParameters();
  EXPECT_EQ(pollOnAtWindow, std::vector<bool>{false});
  const std::vector<int> expected =
      Join({Range(4, 4), Range(8, 12), Range(13, 16), Range(17, 23), Range(34, 39), Range(44, 48), {200, 204, 205, 207},
            Range(52, 62), Range(84, 87), {82, 90, 91, 92}, Range(0, 3), {5, 6, 7, 201, 202, 203, 7, 206}, {25, 95},
            Range(100, 135), Range(150, 191), Range(26, 33), Range(40, 43), Range(17, 24)});
  ASSERT_EQ(expected.size(), 163u);
  EXPECT_EQ(Addresses(Cmd::WriteParam), expected);
  for (int address : expected) {
    EXPECT_EQ(indicator().Parameter(address), program().global.ParImage[address]) << "address " << address;
  }
  EXPECT_EQ(indicator().Parameter(37), 42);  // a cell the defaults leave alone goes as the image holds it
  EXPECT_EQ(indicator().Parameter(0), 176);
  EXPECT_EQ(indicator().EepromStores(), 1);
  EXPECT_EQ(indicator().RamStores(), 0);
  EXPECT_EQ(Codes().back(), Cmd::ApplySerialLink);
  EXPECT_TRUE(station.dialogs.boxes.empty());
  EXPECT_TRUE(program().comm.PollEnabled);

  indicator().FailParameterCommands(4);
  station.form->WriteAllParameters();
  EXPECT_EQ(station.dialogs.texts(), QStringList{QStringLiteral("Communication Failed")});
  EXPECT_TRUE(program().comm.PollEnabled);
}

}  // namespace
}  // namespace vt
