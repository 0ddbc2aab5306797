#pragma once

#include <array>
#include <vector>

#include "settings/Global.h"

namespace vt {

// The addresses a transfer moves for the raised parameter groups, in the
// order the transfer queues them. An address that two raised groups share
// is listed, and moved, twice.

// The read window's list.
std::vector<int> ReadAddresses(const std::array<bool, kParFlagCount>& flags);

// The write window's list. Address 24 (group 2) is written only in service
// mode; the whole-memory group 6 leaves out the calibration cells 37 to 47
// unless `calibRW` is 1.
std::vector<int> WriteAddresses(const std::array<bool, kParFlagCount>& flags, bool serviceMode, int calibRW);

}  // namespace vt
