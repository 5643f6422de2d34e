// Takes the picture of the report viewer for the documentation: opens the
// viewer of a report on the running display and writes a PNG of it.
//
//   tessaline_viewer_screenshot REPORT VIEWER.png
#include <QApplication>
#include <QTest>
#include <cstdio>

#include "ui/app_icon.h"
#include "ui/report_viewer.h"

namespace {

tess::ReportViewer* ShownViewer() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* viewer = qobject_cast<tess::ReportViewer*>(widget)) return viewer;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tessaline_viewer_screenshot REPORT VIEWER.png\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(tess::AppIcon());
  tess::OpenReportViewer(argv[1], nullptr);
  tess::ReportViewer* viewer = ShownViewer();
  if (viewer == nullptr) return 1;
  viewer->resize(1000, 420);
  if (!QTest::qWaitForWindowExposed(viewer)) return 1;
  QTest::qWait(300);
  return viewer->grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
