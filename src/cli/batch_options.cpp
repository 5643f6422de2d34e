#include "cli/batch_options.h"

#include <sstream>

#include "app/version.h"

namespace tess {

namespace {

constexpr const char* kOrderNames[kSortOrderCount] = {"dest",      "hop",        "mask-dest",
                                        "mask-hop",  "proto-dest", "proto-hop"};
constexpr const char* kFilterNames[kFilterItemCount] = {"all",      "interface", "time",
                                         "cost",     "protocol",  "dest-mask", "dest"};

std::optional<int> IndexOf(const std::string& text, const char* const* names, int count) {
  if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + count) return text[0] - '0';
  for (int k = 0; k < count; ++k) {
    if (text == names[k]) return k;
  }
  return std::nullopt;
}

// The value of a valued option: "--name=value", "-xVALUE", or the next
// argument. Sets `matched` when `arg` is the option.
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& longName,
               const std::string& shortName, std::string& value, bool& matched, std::string& error) {
  const std::string& arg = args[i];
  matched = arg == longName || (!shortName.empty() && arg == shortName);
  if (matched) {
    if (i + 1 >= args.size()) {
      error = "option " + longName + " needs a value";
      return false;
    }
    value = args[++i];
    return true;
  }
  if (arg.rfind(longName + "=", 0) == 0) {
    matched = true;
    value = arg.substr(longName.size() + 1);
  } else if (!shortName.empty() && arg.size() > shortName.size() && arg.rfind(shortName, 0) == 0) {
    matched = true;
    value = arg.substr(shortName.size());
  }
  return true;
}

std::optional<int> ParseJobs(const std::string& text) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const int jobs = std::stoi(text);
  return jobs >= 1 ? std::optional<int>(jobs) : std::nullopt;
}

// Applies one valued option; false with `error` set when it is malformed.
bool ApplyValuedOption(const std::vector<std::string>& args, size_t& i, BatchOptions& options,
                       bool& matched, std::string& error) {
  std::string value;
  if (!TakeValue(args, i, "--order", "", value, matched, error)) return false;
  if (matched) {
    options.Order = ParseOrder(value);
    if (!options.Order) error = "unknown sort order '" + value + "'";
    return options.Order.has_value();
  }
  if (!TakeValue(args, i, "--filter", "", value, matched, error)) return false;
  if (matched) {
    options.Filter = ParseFilter(value, error);
    return options.Filter.has_value();
  }
  if (!TakeValue(args, i, "--jobs", "-j", value, matched, error)) return false;
  if (matched) {
    options.Jobs = ParseJobs(value);
    if (!options.Jobs) error = "the number of jobs must be a whole number from 1, not '" + value + "'";
    return options.Jobs.has_value();
  }
  if (!TakeValue(args, i, "--output-dir", "-o", value, matched, error)) return false;
  if (matched) {
    if (value.empty()) error = "option --output-dir needs a folder";
    options.OutputDir = value;
    return !value.empty();
  }
  return true;
}

}  // namespace

std::optional<SortOrder> ParseOrder(const std::string& text) {
  const auto index = IndexOf(text, kOrderNames, kSortOrderCount);
  if (!index) return std::nullopt;
  return static_cast<SortOrder>(*index);
}

std::optional<InfoFilter> ParseFilter(const std::string& text, std::string& error) {
  InfoFilter filter;
  int items = 0;
  int distinct = 0;
  bool alone = false;
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    const auto index = IndexOf(item, kFilterNames, kFilterItemCount);
    if (!index) {
      error = "unknown filter item '" + item + "'";
      return std::nullopt;
    }
    const FilterItem ticked = static_cast<FilterItem>(*index);
    if (!filter.Has(ticked)) ++distinct;
    filter.Tick(ticked);
    alone = alone || ticked == FilterItem::All || ticked == FilterItem::DestinationAndMask ||
            ticked == FilterItem::DestinationOnly;
    ++items;
  }
  if (items == 0) {
    error = "empty filter list";
    return std::nullopt;
  }
  if (alone && distinct > 1) {
    error = "filter items 0 (all), 5 (dest-mask) and 6 (dest) stand alone";
    return std::nullopt;
  }
  return filter;
}

std::optional<BatchOptions> ParseBatchOptions(const std::vector<std::string>& args,
                                              std::string& error) {
  BatchOptions options;
  bool filesOnly = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (filesOnly || arg.size() < 2 || arg[0] != '-') {
      options.Files.push_back(arg);
    } else if (arg == "--") {
      filesOnly = true;
    } else if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--version") {
      options.Version = true;
    } else if (arg == "--json") {
      options.Json = true;
    } else {
      bool matched = false;
      if (!ApplyValuedOption(args, i, options, matched, error)) return std::nullopt;
      if (!matched) {
        error = "unknown option '" + arg + "'";
        return std::nullopt;
      }
    }
  }
  return options;
}

std::string UsageText() {
  return "Usage: tessaline [OPTIONS] LOG            sort LOG into LOG's base name + sort extension\n"
         "       tessaline [OPTIONS] BEFORE AFTER   compare two logs into AFTER's base name + report extension\n"
         "       tessaline [OPTIONS] BEFORE_DIR AFTER_DIR\n"
         "                                          compare each log of BEFORE_DIR with the log of the\n"
         "                                          same name in AFTER_DIR; a summary on standard output\n"
         "       tessaline                          open the window\n"
         "\n"
         "Options (they put the sort options in force for this run only):\n"
         "  --order N|NAME    sort order (sort only): 0 dest, 1 hop, 2 mask-dest,\n"
         "                    3 mask-hop, 4 proto-dest, 5 proto-hop\n"
         "  --filter LIST     comma list of items: 0 all, 1 interface, 2 time, 3 cost,\n"
         "                    4 protocol, 5 dest-mask, 6 dest (1 to 4 combine; 0, 5\n"
         "                    and 6 stand alone)\n"
         "  -j, --jobs N      folders: compare N pairs at once (default: one per processor)\n"
         "  --json            comparisons: a JSON document on standard output instead of\n"
         "                    the summary: per pair its verdict, tables and differences\n"
         "  -o, --output-dir DIR\n"
         "                    write sort results and reports into DIR, not beside the logs\n"
         "  --help            show this text\n"
         "  --version         show the version\n"
         "  --                every later argument is a file name\n"
         "\n"
         "Without options a run follows the stored settings (Tessaline.ini).\n"
         "Exit status: 0 success (comparison: no difference), 1 the logs differ (folders:\n"
         "a pair differs or a log is in one folder only), 2 failure (one line on\n"
         "standard error: tessaline: FILE: reason; folders: a pair failed).\n";
}

std::string VersionText() { return std::string("tessaline ") + kVersionText + "\n"; }

}  // namespace tess
