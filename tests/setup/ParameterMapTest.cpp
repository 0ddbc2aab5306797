#include <gtest/gtest.h>

#include "setup/ParameterMap.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

ParameterImage ImageWith(std::initializer_list<std::pair<int, std::int32_t>> cells) {
  ParameterImage image{};
  for (const auto& [address, value] : cells) image[address] = value;
  return image;
}

TEST(ParameterMapDecoding, ProductionDateOutOfRangeSelectsTheNeutralItems) {
  struct Row {
    std::int32_t day, month, yearLow, yearHigh;
    int dayIndex, monthIndex;
    const char* year;
  };
  for (const Row& r : {Row{1, 1, 208, 7, 0, 0, "2000"}, Row{31, 12, 227, 7, 30, 11, "2019"},
                       Row{0, 13, 255, 255, 31, 12, "----"}, Row{32, 0, 228, 7, 31, 12, "----"}}) {
    const auto image = ImageWith({{8, r.day}, {9, r.month}, {10, r.yearLow}, {11, r.yearHigh}});
    const ProductionValues v = DecodeProduction(image);
    EXPECT_EQ(v.day, r.dayIndex) << r.day;
    EXPECT_EQ(v.month, r.monthIndex) << r.month;
    EXPECT_EQ(v.year, (ShownCount{r.year, r.yearLow + 256 * r.yearHigh}));
  }
  EXPECT_EQ(FirmwareText(12), QStringLiteral("V 1.2"));
  EXPECT_EQ(FirmwareText(0), QStringLiteral("V 0.0"));
}

TEST(ParameterMapDecoding, ScaleCellsSelectTheirItemsOrTheNeutralOnes) {
  // Three decimals: the largest 24-bit count is shown scaled.
  auto image = ImageWith({{34, 2}, {35, 8}, {36, 9}, {37, 255}, {38, 255}, {39, 255}, {44, 3}, {45, 1}, {48, 10},
                          {200, 1}, {204, 0}, {205, 12}, {207, 255}});
  ScaleValues v = DecodeScale(image);
  EXPECT_EQ(v.scaleType, 2);
  EXPECT_EQ(v.steps1, 8);
  EXPECT_EQ(v.steps2, 9);
  EXPECT_EQ(v.decimalPoint, 3);
  EXPECT_EQ(v.range1, QStringLiteral("16777.215"));
  EXPECT_EQ(v.range2, QStringLiteral("0.001"));
  EXPECT_EQ(v.unit, 9);
  EXPECT_EQ(v.certified, 1);
  EXPECT_EQ(v.initialZero, 0);
  EXPECT_EQ(v.drift, 10);
  EXPECT_EQ(v.autoTare, 1);

  // An unknown decimal point selects "(0) None" and the capacities read as
  // plain counts; unknown scale types read as a single interval.
  for (std::int32_t type : {0, 7}) {
    image[34] = type;
    image[44] = 9;
    v = DecodeScale(image);
    EXPECT_EQ(v.scaleType, 0);
    EXPECT_EQ(v.decimalPoint, 0);
    EXPECT_EQ(v.range1, QStringLiteral("16777215"));
  }
  image[200] = 255;
  image[207] = 0;
  EXPECT_EQ(DecodeScale(image).certified, 1);
  EXPECT_EQ(DecodeScale(image).autoTare, 0);

  // Just past the last decimal point, the last drift.
  image[44] = 7;
  image[205] = 9;
  v = DecodeScale(image);
  EXPECT_EQ(v.decimalPoint, 0);
  EXPECT_EQ(ListChoices(ParList::Drift).items.value(v.drift), QStringLiteral("(9) 9e"));
}

// Each count shown keeps the count read, which three decimals of a mA cannot
// always hold.
TEST(ParameterMapDecoding, OutputsScaleTheRelayDelayAndTheAnalogCurrents) {
  const auto image = ImageWith({{52, 0x39}, {53, 0x30}, {55, 255}, {56, 255}, {57, 255}, {58, 1}, {59, 32},
                                {60, 0}, {61, 160}, {62, 255}, {82, 255}, {84, 1}, {87, 255}, {90, 16}, {91, 39}});
  const OutputsValues v = DecodeOutputs(image);
  EXPECT_EQ(v.setPoint1, (ShownCount{"12345", 12345}));
  EXPECT_EQ(v.setPoint2, (ShownCount{"16777215", 16777215}));
  EXPECT_EQ(v.setPoint1Base, 1);
  EXPECT_EQ(v.setPoint2Base, 0);
  EXPECT_EQ(v.relay1Action, 0);
  EXPECT_EQ(v.relay2Action, 1);
  EXPECT_EQ(v.relayDelay, QStringLiteral("25.5"));
  EXPECT_EQ(v.analogBase, 1);
  EXPECT_EQ(v.analogFrom, (ShownCount{"4.000", 8193}));
  EXPECT_EQ(v.analogTo, (ShownCount{"20.000", 40960}));
  EXPECT_EQ(v.analogMax, (ShownCount{"10000", 10000}));
}

