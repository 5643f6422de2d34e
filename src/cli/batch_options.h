// The batch command line: options, file arguments and usage texts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "io/status.h"
#include "sorter/sort_options.h"

namespace tess {

struct BatchOptions {
  bool Help = false;
  bool Version = false;
  std::optional<SortOrder> Order;
  std::optional<InfoFilter> Filter;
  bool Json = false;                     // comparisons: a JSON document on standard output
  bool Html = false;                     // comparisons: an HTML page beside each report
  std::optional<std::string> Junit;      // comparisons: JUnit XML written to this file
  std::optional<int> Jobs;               // folders: pairs compared at once
  std::optional<std::string> OutputDir;  // results and reports there, not beside the logs
  std::optional<std::string> View;       // a report shown in the viewer; nothing else is given
  std::vector<std::string> Files;
};

/// Parses argv[1..] into `options`. A malformed command line fails with the
/// reason (no file: the command line itself is at fault). --view stands
/// alone: with any other option or file it is a malformed command line.
Status ParseBatchOptions(const std::vector<std::string>& args, BatchOptions& options);

/// Sort order from "0".."5" or its name (dest, hop, mask-dest, ...).
std::optional<SortOrder> ParseOrder(const std::string& text);
/// Filter ticks from a comma list of item numbers or names; 1 to 4 combine,
/// 0, 5 and 6 stand alone.
Status ParseFilter(const std::string& text, InfoFilter& filter);

std::string UsageText();
/// The two lines of a usage error: the reason, then where the help is.
std::string UsageErrorText(const std::string& reason);
std::string VersionText();

}  // namespace tess
