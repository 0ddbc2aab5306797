#pragma once

#include "station/GraphBox.h"

namespace vt {

// Draws the light grey grid of the test curve: ten columns and ten rows over
// the picture's inner width and height.
void DrawGraphGrid(GraphBox& graph, int lineWidth = 1);

}  // namespace vt
