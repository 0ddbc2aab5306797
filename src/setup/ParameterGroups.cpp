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
    {1, {{4, 4}, {8, 12}}},
    {0, {{13, 16}}},
    {3, {{34, 39}, {44, 48}, {200, 200}, {204, 205}, {207, 207}}},
    {4, {{52, 57}, {58, 62}, {84, 87}, {82, 82}, {90, 92}}},
    {5, {{0, 3}}},
    {7, {{5, 7}, {201, 203}, {7, 7}, {206, 206}}},
    {6, {{0, 255}}},
};

// Group 2 and group 6 depend on the caller and are handled apart.
constexpr int kClockGroup = 2;
constexpr int kWholeMemoryGroup = 6;
const std::vector<Group> kWriteGroups = {
    {12, {{83, 83}}},
    {1, {{4, 4}, {8, 12}}},
    {0, {{13, 16}}},
    {kClockGroup, {{17, 23}}},
    {3, {{34, 39}, {44, 48}, {200, 200}, {204, 205}, {207, 207}}},
    {4, {{52, 57}, {58, 62}, {84, 87}, {82, 82}, {90, 92}}},
    {5, {{0, 3}}},
    {7, {{5, 7}, {201, 203}, {7, 7}, {206, 206}}},
    {8, {{25, 25}, {95, 95}}},
    {9, {{100, 135}}},
    {10, {{150, 191}}},
    {11, {{26, 33}, {40, 43}, {17, 24}}},
    {kWholeMemoryGroup, {{0, 36}, {48, 255}}},
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
    if (group.flag == kWholeMemoryGroup && calibRW == 1) {
      Append(list, kWholeMemoryWithCalibration);
    } else {
      Append(list, group.runs);
    }
    if (group.flag == kClockGroup && serviceMode) list.push_back(kServiceClockAddress);
  }
  return list;
}

}  // namespace vt
