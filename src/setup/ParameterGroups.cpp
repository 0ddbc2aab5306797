#include "setup/ParameterGroups.h"

#include <utility>

namespace vt {
namespace {

// An address run first..last, both included.
using Run = std::pair<int, int>;

struct Group {
  int flag;
  std::vector<Run> runs;
};

// Each window examines its groups in this order.
const std::vector<Group> kReadGroups = {
    {ParGroup::ProductionDate, {{4, 4}, {8, 12}}},
    {ParGroup::SerialNumber, {{13, 16}}},
    {ParGroup::Scale, {{34, 39}, {44, 48}, {200, 200}, {204, 205}, {207, 207}}},
    {ParGroup::Outputs, {{52, 57}, {58, 62}, {84, 87}, {82, 82}, {90, 92}}},
    {ParGroup::SerialLink, {{0, 3}}},
    {ParGroup::Filter, {{5, 7}, {201, 203}, {7, 7}, {206, 206}}},
    {ParGroup::WholeMemory, {{0, 255}}},
};

// The calibration stamp and the whole memory depend on the caller and are
// handled apart.
const std::vector<Group> kWriteGroups = {
    {ParGroup::Cell83, {{83, 83}}},
    {ParGroup::ProductionDate, {{4, 4}, {8, 12}}},
    {ParGroup::SerialNumber, {{13, 16}}},
    {ParGroup::CalibrationStamp, {{17, 23}}},
    {ParGroup::Scale, {{34, 39}, {44, 48}, {200, 200}, {204, 205}, {207, 207}}},
    {ParGroup::Outputs, {{52, 57}, {58, 62}, {84, 87}, {82, 82}, {90, 92}}},
    {ParGroup::SerialLink, {{0, 3}}},
    {ParGroup::Filter, {{5, 7}, {201, 203}, {7, 7}, {206, 206}}},
    {ParGroup::Cells25And95, {{25, 25}, {95, 95}}},
    {ParGroup::SixPointTable, {{100, 135}}},
    {ParGroup::ThreePointTable, {{150, 191}}},
    {ParGroup::CalibrationRecord, {{26, 33}, {40, 43}, {17, 24}}},
    {ParGroup::WholeMemory, {{0, 36}, {48, 255}}},
};
constexpr int kServiceClockAddress = 24;
const std::vector<Run> kWholeMemoryWithCalibration = {{0, 255}};

void Append(std::vector<int>& list, const std::vector<Run>& runs) {
  for (const auto& [first, last] : runs) {
    for (int address = first; address <= last; ++address) list.push_back(address);
  }
}

}  // namespace

std::vector<int> ReadAddresses(const std::array<bool, kParFlagCount>& flags) {
  std::vector<int> list;
  for (const Group& group : kReadGroups) {
    if (flags[group.flag]) Append(list, group.runs);
  }
  return list;
}

std::vector<int> WriteAddresses(const std::array<bool, kParFlagCount>& flags, bool serviceMode, int calibRW) {
  std::vector<int> list;
  for (const Group& group : kWriteGroups) {
    if (!flags[group.flag]) continue;
    if (group.flag == ParGroup::WholeMemory && calibRW == 1) {
      Append(list, kWholeMemoryWithCalibration);
    } else {
      Append(list, group.runs);
    }
    if (group.flag == ParGroup::CalibrationStamp && serviceMode) list.push_back(kServiceClockAddress);
  }
  return list;
}

}  // namespace vt
