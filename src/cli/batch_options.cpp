#include "cli/batch_options.h"

#include <array>
#include <sstream>
#include <string_view>

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

Status UsageError(std::string reason) { return Status::Fail(ErrorCode::CommandLine, "", std::move(reason)); }

std::optional<int> ParseJobs(const std::string& text) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const int jobs = std::stoi(text);
  return jobs >= 1 ? std::optional<int>(jobs) : std::nullopt;
}

Status ApplyOrder(const std::string& value, BatchOptions& options) {
  options.Order = ParseOrder(value);
  return options.Order ? Status::Ok() : UsageError("unknown sort order '" + value + "'");
}

Status ApplyFilter(const std::string& value, BatchOptions& options) {
  InfoFilter filter;
  if (Status st = ParseFilter(value, filter); !st.ok()) return st;
  options.Filter = filter;
  return Status::Ok();
}

Status ApplyJobs(const std::string& value, BatchOptions& options) {
  options.Jobs = ParseJobs(value);
  if (options.Jobs) return Status::Ok();
  return UsageError("the number of jobs must be a whole number from 1, not '" + value + "'");
}

Status ApplyOutputDir(const std::string& value, BatchOptions& options) {
  if (value.empty()) return UsageError("option --output-dir needs a folder");
  options.OutputDir = value;
  return Status::Ok();
}

Status ApplyJunit(const std::string& value, BatchOptions& options) {
  if (value.empty()) return UsageError("option --junit needs a file");
  options.Junit = value;
  return Status::Ok();
}

Status ApplyView(const std::string& value, BatchOptions& options) {
  if (value.empty()) return UsageError("option --view needs a report");
  if (options.View) return UsageError("--view takes one report");
  options.View = value;
  return Status::Ok();
}

Status ApplyHelp(const std::string&, BatchOptions& options) {
  options.Help = true;
  return Status::Ok();
}

Status ApplyVersion(const std::string&, BatchOptions& options) {
  options.Version = true;
  return Status::Ok();
}

Status ApplyJson(const std::string&, BatchOptions& options) {
  options.Json = true;
  return Status::Ok();
}

Status ApplyHtml(const std::string&, BatchOptions& options) {
  options.Html = true;
  return Status::Ok();
}

// Every option the command line knows. A valued option takes its value as
// "--name=value", "-xVALUE" (short names) or the next argument.
struct OptionSpec {
  std::string_view LongName;
  std::string_view ShortName;  // empty when the option has none
  bool TakesValue;
  Status (*Apply)(const std::string& value, BatchOptions& options);
};

constexpr std::array kOptions = {
    OptionSpec{"--order", "", true, ApplyOrder},
    OptionSpec{"--filter", "", true, ApplyFilter},
    OptionSpec{"--jobs", "-j", true, ApplyJobs},
    OptionSpec{"--output-dir", "-o", true, ApplyOutputDir},
    OptionSpec{"--json", "", false, ApplyJson},
    OptionSpec{"--html", "", false, ApplyHtml},
    OptionSpec{"--junit", "", true, ApplyJunit},
    OptionSpec{"--view", "", true, ApplyView},
    OptionSpec{"--help", "-h", false, ApplyHelp},
    OptionSpec{"--version", "", false, ApplyVersion},
};

// The option `arg` names, with the value it carries inline if any.
struct OptionMatch {
  const OptionSpec* Spec = nullptr;
  std::optional<std::string> InlineValue;
};

OptionMatch MatchOption(const std::string& arg) {
  for (const OptionSpec& spec : kOptions) {
    const bool hasShort = !spec.ShortName.empty();
    if (arg == spec.LongName || (hasShort && arg == spec.ShortName)) return {&spec, std::nullopt};
    if (!spec.TakesValue) continue;
    if (arg.starts_with(std::string(spec.LongName) + "=")) {
      return {&spec, arg.substr(spec.LongName.size() + 1)};
    }
    if (hasShort && arg.size() > spec.ShortName.size() && arg.starts_with(spec.ShortName)) {
      return {&spec, arg.substr(spec.ShortName.size())};
    }
  }
  return {};
}

}  // namespace

