// The production set-up written into the simulated indicator.
#include "setup/ProductionSetup.h"

#include <gtest/gtest.h>

#include <QVersionNumber>

#include "SimulatedStation.h"
#include "support/AddressRuns.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;

using test::Join;
using test::Range;

constexpr quint8 kUntouched = 170;  // what the indicator's cells hold before the set-up
const QString kSerialOutOfRange = QStringLiteral("The Serial Number must lie between 0 and 2147483647!");

class ProductionSetupAgainstIndicator : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(station.WaitForLink());
    station.clock.FixNow(QDateTime(QDate(2023, 10, 21), QTime(8, 0)));
    for (int address = 0; address < 256; ++address) indicator().SetParameter(address, kUntouched);
    program().global.ParImage.fill(99);
  }
  Program& program() { return station.program(); }
  sim::IndicatorModel& indicator() { return station.indicator(); }
  void Build(const ProductionSetupOptions& options) { setup.BuildProductionSetup(options, station.form.get()); }
  void StoreSerial(const QString& line) { station.folder.WriteLines(QStringLiteral("serial.cfg"), {line}); }
  std::vector<int> Written() {
    std::vector<int> addresses;
    for (const auto& command : indicator().Commands()) {
      if (command.code == Cmd::WriteParam) addresses.push_back(command.arg1);
    }
    return addresses;
  }

  test::SimulatedStation station;
  ProductionSetup setup{station.program(), *station.form->transactions, *station.form->commands,
                        *station.form->transfers};
};

TEST_F(ProductionSetupAgainstIndicator, EveryBlockButTheThreePointTableIsWrittenAndStoredInEEprom) {
  StoreSerial(QStringLiteral(" 70000 "));
  Build({.SerialOp = 2, .OvrProd = 1, .OvrInput = 1, .OvrCalib = 1, .OvrLin = 1, .OvrComp = 1, .OvrDisplay = 1,
         .OvrOutput = 1, .OvrComm = 1});

  EXPECT_EQ(Written(), Join({{4}, Range(8, 12), Range(13, 16), Range(17, 23), Range(34, 39), Range(44, 48),
                             {200, 204, 205, 207}, Range(52, 62), Range(84, 87), {82, 90, 91, 92}, Range(0, 3),
                             {5, 6, 7, 201, 202, 203, 7, 206}, Range(100, 135), Range(26, 33), Range(40, 43),
                             Range(17, 24)}));
  const QVersionNumber version = QVersionNumber::fromString(QStringLiteral(VORTEST_TEST_VERSION));
  const std::pair<int, int> cells[] = {
      // The next serial number, 70001 = 11171h, lowest byte first.
      {13, 0x71}, {14, 0x11}, {15, 1}, {16, 0},
      // Production and calibration dates: 21 October 2023, the year as 231 + 256 x 7.
      {4, 255}, {8, 21}, {9, 10}, {10, 231}, {11, 7}, {20, 21}, {21, 10}, {22, 231}, {23, 7},
      // The calibration record.
      {12, 0}, {17, version.majorVersion()}, {18, version.minorVersion()}, {19, 21}, {24, 0}, {26, 127}, {27, 94},
      {28, 6}, {29, 0}, {30, 0}, {33, 0}, {40, 0}, {43, 0},
      // Scale: both capacities 10000 = 2710h.
      {34, 0}, {36, 0}, {37, 0x10}, {38, 0x27}, {39, 0}, {44, 0}, {45, 0x10}, {46, 0x27}, {47, 0}, {48, 1},
      {200, 99},  // a cell of the group that no block fills goes as the image holds it
      // Outputs: set points 5000 = 1388h and 10000, analog 8192 to 40960, maximum 10000.
      {52, 0x88}, {53, 0x13}, {54, 0}, {55, 0x10}, {56, 0x27}, {58, 0}, {59, 32}, {60, 0}, {61, 160}, {62, 0},
      {82, 0}, {84, 0}, {87, 0}, {90, 0x10}, {91, 0x27}, {92, 0},
      // The indicator's serial link and the input.
      {0, 176}, {1, 1}, {2, 0}, {3, 32}, {5, 3}, {6, 13}, {7, 3},
      {25, kUntouched},  // set in the image, but its group is not written
      // Six points: 524288 = 80000h, then 1024288 = FA120h with 500000 = 7A120h.
      {100, 0}, {101, 0}, {102, 8}, {103, 0}, {105, 0}, {130, 0x20}, {131, 0xA1}, {132, 0x0F}, {133, 0x20},
      {134, 0xA1}, {135, 7},
      // The three-point table stays as it was.
      {150, kUntouched}, {191, kUntouched}};
  for (auto [address, value] : cells) EXPECT_EQ(indicator().Parameter(address), value) << "address " << address;

  EXPECT_EQ(station.folder.ReadLines(QStringLiteral("serial.cfg")), QStringList{QStringLiteral(" 70001 ")});
  EXPECT_EQ(indicator().EepromStores(), 1);
  EXPECT_EQ(indicator().RamStores(), 0);
  EXPECT_EQ(indicator().SerialLinkApplies(), 2);  // after the serial-link group, and at the end
  EXPECT_EQ(indicator().Commands().back().code, Cmd::ApplySerialLink);
  EXPECT_TRUE(program().comm.PollEnabled);
  EXPECT_TRUE(station.dialogs.boxes.empty());
}

