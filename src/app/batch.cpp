#include "app/batch.h"

#include "app/batch_options.h"
#include "app/command_line.h"
#include "app/form_state.h"

namespace tess {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitFailure = 2;

// Puts --order and --filter in force for this run without storing anything.
void ApplyOptions(FormState& form, const BatchOptions& options) {
  if (!options.Order && !options.Filter) return;
  form.PersistSettings = false;
  form.SetOptionValue(1);
  if (options.Order) form.mSortKey_Click(*options.Order);
  if (options.Filter) {
    for (size_t k = 0; k < 7; ++k) form.mInfoDel[k].Checked = (*options.Filter)[k];
  }
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, const std::string& settingsPath,
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
  // The file names travel as one quoted text: a double quote in a name
  // would split it differently, so such a name is refused.
  for (const std::string& file : options->Files) {
    if (file.find('"') != std::string::npos) {
      err << "tessaline: " << file << ": file names holding a double quote are not supported\n";
      return kExitFailure;
    }
  }
  const SplitArguments split = SplitCommandLine(JoinArguments(options->Files));
  const bool compare = !split.Collected2.empty();
  if (compare && options->Order) {
    err << "tessaline: --order applies to a sort only (a comparison always sorts by destination)\n";
    return kExitFailure;
  }

  FormState form;
  form.Form_Load(settingsPath);
  ApplyOptions(form, *options);
  if (split.Argument1) form.SetReadFileText(1, *split.Argument1);
  if (split.Argument2) form.SetReadFileText(2, *split.Argument2);

  if (!compare) {
    const Status st = form.cmdSort_Click(1);
    if (!st.ok()) {
      err << "tessaline: " << st.Message() << "\n";
      return kExitFailure;
    }
    return kExitOk;
  }
  const DiffOutcome outcome = form.cmdDiff_Click();
  if (!outcome.status.ok()) {
    err << "tessaline: " << outcome.status.Message() << "\n";
    return kExitFailure;
  }
  return outcome.DifferenceCount == 0 ? kExitOk : kExitDifferent;
}

}  // namespace tess
