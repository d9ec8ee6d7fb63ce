// The keyboard order of a form's controls, read from their places: rows
// top to bottom; within a row, columns left to right, each column read
// down before the next one starts.
#pragma once

#include <vector>

#include "ui/Controls.h"

namespace ui::qt {

// Indexes into `places`, in the order the Tab key visits them. A band of
// controls that no horizontal line separates is split into columns by the
// vertical lines that cross none of them (recursively, an XY cut).
std::vector<int> tabOrder(const std::vector<ui::Rect>& places);

}  // namespace ui::qt