std::optional<SortOrder> ParseOrder(const std::string& text) {
  const auto index = IndexOf(text, kOrderNames, kSortOrderCount);
  if (!index) return std::nullopt;
  return static_cast<SortOrder>(*index);
}

Status ParseFilter(const std::string& text, InfoFilter& filter) {
  filter = InfoFilter();
  int distinct = 0;
  bool standsAlone = false;
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    const auto index = IndexOf(item, kFilterNames, kFilterItemCount);
    if (!index) return UsageError("unknown filter item '" + item + "'");
    const FilterItem ticked = static_cast<FilterItem>(*index);
    if (!filter.Has(ticked)) ++distinct;
    filter.Tick(ticked);
    standsAlone = standsAlone || InfoFilter::StandsAlone(ticked);
  }
  if (distinct == 0) return UsageError("empty filter list");
  if (standsAlone && distinct > 1) {
    return UsageError("filter items 0 (all), 5 (dest-mask) and 6 (dest) stand alone");
  }
  return Status::Ok();
}

Status ParseBatchOptions(const std::vector<std::string>& args, BatchOptions& options) {
  options = BatchOptions();
  bool filesOnly = false;
  size_t viewArgs = 0;  // the arguments of --view: "--view REPORT" or "--view=REPORT"
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (filesOnly || arg.size() < 2 || arg[0] != '-') {
      options.Files.push_back(arg);
      continue;
    }
    if (arg == "--") {
      filesOnly = true;
      continue;
    }
    OptionMatch match = MatchOption(arg);
    if (match.Spec == nullptr) return UsageError("unknown option '" + arg + "'");
    const size_t first = i;
    if (match.Spec->TakesValue && !match.InlineValue) {
      if (i + 1 >= args.size()) {
        return UsageError("option " + std::string(match.Spec->LongName) + " needs a value");
      }
      match.InlineValue = args[++i];
    }
    if (match.Spec->Apply == ApplyView) viewArgs += i - first + 1;
    if (Status st = match.Spec->Apply(match.InlineValue.value_or(""), options); !st.ok()) return st;
  }
  // The viewer takes the whole command line.
  if (options.View && args.size() != viewArgs) return UsageError("--view takes a report and nothing else");
  return Status::Ok();
}

std::string UsageErrorText(const std::string& reason) {
  return "tessaline: " + EscapeControlCharacters(reason) + "\nTry 'tessaline --help'.\n";
}
std::string UsageText() {
  return "Usage: tessaline [OPTIONS] LOG            sort LOG into LOG's base name + sort extension\n"
         "       tessaline [OPTIONS] BEFORE AFTER   compare two logs into AFTER's base name + report extension;\n"
         "                                          one summary line on standard output\n"
         "       tessaline [OPTIONS] BEFORE_DIR AFTER_DIR\n"
         "                                          compare each log of BEFORE_DIR with the log of the\n"
         "                                          same name in AFTER_DIR; a summary on standard output\n"
         "       tessaline --view REPORT            show a comparison report in a window\n"
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
         "  --html            comparisons: also an HTML page beside each report (same\n"
         "                    name, extension .html); folders: and index.html\n"
         "  --junit FILE      comparisons: also write JUnit XML to FILE for CI systems: a\n"
         "                    test case per pair, failed when the logs differ\n"
         "  -o, --output-dir DIR\n"
         "                    write sort results and reports into DIR, not beside the logs\n"
         "  --help            show this text\n"
         "  --version         show the version\n"
         "  --                every later argument is a file name\n"
         "\n"
         "Without options a run follows the stored settings (Tessaline.ini). A run longer\n"
         "than a second shows its progress on standard error when that is a terminal.\n"
         "Exit status: 0 success (comparison: no difference), 1 the logs differ (folders:\n"
         "a pair differs or a log is in one folder only), 2 failure (one line on\n"
         "standard error: tessaline: FILE: reason; folders: a pair failed).\n";
}

std::string VersionText() { return std::string("tessaline ") + kVersionText + "\n"; }

}  // namespace tess
