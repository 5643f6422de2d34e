#include "compare/compare_run.h"

#include "compare/report_text.h"
#include "compare/result_reader.h"
#include "compare/section_list.h"
#include "compare/table_walk.h"
#include "io/line_writer.h"

namespace tess {

namespace {

// Opens both sort results and the report, writes the header and walks.
Status WalkIntoReport(SortState& state, const SectionList& list1, const SectionList& list2,
                      const ReportTexts& texts, const std::string& reportPath,
                      int64_t& differenceCount) {
  ResultReader reader1(1, state.Parser), reader2(2, state.Parser);
  if (Status st = reader1.Open(state.Slot[1].WriteFilePath); !st.ok()) return st;
  if (Status st = reader2.Open(state.Slot[2].WriteFilePath); !st.ok()) return st;
  LineWriter report;
  if (Status st = report.Create(reportPath, LineWriter::Mode::kReplaceOnCommit); !st.ok()) return st;
  report.WriteLine(texts.Before + state.Slot[1].ReadFilePath);
  report.WriteLine(texts.After + state.Slot[2].ReadFilePath);
  report.WriteLine("");
  // A report depends only on its two logs, never on earlier runs.
  state.Parser.CurrentMaskLen[1] = state.Parser.CurrentMaskLen[2] = 0;
  TableWalk walk({nullptr, &reader1, &reader2}, {nullptr, &list1, &list2}, texts, report);
  differenceCount = walk.Run();
  if (!reader1.status().ok()) return reader1.status();
  if (!reader2.status().ok()) return reader2.status();
  return report.Commit();
}

}  // namespace

Status CompareSortResults(SortState& state, const std::string& reportPath, int64_t& differenceCount) {
  differenceCount = 0;
  ReportEncoding encoding = ReportEncoding::kUtf8;
  if (Status st = DetectReportEncoding(state.Slot[1].ReadFilePath, state.Slot[2].ReadFilePath, encoding);
      !st.ok()) {
    return st;
  }
  SectionList list1, list2;
  if (Status st = BuildSectionList(state.Slot[1], list1); !st.ok()) return st;
  if (Status st = BuildSectionList(state.Slot[2], list2); !st.ok()) return st;
  NameSectionLists(list1, list2);
  state.Parser.ResultReadMode = true;
  Status st = WalkIntoReport(state, list1, list2, MakeReportTexts(encoding), reportPath, differenceCount);
  state.Parser.ResultReadMode = false;
  return st;
}

}  // namespace tess
