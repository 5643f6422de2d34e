#include "compare/comparison_report.h"

#include "compare/result_reader.h"
#include "compare/section_list.h"
#include "compare/table_walk.h"

namespace tess {

Status WriteComparisonReport(const SortedLog& before, const SortedLog& after,
                             ReportEncoding encoding, LineWriter& report, int64_t& differenceCount,
                             ComparisonRecord* record) {
  differenceCount = 0;
  SectionList list1 = BuildSectionList(before.Index);
  SectionList list2 = BuildSectionList(after.Index);
  NameSectionLists(list1, list2);
  ResultReader reader1, reader2;
  if (Status st = reader1.Open(before.ResultPath); !st.ok()) return st;
  if (Status st = reader2.Open(after.ResultPath); !st.ok()) return st;
  const ReportTexts texts = MakeReportTexts(encoding);
  report.WriteLine(texts.Before + before.LogPath);
  report.WriteLine(texts.After + after.LogPath);
  report.WriteLine("");
  TableWalk walk({&reader1, &reader2}, {&list1, &list2}, texts, report, record, encoding);
  differenceCount = walk.Run();
  if (!reader1.status().ok()) return reader1.status();
  return reader2.status();
}

}  // namespace tess
