#include "cli/index_page.h"

#include <ctime>

#include "app/version.h"
#include "compare/html_page.h"
#include "compare/utf8_text.h"
#include "io/paths.h"
#include "io/staged_file.h"

namespace tess {

namespace {

// File names as the system gives their bytes, shown as UTF-8.
std::string Shown(const std::string& name) { return LogTextToUtf8(name, ReportEncoding::kUtf8); }

IndexRow RowOf(const PairResult& pair) {
  IndexRow row;
  row.Name = Shown(pair.Name);
  row.Verdict = VerdictName(pair.Verdict);
  row.DifferenceCount = pair.Outcome.DifferenceCount;
  // A pair that failed before its report has no page; one without route
  // lines published both.
  if (!pair.PagePath.empty() && pair.Outcome.status.ok()) row.PageLink = Shown(NameOf(pair.PagePath));
  if (pair.Verdict == PairVerdict::Failed) row.Error = Shown(FailureOf(pair.Outcome).Message());
  return row;
}

}  // namespace

Status WriteIndexPage(const std::string& path, const std::vector<PairResult>& pairs, const std::string& beforeDir,
                      const std::string& afterDir) {
  std::vector<IndexRow> rows;
  rows.reserve(pairs.size());
  for (const PairResult& pair : pairs) rows.push_back(RowOf(pair));
  StagedFile page;
  if (Status st = page.Create(path); !st.ok()) return st;
  if (Status st = page.Write(IndexPage(rows, Shown(beforeDir), Shown(afterDir), kVersionText, PageTime(std::time(nullptr))));
      !st.ok()) {
    return st;
  }
  if (Status st = page.Close(Durability::kRenameOnly); !st.ok()) return st;
  return page.Publish(Durability::kRenameOnly);
}

}  // namespace tess
