#include <array>

#include "app/form_state.h"
#include "compare/compare_run.h"
#include "io/paths.h"
#include "sorter/remove_files.h"

namespace tess {

namespace {

// The options a comparison forces, as the user had them.
struct SavedOptions {
  int option = 1;
  int sortKey = 0;
  std::array<bool, 7> infoDel{};
};

// Refuses a comparison whose outputs would overwrite an input, whose report
// would overwrite a sort result, or whose two sort results are one file for
// two different logs (the second sort would replace the first).
Status CheckComparisonPaths(const FormState& form) {
  const std::string& in1 = form.txtReadFile[1].Text;
  const std::string& in2 = form.txtReadFile[2].Text;
  const std::string& out1 = form.txtWriteFile[1].Text;
  const std::string& out2 = form.txtWriteFile[2].Text;
  const std::string& report = form.txtDiffFile.Text;
  for (const std::string* output : {&out1, &out2, &report}) {
    if (SameFile(*output, in1) || SameFile(*output, in2)) {
      return Status::Fail(*output, "an output of the comparison would overwrite an input log");
    }
  }
  if (SameFile(report, out1) || SameFile(report, out2)) {
    return Status::Fail(report, "the report would overwrite a sort result");
  }
  if (SameFile(out1, out2) && !SameFile(in1, in2)) {
    return Status::Fail(out2, "both logs would be sorted into this one file");
  }
  return Status::Ok();
}

// Options on, destination order, time information removed (unless the
// filter keeps only destinations, with or without masks). Through the check
// box, so "EnableOpt" follows.
SavedOptions ForceComparisonOptions(FormState& form) {
  SavedOptions saved;
  saved.option = form.chkOption.Value;
  form.SetOptionValue(1);
  for (int k = 0; k <= 5; ++k) {
    if (form.mSortKey[k].Checked) saved.sortKey = k;
  }
  for (int k = 0; k <= 5; ++k) form.mSortKey[k].Checked = k == 0;
  for (int k = 0; k <= 6; ++k) saved.infoDel[k] = form.mInfoDel[k].Checked;
  if (!form.mInfoDel[2].Checked && !form.mInfoDel[5].Checked && !form.mInfoDel[6].Checked) {
    form.mInfoDel[2].Checked = true;
  }
  return saved;
}

void RestoreOptions(FormState& form, const SavedOptions& saved) {
  form.SetOptionValue(saved.option);
  for (int k = 0; k <= 5; ++k) form.mSortKey[k].Checked = k == saved.sortKey;
  for (int k = 0; k <= 6; ++k) form.mInfoDel[k].Checked = saved.infoDel[k];
}

}  // namespace

DiffOutcome FormState::cmdDiff_Click() {
  DiffOutcome outcome;
  DiffFilePath = txtDiffFile.Text;
  txtDiffFile.ForeColor = kBlue;
  RepaintNow(txtDiffFile);
  outcome.status = CheckComparisonPaths(*this);
  if (!outcome.status.ok()) {
    txtDiffFile_Change();
    RepaintNow(txtDiffFile);
    return outcome;
  }

  const SavedOptions saved = ForceComparisonOptions(*this);

  // Only sort results this run wrote are deleted: a failed sort leaves an
  // older file of that name as it was.
  std::array<bool, 3> sorted{};
  outcome.status = cmdSort_Click(1);
  sorted[1] = outcome.status.ok();
  if (sorted[1]) {
    outcome.status = cmdSort_Click(2);
    sorted[2] = outcome.status.ok();
  }
  if (sorted[2]) outcome.status = CompareSortResults(Sort, DiffFilePath, outcome.DifferenceCount);
  if (chkFileDel.Value == 0) {
    for (int slot : {1, 2}) {
      if (!sorted[slot]) continue;
      const Status st = DeleteSortResult(Sort.Slot[slot]);
      if (outcome.status.ok() && !st.ok()) outcome.status = st;
    }
  }
  Sort.Parser.ResultReadMode = false;

  RestoreOptions(*this, saved);
  txtDiffFile_Change();
  RepaintNow(txtDiffFile);
  return outcome;
}

}  // namespace tess
