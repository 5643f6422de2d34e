// The sort of one log into its sort result.
#pragma once

#include "app/run_requests.h"

namespace tess {

/// Sorts the log into its result. The result replaces a file of that name
/// only when it is complete; a failed sort changes no file of the user's and
/// leaves no temporary file behind. A result that would be an input is
/// refused before anything is touched. Running out of memory is a failed
/// sort like any other ("out of memory").
SortOutcome SortLog(const SortRequest& request);

}  // namespace tess
