#include "app/sort_log.h"

#include "io/line_writer.h"
#include "io/paths.h"
#include "sorter/sort_into_file.h"

namespace tess {

namespace {

Status RefuseOverwritingAnInput(const SortRequest& request) {
  const std::string& result = request.Files.ResultPath;
  for (const std::string& other : request.OtherInputs) {
    if (SameFile(result, other)) {
      return Status::Fail(ErrorCode::ResultWouldOverwriteOtherInput, result);
    }
  }
  if (SameFile(result, request.Files.LogPath)) {
    return Status::Fail(ErrorCode::ResultWouldOverwriteInput, result);
  }
  return Status::Ok();
}

// The result is staged while the sort runs: it and the sort's temporary
// file go on every failure, also when running out of memory unwinds it.
Status SortStaged(const SortRequest& request, SortIndex& index) {
  if (Status st = RefuseOverwritingAnInput(request); !st.ok()) return st;
  if (Status st = CheckReadable(request.Files.LogPath); !st.ok()) return st;
  const LogFiles& files = request.Files;
  LineWriter result;
  if (Status st = result.Create(files.ResultPath, LineWriter::Mode::kReplaceOnCommit); !st.ok()) return st;
  if (Status st = SortIntoFile(files.LogPath, files.TempBase, files.ResultPath, request.Options, result,
                               index, request.Stop, request.BytesRead);
      !st.ok()) {
    return st;
  }
  return result.Commit();
}

}  // namespace

SortOutcome SortLog(const SortRequest& request) {
  SortOutcome outcome;
  outcome.status = FailOnOutOfMemory(request.Files.LogPath, [&] { return SortStaged(request, outcome.Index); });
  if (!outcome.status.ok()) outcome.Index = {};
  return outcome;
}

}  // namespace tess
