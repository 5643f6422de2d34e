// The viewer of a comparison report: its rows against the record's lines,
// the summary per table, jumping to a table, finding a route prefix, and a
// report that cannot be read.
#include <QLabel>
#include <QPointer>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <array>
#include <map>

#include "app/window_failure_text.h"
#include "compare/report_reader.h"
#include "ui/difference_table_model.h"
#include "ui/report_viewer.h"
#include "ui_test_support.h"

namespace tess::testing {

namespace {

using Counts = std::array<int64_t, 4>;  // gone, new, changed, total

// Differences of every kind, under no heading and under two headings, a
// changed route of 2 lines before and 3 after, a whole table, and a listed
// table without differences. Rows: 0-2, 3, 4, 5, 6-9.
ReadReport MixedReport() {
  ReadReport report;
  report.BeforeLog = "before.log";
  report.AfterLog = "after.log";
  report.DifferenceCount = 5;
  report.Record.Tables = {{"RED", TableOutcome::Compared},
                          {"BLUE", TableOutcome::Gone},
                          {"GREEN", TableOutcome::Compared}};
  report.Record.Differences = {
      {DifferenceKind::Changed, false, "",
       {"O    10.1.2.0/24 [110/2] via 10.0.0.1, Gi0/1", "               [110/2] via 10.0.0.2, Gi0/2"},
       {"O    10.1.2.0/24 [110/3] via 10.0.0.1, Gi0/1", "               [110/3] via 10.0.0.2, Gi0/2",
        "               [110/3] via 10.0.0.3, Gi0/3"}},
      {DifferenceKind::Gone, false, "", {"S    10.9.0.0/16 [1/0] via 10.0.0.9"}, {}},
      {DifferenceKind::New, false, "RED", {}, {"C    2001:DB8:0:1::/64 is directly connected, Gi0/4"}},
      {DifferenceKind::Changed, false, "RED", {"O    110.1.2.0/24 [110/2] via 10.0.0.1"},
       {"O    110.1.2.0/24 [110/9] via 10.0.0.1"}},
      {DifferenceKind::Gone, true, "BLUE",
       {"C    1.1.1.0/24 is directly connected", "S    10.1.2.0/24 [1/0] via 1.1.1.2",
        "L    1.1.1.1/32 is directly connected", "S    0.0.0.0/0 [1/0] via 1.1.1.9"},
       {}},
  };
  return report;
}

// Lines of the record per kind: before lines, after lines.
std::map<QString, std::pair<int, int>> RecordLines(const ComparisonRecord& record) {
  std::map<QString, std::pair<int, int>> lines;
  for (const RecordedDifference& d : record.Differences) {
    auto& [before, after] = lines[DifferenceTableModel::KindMark(d)];
    before += static_cast<int>(d.Before.size());
    after += static_cast<int>(d.After.size());
  }
  return lines;
}

// The same, read from the model's cells: each row belongs to the kind
// marked on the first row of its difference.
std::map<QString, std::pair<int, int>> ModelLines(const QAbstractItemModel& model) {
  std::map<QString, std::pair<int, int>> lines;
  QString kind;
  for (int row = 0; row < model.rowCount(); ++row) {
    const QString mark = model.index(row, DifferenceTableModel::kKindColumn).data().toString();
    if (!mark.isEmpty()) kind = mark;
    auto& [before, after] = lines[kind];
    before += model.index(row, DifferenceTableModel::kBeforeColumn).data().toString().isEmpty() ? 0 : 1;
    after += model.index(row, DifferenceTableModel::kAfterColumn).data().toString().isEmpty() ? 0 : 1;
  }
  return lines;
}

// The viewer among the application's windows, or null.
ReportViewer* OpenViewer() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* viewer = qobject_cast<ReportViewer*>(widget); viewer != nullptr && viewer->isVisible()) {
      return viewer;
    }
  }
  return nullptr;
}

}  // namespace

class ReportViewerTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ReportViewer> viewer_;

  QTableWidget* Summary() const { return viewer_->findChild<QTableWidget*>(QStringLiteral("summary")); }
  QLineEdit* Find() const { return viewer_->findChild<QLineEdit*>(QStringLiteral("find")); }
  QString FindStatus() const { return viewer_->findChild<QLabel*>(QStringLiteral("findStatus"))->text(); }
  void ClickSummaryRow(int row) {
    QTableWidget* summary = Summary();
    const QRect cell = summary->visualRect(summary->model()->index(row, 0));
    QTest::mouseClick(summary->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  }
  void Search(const QString& prefix) {
    Find()->clear();
    QTest::keyClicks(Find(), prefix);
    QTest::keyClick(Find(), Qt::Key_Return);
  }

 private slots:
  void init() {
    viewer_ = std::make_unique<ReportViewer>(MixedReport(), "/tmp/r 1.dif");
    viewer_->setAttribute(Qt::WA_DeleteOnClose, false);
    viewer_->show();
    QVERIFY(QTest::qWaitForWindowExposed(viewer_.get()));
  }
  void cleanup() { viewer_.reset(); }

  void showsEveryLineOfTheRecordOnceAndTheSummaryPerTable() {
    const ReadReport report = MixedReport();
    QCOMPARE(viewer_->windowTitle(), QString::fromUtf8("比較結果 - /tmp/r 1.dif"));
    QCOMPARE(viewer_->findChild<QLabel*>(QStringLiteral("verdict"))->text(),
             QString::fromUtf8("5 の違いがあります"));
    const DifferenceTableModel& model = viewer_->Model();
    QCOMPARE(model.rowCount(), 10);
    QVERIFY(ModelLines(model) == RecordLines(report.Record));
    // A row per line pair: the changed route of 2 and 3 lines takes 3 rows,
    // its kind and table on the first only.
    QCOMPARE(model.index(0, DifferenceTableModel::kTableColumn).data().toString(),
             QString::fromUtf8("(見出しなし)"));
    QCOMPARE(model.index(0, DifferenceTableModel::kKindColumn).data().toString(), QString::fromUtf8("前<後>"));
    QCOMPARE(model.index(2, DifferenceTableModel::kKindColumn).data().toString(), QString());
    QCOMPARE(model.index(2, DifferenceTableModel::kBeforeColumn).data().toString(), QString());
    QCOMPARE(model.index(6, DifferenceTableModel::kKindColumn).data().toString(), QString::fromUtf8("減<VRF"));
    QCOMPARE(model.DifferenceOfRow(9), size_t{4});
    QCOMPARE(model.RowOfDifference(4), 6);
    // Each kind its own background on every row of its differences.
    const auto colour = [&](int row) { return model.index(row, 3).data(Qt::BackgroundRole).value<QBrush>().color(); };
    QCOMPARE(colour(1), colour(0));
    QVERIFY(colour(0) != colour(3) && colour(3) != colour(4) && colour(4) != colour(0));
    QCOMPARE(colour(9), colour(3));

    const std::map<QString, Counts> expected = {{QString::fromUtf8("(見出しなし)"), {1, 0, 1, 2}},
                                                {"RED", {0, 1, 1, 2}},
                                                {"BLUE", {1, 0, 0, 1}},
                                                {"GREEN", {0, 0, 0, 0}}};
    std::map<QString, Counts> shown;  // the summary's rows: name -> counts
    for (int row = 0; row < Summary()->rowCount(); ++row) {
      Counts& counts = shown[Summary()->item(row, 0)->text()];
      for (size_t k = 0; k < 4; ++k) counts[k] = Summary()->item(row, static_cast<int>(k) + 1)->text().toLongLong();
    }
    QVERIFY(shown == expected);
    QCOMPARE(Summary()->item(0, 0)->text(), QString::fromUtf8("(見出しなし)"));  // as in the report
  }

  void aSummaryRowJumpsToItsTable_data() {
    QTest::addColumn<int>("summaryRow");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<int>("differenceRow");
    QTest::newRow("no heading") << 0 << false << 0;
    QTest::newRow("RED") << 1 << false << 4;
    QTest::newRow("BLUE") << 2 << false << 6;
    QTest::newRow("BLUE by Enter") << 2 << true << 6;
    QTest::newRow("GREEN, no differences: stays") << 3 << false << 4;
  }
  void aSummaryRowJumpsToItsTable() {
    QFETCH(int, summaryRow);
    QFETCH(bool, byEnter);
    QFETCH(int, differenceRow);
    viewer_->JumpToTable(1);
    if (byEnter) {
      Summary()->setFocus();
      Summary()->setCurrentCell(summaryRow, 0);
      QTest::keyClick(Summary(), Qt::Key_Return);
    } else {
      ClickSummaryRow(summaryRow);
    }
    QCOMPARE(viewer_->CurrentRow(), differenceRow);
  }

  void findLandsOnTheNextRowWithThePrefix_data() {
    QTest::addColumn<int>("fromTable");  // summary row jumped to first, -1 for none
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("row");  // -1: not found, the row stays
    QTest::newRow("first match, not inside 110.1.2.0") << -1 << "10.1.2.0/24" << 0;
    QTest::newRow("next after the current row") << 1 << "10.1.2.0/24" << 7;
    QTest::newRow("wraps past the end") << 2 << "10.9." << 3;
    QTest::newRow("IPv6 in any case") << -1 << "2001:db8:0:1::" << 4;
    QTest::newRow("an after line past the before lines") << -1 << "10.0.0.3" << 2;
    QTest::newRow("none") << 1 << "10.99." << -1;
  }
  void findLandsOnTheNextRowWithThePrefix() {
    QFETCH(int, fromTable);
    QFETCH(QString, prefix);
    QFETCH(int, row);
    viewer_->JumpToTable(fromTable);
    const int before = viewer_->CurrentRow();
    Search(prefix);
    QCOMPARE(viewer_->CurrentRow(), row < 0 ? before : row);
    QCOMPARE(FindStatus(), row < 0 ? QString::fromUtf8("見つかりません") : QString());
  }

  // A report the walk wrote, opened by its path: the viewer shows every line
  // of the walk's record (the counts per table come from SummariseByTable,
  // tested on its own). Closing the viewer deletes it.
  void opensAReportAsTheWalkRecordedIt() {
    viewer_.reset();
    ScratchDir dir;
    const CompareOutcome outcome = CompareRecorded(dir, ReadFile(SourceDir() + "/examples/before.log"),
                                                   ReadFile(SourceDir() + "/examples/after.log"));
    QVERIFY(outcome.status.ok());
    QVERIFY(outcome.DifferenceCount > 0);

    OpenReportViewer(dir.File("after.dif"), nullptr);
    QPointer<ReportViewer> viewer = OpenViewer();
    QVERIFY(viewer != nullptr);
    QCOMPARE(viewer->windowTitle(), QString::fromUtf8("比較結果 - ") + QString::fromStdString(dir.File("after.dif")));
    QVERIFY(ModelLines(viewer->Model()) == RecordLines(outcome.Record));
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(viewer == nullptr);
  }

  void aFileThatIsNoReportShowsTheFailureAndNoViewer() {
    viewer_.reset();
    ScratchDir dir;
    const std::string path = dir.File("r.dif");
    WriteFile(path, SmallLog());
    ReadReport report;
    const Status status = ReadComparisonReport(path, report);
    QVERIFY(!status.ok());
    const ShownBox box = AnswerBox([&] { OpenReportViewer(path, nullptr); });
    QVERIFY(box.opened && box.captionAndOkOnly);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.format, Qt::PlainText);
    QCOMPARE(box.text, QString::fromStdString(WindowFailureText(status)));
    QVERIFY(OpenViewer() == nullptr);
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::ReportViewerTest)
#include "report_viewer_test.moc"
