// The factory parameter image.
#include <gtest/gtest.h>

#include "indicator-sim/ParameterMemory.h"

namespace vt::sim {
namespace {

int Word16(const ParameterMemory& memory, int address) { return memory.At(address) | memory.At(address + 1) << 8; }
int Word24(const ParameterMemory& memory, int address) {
  return Word16(memory, address) | memory.At(address + 2) << 16;
}

TEST(ParameterMemory, FactoryImageHoldsTheDefaultSerialLink) {
  const ParameterMemory memory;
  EXPECT_EQ(memory.At(0), 176);  // RTU, 9600, no parity, 8 data bits, 1 stop bit
  EXPECT_EQ(memory.At(1), 1);
  EXPECT_EQ(memory.At(2), 0);
  EXPECT_EQ(memory.At(3), 40);
}

TEST(ParameterMemory, FactoryImageHoldsValidProductionAndCalibrationDates) {
  const ParameterMemory memory;
  for (int date : {8, 19}) {
    EXPECT_GE(memory.At(date), 1);
    EXPECT_LE(memory.At(date), 31);
    EXPECT_GE(memory.At(date + 1), 1);
    EXPECT_LE(memory.At(date + 1), 12);
    const int year = Word16(memory, date + 2);
    EXPECT_GE(year, 2000);
    EXPECT_LE(year, 2019);  // the range the production panel shows
  }
}

TEST(ParameterMemory, FactoryImageHoldsTheFixedDefaults) {
  const ParameterMemory memory;
  const std::pair<int, int> expected[] = {{4, 255}, {5, 5},  {6, 7},    {7, 5},    {12, 0},   {16, 10}, {23, 3},
                                          {24, 0},  {32, 0}, {33, 255}, {34, 255}, {35, 255}, {64, 0},  {150, 0}};
  for (auto [address, value] : expected) EXPECT_EQ(memory.At(address), value) << "address " << address;
}

TEST(ParameterMemory, FactoryScaleIsConsistentWithTheShownValue) {
  const ParameterMemory memory;
  EXPECT_EQ(memory.Decimals(), 1);
  EXPECT_EQ(memory.Capacity(), 10000);
  EXPECT_EQ(Word24(memory, 45), 10000);
  EXPECT_EQ(memory.At(48), 1);  // kg
  EXPECT_EQ(Word24(memory, 52), 5000);
  EXPECT_EQ(Word24(memory, 55), 10000);
  EXPECT_EQ(Word16(memory, 58), 8192);   // 4 mA
  EXPECT_EQ(Word16(memory, 60), 40960);  // 20 mA
  EXPECT_EQ(Word24(memory, 90), 10000);
  EXPECT_EQ(memory.At(206), 0);  // custom filter
  EXPECT_EQ(Word24(memory, 201), 250);
}

}  // namespace
}  // namespace vt::sim
