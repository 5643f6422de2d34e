#include "app/batch_options.h"

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

// Splits "--name=value" or takes the value from the next argument.
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
               std::string& value, bool& matched, std::string& error) {
  const std::string& arg = args[i];
  matched = false;
  if (arg == name) {
    matched = true;
    if (i + 1 >= args.size()) {
      error = "option " + name + " needs a value";
      return false;
    }
    value = args[++i];
    return true;
  }
  if (arg.rfind(name + "=", 0) == 0) {
    matched = true;
    value = arg.substr(name.size() + 1);
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
      continue;
    }
    if (arg == "--") {
      filesOnly = true;
    } else if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--version") {
      options.Version = true;
    } else {
      std::string value;
      bool matched = false;
      if (!TakeValue(args, i, "--order", value, matched, error)) return std::nullopt;
      if (matched) {
        options.Order = ParseOrder(value);
        if (!options.Order) {
          error = "unknown sort order '" + value + "'";
          return std::nullopt;
        }
        continue;
      }
      if (!TakeValue(args, i, "--filter", value, matched, error)) return std::nullopt;
      if (matched) {
        options.Filter = ParseFilter(value, error);
        if (!options.Filter) return std::nullopt;
        continue;
      }
      error = "unknown option '" + arg + "'";
      return std::nullopt;
    }
  }
  return options;
}

std::string UsageText() {
  return "Usage: tessaline [OPTIONS] LOG            sort LOG into LOG's base name + sort extension\n"
         "       tessaline [OPTIONS] BEFORE AFTER   compare two logs into AFTER's base name + report extension\n"
         "       tessaline                          open the window\n"
         "\n"
         "Options (they put the sort options in force for this run only):\n"
         "  --order N|NAME    sort order (sort only): 0 dest, 1 hop, 2 mask-dest,\n"
         "                    3 mask-hop, 4 proto-dest, 5 proto-hop\n"
         "  --filter LIST     comma list of items: 0 all, 1 interface, 2 time, 3 cost,\n"
         "                    4 protocol, 5 dest-mask, 6 dest (1 to 4 combine; 0, 5\n"
         "                    and 6 stand alone)\n"
         "  --help            show this text\n"
         "  --version         show the version\n"
         "  --                every later argument is a file name\n"
         "\n"
         "Without options a run follows the stored settings (Tessaline.ini).\n"
         "Exit status: 0 success (comparison: no difference), 1 the logs differ,\n"
         "2 failure (one line on standard error: tessaline: FILE: reason).\n";
}

std::string VersionText() { return std::string("tessaline ") + kVersionText + "\n"; }

}  // namespace tess
