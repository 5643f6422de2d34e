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

}  // namespace

SortOutcome SortLog(const SortRequest& request) {
  SortOutcome outcome;
  outcome.status = RefuseOverwritingAnInput(request);
  if (outcome.status.ok()) outcome.status = CheckReadable(request.Files.LogPath);
  if (!outcome.status.ok()) return outcome;
  const LogFiles& files = request.Files;
  LineWriter result;
  outcome.status = result.Create(files.ResultPath, LineWriter::Mode::kReplaceOnCommit);
  if (outcome.status.ok()) {
    outcome.status = SortIntoFile(files.LogPath, files.TempBase, files.ResultPath, request.Options,
                                  result, outcome.Index, request.Stop);
  }
  if (outcome.status.ok()) outcome.status = result.Commit();
  if (!outcome.status.ok()) outcome.Index = {};
  return outcome;
}

}  // namespace tess
