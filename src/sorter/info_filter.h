// Information filter: strips what the user does not want from a route line.
#pragma once

#include <string>
#include <string_view>

#include "sorter/sort_options.h"

namespace tess {

/// Applies the ticked items of `filter` to route line `line` (in place):
/// item 6 or 5 alone, otherwise items 4, 2, 1 and 3 in this order.
/// `asRead` is the line as read from the temporary file, before folding; the
/// age of a BGP path without interface is recognised on it.
void ApplyInfoFilter(std::string& line, const InfoFilter& filter, std::string_view asRead);

/// The writer's route-line test: column 1 not a space, column 5 or 6 a space,
/// column 10 not a space, column 2 a space or "*".
bool PassesWriterRouteTest(std::string_view line);

}  // namespace tess
