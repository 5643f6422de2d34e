// The HTML pages of batch comparisons as files: refused where they would
// replace another output, and never taken for logs of a folder.
#include <gtest/gtest.h>

#include "app/compare_logs.h"
#include "cli/folder_comparison.h"
#include "test_support.h"

namespace tess {
namespace {

using namespace testing;

const std::string kLog = "Gateway of last resort is not set\nS    10.9.0.0/16 [1/0] via 10.1.1.1\n";

// Written beside the report (tests/e2e/html_pages_check.py reads them
// there); a page that would be the report itself is refused before any file
// is written.
TEST(HtmlPages, AreRefusedWhereTheyWouldBeTheReport) {
  ScratchDir dir;
  WriteFile(dir.File("a.log"), kLog);
  WriteFile(dir.File("b.log"), kLog);
  ComparisonSettings settings;
  settings.ReportExtension = ".html";
  settings.HtmlPages = true;
  const CompareRequest request = ComparisonOf(dir.File("a.log"), dir.File("b.log"), settings);
  EXPECT_EQ(request.PagePath, dir.File("b.html"));
  EXPECT_EQ(CompareLogs(request).status.code(), ErrorCode::PageWouldOverwriteOutput);
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"a.log", "b.log"}));
}

TEST(HtmlPages, AreNeverLogsAndNeverReplaceTheIndex) {
  ScratchDir before, after;
  for (const ScratchDir* dir : {&before, &after}) {
    WriteFile(dir->File("index.log"), kLog);
    WriteFile(dir->File("r1.log"), kLog);
    WriteFile(dir->File("r1.html"), "<p>an earlier page</p>");
  }
  ComparisonSettings settings;
  std::vector<PairResult> pairs;
  std::vector<CompareRequest> requests;
  ASSERT_TRUE(PlanFolderComparison(before.path(), after.path(), settings, pairs, requests).ok());
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0].Name, "index.log");
  EXPECT_EQ(pairs[1].Name, "r1.log");
  // With pages, index.log's page would be the index page.
  settings.HtmlPages = true;
  const Status planned = PlanFolderComparison(before.path(), after.path(), settings, pairs, requests);
  EXPECT_EQ(planned.code(), ErrorCode::PairsWriteOneFile);
  EXPECT_EQ(IndexPagePath(after.path(), settings), after.File("index.html"));
}

}  // namespace
}  // namespace tess
