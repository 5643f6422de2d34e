// The comparison of two logs: both sorted by destination without time
// information, then walked table by table into a report.
#pragma once

#include "app/run_requests.h"

namespace tess {

/// Compares the two logs of `request`. All or nothing: the sort results and
/// the report are written under temporary names and reach their final names
/// only when the whole comparison succeeded (the sort results only when they
/// are kept); a failure at any step leaves every file of the user's as it
/// was. Outputs that would replace an input, or that cannot be written
/// (a folder, or a folder that refuses new files), are refused first.
/// Running out of memory is a failed comparison like any other ("out of
/// memory", about the log being sorted, or else the report).
CompareOutcome CompareLogs(const CompareRequest& request, const CompareProgress& progress = {});

}  // namespace tess
