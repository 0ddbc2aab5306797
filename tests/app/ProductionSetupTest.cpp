// The production set-up written into the simulated indicator.
#include "setup/ProductionSetup.h"

#include <gtest/gtest.h>

#include <QVersionNumber>

#include "SimulatedStation.h"
#include "support/AddressRuns.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

using test::Join;
using test::Range;

constexpr quint8 kUntouched = 170;  // every cell of the indicator before the set-up

class ProductionSetupAgainstIndicator : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(station.WaitForLink());
    station.clock.FixNow(QDateTime(QDate(2023, 10, 21), QTime(8, 0)));
    for (int address = 0; address < 256; ++address) indicator().SetParameter(address, kUntouched);
    station.program().global.ParImage.fill(99);
  }
  sim::IndicatorModel& indicator() { return station.indicator(); }
  void Build(const ProductionSetupOptions& options) { setup.BuildProductionSetup(options, station.form.get()); }
  void StoreSerial(const QString& line) { station.folder.WriteLines(QStringLiteral("serial.cfg"), {line}); }
  QStringList SerialLines() { return station.folder.ReadLines(QStringLiteral("serial.cfg")); }
  std::vector<int> Written() {
    std::vector<int> addresses;
    for (const auto& command : indicator().Commands()) {
      if (command.code == sim::Cmd::WriteParam) addresses.push_back(command.arg1);
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
      {13, 0x71}, {14, 0x11}, {15, 1}, {16, 0},             // the next serial number 70001 = 11171h
      {4, 255}, {8, 21}, {9, 10}, {10, 231}, {11, 7},       // made on 21 October 2023 (231 + 256 x 7)
      {20, 21}, {23, 7}, {17, version.majorVersion()}, {18, version.minorVersion()}, {19, 21}, {24, 0},
      {26, 127}, {27, 94}, {28, 6}, {29, 0}, {33, 0}, {40, 0},  // the calibration record
      {37, 0x10}, {38, 0x27}, {39, 0}, {47, 0}, {48, 1},        // capacities 10000 = 2710h
      {200, 99},                                                // an unfilled cell goes as the image holds it
      {52, 0x88}, {53, 0x13}, {59, 32}, {61, 160}, {90, 0x10},  // set point 5000 = 1388h, analog output
      {0, 176}, {3, 32}, {5, 3}, {6, 13}, {7, 3},               // serial link and input
      {25, kUntouched},                                         // filled, but its group is not written
      {102, 8}, {103, 0}, {130, 0x20}, {131, 0xA1}, {132, 0x0F}, {135, 7},  // 80000h, FA120h, 7A120h
      {150, kUntouched}, {191, kUntouched}};                    // the three-point table
  for (auto [address, value] : cells) EXPECT_EQ(indicator().Parameter(address), value) << "address " << address;

  EXPECT_EQ(SerialLines(), QStringList{QStringLiteral(" 70001 ")});
  EXPECT_EQ(indicator().EepromStores(), 1);
  EXPECT_EQ(indicator().SerialLinkApplies(), 2);  // after the serial-link group, and at the end
  EXPECT_TRUE(station.program().comm.PollEnabled);
  EXPECT_TRUE(station.dialogs.boxes.empty());
}

TEST_F(ProductionSetupAgainstIndicator, EachOptionRaisesOnlyItsOwnGroups) {
  StoreSerial(QStringLiteral(" 5 "));
  const std::pair<ProductionSetupOptions, std::vector<int>> rows[] = {
      {{.SerialOp = 1}, {0}}, {{.OvrProd = 1}, {1}}, {{.OvrCalib = 1}, {2, 11}}, {{.OvrDisplay = 1}, {3}},
      {{.OvrOutput = 1}, {4}}, {{.OvrComm = 1}, {5}}, {{.OvrInput = 1}, {7}},   {{.OvrLin = 1}, {9}},
      {{.OvrComp = 1}, {}},    {{.OvrProd = 2}, {}},  {{.HasUserInterface = 1}, {}}};
  for (const auto& [options, groups] : rows) {
    station.program().global.ParFlags.fill(true);
    Build(options);
    std::vector<int> raised;
    for (int group = 0; group < kParFlagCount; ++group) {
      if (station.program().global.ParFlags[group]) raised.push_back(group);
    }
    EXPECT_EQ(raised, groups);
    EXPECT_EQ(indicator().Commands().back().code, sim::Cmd::ApplySerialLink);
  }
  EXPECT_EQ(SerialLines(), QStringList{QStringLiteral(" 5 ")});
}

TEST_F(ProductionSetupAgainstIndicator, TheSerialNumberMustFitFourBytesAndAFailedWriteIsReported) {
  const QString outOfRange = QStringLiteral("The Serial Number must lie between 0 and 2147483647!");
  const struct {
    QString stored;  // empty: no serial-number file
    int serialOp;
    QString box;
    QString storedAfter;
    int lowByte;  // -1: nothing sent
  } rows[] = {
      {"", 2, "Cannot read serial file, 0 will be assigned as serial, please specify serial number manually", " 1 ", 1},
      {" 2.75 ", 1, "", " 2.75 ", 3},
      {" 2147483647 ", 2, outOfRange, " 2147483647 ", -1},
      {"-5 ", 1, outOfRange, "-5 ", -1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.stored.toStdString());
    QFile::remove(station.folder.File(QStringLiteral("serial.cfg")));
    if (!row.stored.isEmpty()) StoreSerial(row.stored);
    station.dialogs.boxes.clear();
    const std::size_t sent = indicator().Commands().size();
    Build({.SerialOp = row.serialOp});
    EXPECT_EQ(station.dialogs.texts(), row.box.isEmpty() ? QStringList() : QStringList{row.box});
    EXPECT_EQ(SerialLines(), QStringList{row.storedAfter});
    if (row.lowByte < 0) {
      EXPECT_EQ(indicator().Commands().size(), sent);
    } else {
      EXPECT_EQ(indicator().Parameter(13), row.lowByte);
    }
  }

  station.dialogs.boxes.clear();
  indicator().FailParameterCommands(4);
  Build({.OvrComm = 1});
  EXPECT_EQ(station.dialogs.texts(), QStringList{QStringLiteral("Communication Failed")});
  EXPECT_EQ(indicator().Commands().back().code, sim::Cmd::ApplySerialLink);
  EXPECT_TRUE(station.program().comm.PollEnabled);
}

}  // namespace
}  // namespace vt