TEST_F(ProductionSetupAgainstIndicator, EachOptionRaisesOnlyItsOwnGroups) {
  StoreSerial(QStringLiteral(" 5 "));
  const struct {
    ProductionSetupOptions options;
    std::vector<int> groups;
  } rows[] = {
      {{.SerialOp = 1}, {0}},    {{.OvrProd = 1}, {1}},   {{.OvrCalib = 1}, {2, 11}}, {{.OvrDisplay = 1}, {3}},
      {{.OvrOutput = 1}, {4}},   {{.OvrComm = 1}, {5}},   {{.OvrInput = 1}, {7}},     {{.OvrLin = 1}, {9}},
      {{.OvrComp = 1}, {}},      {{.OvrProd = 2}, {}},    {{.HasUserInterface = 1}, {}},
  };
  for (const auto& row : rows) {
    program().global.ParFlags.fill(true);
    Build(row.options);
    std::vector<int> raised;
    for (int group = 0; group < kParFlagCount; ++group) {
      if (program().global.ParFlags[group]) raised.push_back(group);
    }
    EXPECT_EQ(raised, row.groups);
    EXPECT_EQ(indicator().Commands().back().code, Cmd::ApplySerialLink);
  }
  EXPECT_EQ(station.folder.ReadLines(QStringLiteral("serial.cfg")), QStringList{QStringLiteral(" 5 ")});
  EXPECT_TRUE(station.dialogs.boxes.empty());
}

TEST_F(ProductionSetupAgainstIndicator, TheStoredSerialNumberMustFitTheIndicatorsFourBytes) {
  const struct {
    QString stored;  // empty: no serial-number file
    int serialOp;
    QStringList boxes;
    QString storedAfter;
    int lowByte;  // -1: refused, nothing sent
  } rows[] = {
      {"", 2,
       {"Cannot read serial file, 0 will be assigned as serial, please specify serial number manually"}, " 1 ", 1},
      {" 2.75 ", 1, {}, " 2.75 ", 3},
      {" 2147483647 ", 2, {kSerialOutOfRange}, " 2147483647 ", -1},
      {"-5 ", 1, {kSerialOutOfRange}, "-5 ", -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.stored.toStdString());
    QFile::remove(station.folder.File(QStringLiteral("serial.cfg")));
    if (!row.stored.isEmpty()) StoreSerial(row.stored);
    station.dialogs.boxes.clear();
    const std::size_t sent = indicator().Commands().size();
    Build({.SerialOp = row.serialOp});
    EXPECT_EQ(station.dialogs.texts(), row.boxes);
    EXPECT_EQ(station.folder.ReadLines(QStringLiteral("serial.cfg")), QStringList{row.storedAfter});
    if (row.lowByte < 0) {
      EXPECT_EQ(indicator().Commands().size(), sent);
    } else {
      EXPECT_EQ(indicator().Parameter(13), row.lowByte);
    }
  }
}

TEST_F(ProductionSetupAgainstIndicator, AFailedWriteIsReportedAndTheLinkAndPollStillComeBack) {
  indicator().FailParameterCommands(4);
  Build({.OvrComm = 1});
  EXPECT_EQ(station.dialogs.texts(), QStringList{QStringLiteral("Communication Failed")});
  EXPECT_EQ(indicator().Parameter(0), kUntouched);
  EXPECT_EQ(indicator().Commands().back().code, Cmd::ApplySerialLink);
  EXPECT_TRUE(program().comm.PollEnabled);
}

}  // namespace
}  // namespace vt
