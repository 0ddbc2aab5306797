// Which parameter addresses each transfer window queues for the raised groups.
#include <gtest/gtest.h>

#include "setup/ParameterGroups.h"
#include "support/AddressRuns.h"

namespace vt {
namespace {

using test::Join;
using test::Range;

TEST(ParameterGroups, ListsEveryRaisedGroupInItsWindowsOrder) {
  std::array<bool, kParFlagCount> flags{};
  flags[6] = true;
  EXPECT_EQ(ReadAddresses(flags), Range(0, 255));
  EXPECT_EQ(WriteAddresses(flags, false, 1), Range(0, 255));
  EXPECT_EQ(WriteAddresses(flags, false, 0), Join({Range(0, 36), Range(48, 255)}));

  flags = {};
  for (int flag : {7, 5, 4, 3, 1, 0}) flags[flag] = true;
  const std::vector<int> readOrder =
      Join({{4}, Range(8, 12), Range(13, 16), Range(34, 39), Range(44, 48), {200, 204, 205, 207}, Range(52, 62),
            Range(84, 87), {82, 90, 91, 92}, Range(0, 3), {5, 6, 7, 201, 202, 203, 7, 206}});
  EXPECT_EQ(ReadAddresses(flags), readOrder);
  EXPECT_EQ(WriteAddresses(flags, false, 0), readOrder);

  flags = {};
  flags[2] = flags[11] = flags[12] = true;
  EXPECT_EQ(ReadAddresses(flags), std::vector<int>{});
  EXPECT_EQ(WriteAddresses(flags, true, 0), Join({{83}, Range(17, 24), Range(26, 33), Range(40, 43), Range(17, 24)}));
  EXPECT_EQ(WriteAddresses(flags, false, 0), Join({{83}, Range(17, 23), Range(26, 33), Range(40, 43), Range(17, 24)}));
}

}  // namespace
}  // namespace vt
