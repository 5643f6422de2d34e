#include "app/batch.h"

#include "app/batch_options.h"
#include "app/compare_logs.h"
#include "app/output_names.h"
#include "app/sort_log.h"
#include "app/stored_settings.h"

namespace tess {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitFailure = 2;

// --order and --filter put the options in force for this run only; without
// them the stored "EnableOpt" decides, with the design order and filter.
SortOptions BatchSortOptions(const BatchOptions& options, const LoadedSettings& settings) {
  SortOptions sort;
  if (options.Order || options.Filter) {
    sort.InForce = true;
    sort.Order = options.Order.value_or(SortOrder::Destination);
    sort.Filter = options.Filter.value_or(InfoFilter::Only(FilterItem::All));
  } else {
    sort.InForce = settings.CheckValue(SettingKey::EnableOpt) == 1;
  }
  return sort;
}

SortRequest BatchSortRequest(const BatchOptions& options, const LoadedSettings& settings) {
  SortRequest request;
  request.Files = FilesOfLog(options.Files[0], 1, settings.Extension(SettingKey::SortExt1));
  request.Options = BatchSortOptions(options, settings);
  return request;
}

CompareRequest BatchCompareRequest(const BatchOptions& options, const LoadedSettings& settings) {
  CompareRequest request;
  const std::string& after = options.Files[1];
  request.Before = FilesOfLog(options.Files[0], 1, settings.Extension(SettingKey::SortExt1));
  request.After = FilesOfLog(after, 2, settings.Extension(SettingKey::SortExt2));
  request.ReportPath = BaseName(after) + settings.Extension(SettingKey::DiffExt);
  request.Filter = options.Filter.value_or(InfoFilter::Only(FilterItem::All));
  // Any value but 0 keeps them, as the window's check box does.
  request.KeepSortResults = settings.CheckValue(SettingKey::StoreSort) != 0;
  return request;
}

int Fail(std::ostream& err, const Status& status) {
  err << "tessaline: " << status.Message() << "\n";
  return kExitFailure;
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, const std::optional<std::string>& settingsPath,
             std::ostream& out, std::ostream& err) {
  std::string error;
  const auto options = ParseBatchOptions(args, error);
  if (!options) {
    err << "tessaline: " << error << "\n" << UsageText();
    return kExitFailure;
  }
  if (options->Help) {
    out << UsageText();
    return kExitOk;
  }
  if (options->Version) {
    out << VersionText();
    return kExitOk;
  }
  if (options->Files.empty()) {
    err << "tessaline: no log file given\n" << UsageText();
    return kExitFailure;
  }
  // Two file arguments always mean a comparison; further ones are ignored.
  const bool compare = options->Files.size() >= 2;
  if (compare && options->Order) {
    err << "tessaline: --order applies to a sort only (a comparison always sorts by destination)\n";
    return kExitFailure;
  }

  const SettingsStore store(settingsPath);
  const LoadedSettings settings = store.Load();
  for (const auto& [key, value] : StartUpWrites(settings, /*normalize=*/false)) store.Write(key, value);

  if (!compare) {
    const SortOutcome outcome = SortLog(BatchSortRequest(*options, settings));
    return outcome.status.ok() ? kExitOk : Fail(err, outcome.status);
  }
  const CompareOutcome outcome = CompareLogs(BatchCompareRequest(*options, settings));
  if (!outcome.status.ok()) return Fail(err, outcome.status);
  return outcome.DifferenceCount == 0 ? kExitOk : kExitDifferent;
}

}  // namespace tess
