// Times the report viewer on a large report, offscreen: reading the report,
// building the viewer (its model and summary), showing it until the first
// paint is done, jumping to the last row, paging through rows, and a find
// that walks every row.
//
//   QT_QPA_PLATFORM=offscreen report_viewer_perf REPORT
#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <cstdio>

#include "compare/report_reader.h"
#include "ui/report_viewer.h"

namespace {

double Seconds(QElapsedTimer& timer) {
  const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  timer.restart();
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: report_viewer_perf REPORT\n");
    return 2;
  }
  QApplication app(argc, argv);
  QElapsedTimer timer;
  QElapsedTimer whole;
  timer.start();
  whole.start();
  tess::ReadReport report;
  if (const tess::Status st = tess::ReadComparisonReport(argv[1], report); !st.ok()) {
    std::fprintf(stderr, "%s\n", st.Message().c_str());
    return 2;
  }
  const double read = Seconds(timer);
  tess::ReportViewer viewer(std::move(report), argv[1]);
  viewer.setAttribute(Qt::WA_DeleteOnClose, false);
  const double built = Seconds(timer);
  viewer.show();
  if (!QTest::qWaitForWindowExposed(&viewer)) return 1;
  QApplication::processEvents();
  const double shown = Seconds(timer);
  const double open = static_cast<double>(whole.nsecsElapsed()) / 1e9;

  auto* view = viewer.findChild<QTableView*>(QStringLiteral("differences"));
  const int rows = view->model()->rowCount();
  view->scrollToBottom();
  view->repaint();
  const double toEnd = Seconds(timer);
  // Page up from the end, painting each page, as a held Page Up key does.
  constexpr int kPages = 200;
  QScrollBar* bar = view->verticalScrollBar();
  for (int page = 0; page < kPages; ++page) {
    bar->setValue(bar->value() - bar->pageStep());
    view->repaint();
  }
  const double paging = Seconds(timer);
  // A prefix no line holds: the find walks every row once.
  viewer.findChild<QLineEdit*>(QStringLiteral("find"))->setText(QStringLiteral("203.0.113."));
  viewer.FindNext();
  const double find = Seconds(timer);
  std::printf("rows %d\nread %.3f s\nviewer built %.3f s\nshown %.3f s\nopen in all %.3f s\n"
              "scroll to the end %.1f ms\npage scroll %.2f ms per page\nfind, no match %.0f ms\n",
              rows, read, built, shown, open, toEnd * 1e3, paging * 1e3 / kPages, find * 1e3);
  return 0;
}