TEST(ParameterMapDecoding, SerialLinkByteBitByBitAndCountsByTheBaudFactor) {
  struct Row {
    std::int32_t b, delay, timeOut;
    int protocol, baud, parity, bits, stops;
    const char* delayText;
    const char* timeOutText;
  };
  for (const Row& r : {Row{176, 5, 40, 0, 3, 0, 1, 0, "0.625", "5"}, Row{186, 4, 40, 1, 3, 0, 1, 0, "0.5", "5"},
                       Row{2 + 12 + 64, 32, 255, 1, 0, 1, 0, 1, "32", "255"},
                       Row{4 + 16, 5, 13, 0, 1, 2, 0, 0, "2.5", "6.5"},
                       Row{32 + 4 + 128, 1, 13, 0, 2, 2, 1, 0, "0.25", "3.25"},
                       Row{1, 32, 255, 0, 0, 0, 0, 0, "32", "255"},  // bit 0 is not used
                       Row{255, 1, 13, 1, 3, 1, 1, 1, "0.125", "1.625"}}) {
    const auto image = ImageWith({{0, r.b}, {1, 247}, {2, r.delay}, {3, r.timeOut}});
    const SerialLinkValues v = DecodeSerialLink(image);
    EXPECT_EQ((std::array{v.protocol, v.baud, v.parity, v.dataBits, v.stopBits}),
              (std::array{r.protocol, r.baud, r.parity, r.bits, r.stops}))
        << r.b;
    EXPECT_EQ(v.delay, (ShownCount{r.delayText, r.delay})) << r.b;
    EXPECT_EQ(v.timeOut, (ShownCount{r.timeOutText, r.timeOut})) << r.b;
    EXPECT_EQ(v.address, QStringLiteral("247"));
  }
}

TEST(ParameterMapLists, ItemsAndTheValuesTheyStandFor) {
  EXPECT_EQ(ListChoices(ParList::Steps).items.back(), QStringLiteral("---"));
  EXPECT_EQ(ItemValue(ParList::Steps, 9), 1);
  EXPECT_EQ(ListChoices(ParList::Drift).items[9], QStringLiteral("(9) 9e"));
  EXPECT_EQ(ItemValue(ParList::Drift, 10), 0);
  EXPECT_EQ(ItemValue(ParList::Certified, 2), 255);
  EXPECT_EQ(ItemValue(ParList::AutoTare, 2), 1);
  EXPECT_EQ(ItemValue(ParList::RelayAction, 1), 0);
  EXPECT_EQ(ItemValue(ParList::Parity, 2), 3);
  EXPECT_EQ(ListChoices(ParList::Unit).items[7], QStringLiteral("(7) mV/V"));
  EXPECT_EQ(ListChoices(ParList::Day).items.size(), 32);
  EXPECT_FALSE(ItemValue(ParList::Unit, -1).has_value());
  for (double step : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0, 500.0}) {
    EXPECT_EQ(*ItemValue(ParList::Steps, LookUpSteps(step)), step);
  }
  EXPECT_EQ(LookUpSteps(3), 9);
  EXPECT_EQ(LookUpSteps(1000), 9);
}

TEST(ScaleSummaryCounts, DivisionsOfEachRangeOrNotAvailable) {
  struct Row {
    std::optional<int> type;
    int dp;
    std::optional<int> step1, step2;
    const char *range1, *range2;
    bool single;
    const char *n1, *n2;
  };
  const Row rows[] = {
      {0, 1, 10, 10, "", "3000", true, "3000", ""},
      {0, 0, 10, 10, "", "3000", true, "300", ""},
      {0, 0, 1, 1, "", "1,5", true, "1.5", ""},
      {0, 7, 10, 10, "", "3000", true, "3000000000", ""},  // "---" counts as 7 decimals
      {0, -1, 10, 10, "", "3000", true, "N/A", ""},
      {0, 0, 10, 10, "", "", true, "N/A", ""},
      {0, 0, std::nullopt, 10, "", "50", true, "N/A", ""},
      {1, 0, 1, 5, "100", "200", false, "100", "40"},
      {2, 2, 2, 5, "0.5", "12", false, "25", "240"},
      {1, 6, 1, 1, "100", "200", false, "100000000", "200000000"},
      {1, 7, 1, 1, "100", "200", false, "N/A", "N/A"},
      {1, 0, 1, 1, "abc", "200", false, "N/A", "N/A"},  // the error stays set
      {1, 0, 1, 1, "100", "1,5", false, "100", "N/A"},
      {std::nullopt, 0, 1, 1, "100", "200", false, "N/A", "N/A"},
      {1, 6, 1, 1, "1e308", "2", false, "N/A", "N/A"},  // the division overflows
  };
  for (const Row& r : rows) {
    const ScaleSummary s = SummarizeScale({r.type, r.dp, r.step1, r.step2, QString::fromLatin1(r.range1),
                                           QString::fromLatin1(r.range2)});
    EXPECT_EQ(s.singleInterval, r.single) << r.range1 << " " << r.range2;
    EXPECT_EQ(s.n1, QString::fromLatin1(r.n1)) << r.range1 << " " << r.range2 << " dp " << r.dp;
    if (!r.single) {
      EXPECT_EQ(s.n2, QString::fromLatin1(r.n2)) << r.range1 << " " << r.range2;
    }
  }
}

}  // namespace
}  // namespace vt
