#pragma once

#include "indicator-sim/FaultPlan.h"
#include "indicator-sim/Framing.h"

namespace vt::sim {

// The frame that one of the faults ForeignAddress, WrongFunction,
// WrongContent and Echo sends in place of the answer, made without carrying
// the request out: the answer that would fit the request (a read's
// registers reading 0), spoiled as the fault says, or the request itself.
Adu MisfitAnswer(const Adu& request, Fault fault);

}  // namespace vt::sim
