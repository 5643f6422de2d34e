#include "ui/run_window.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "compare/report_reader.h"
#include "ui/app_icon.h"
#include "ui/main_window.h"
#include "ui/qt_translations.h"
#include "ui/report_viewer.h"

namespace tess {

namespace {

// What Qt says while it connects to the display: held back, and shown only
// when the connection succeeded. A fatal message means that no display or
// platform plugin could be opened: Qt would abort, the program ends with the
// failure line and exit status 2 instead.
QList<QByteArray>& HeldMessages() {
  static QList<QByteArray> messages;
  return messages;
}

void OnStartUpMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs("tessaline: cannot open a display\n", stderr);
    std::fflush(stderr);
    std::_Exit(2);
  }
  HeldMessages().append(text.toLocal8Bit());
}

// Makes the window of `makeWindow` in an application connected to the
// display and runs the event loop until the last window closes; returns the
// exit code. The window goes before the application.
template <typename MakeWindow>
int RunApplication(int argc, char** argv, MakeWindow&& makeWindow) {
  const QtMessageHandler previous = qInstallMessageHandler(OnStartUpMessage);
  QApplication app(argc, argv);
  qInstallMessageHandler(previous);
  for (const QByteArray& message : HeldMessages()) std::fprintf(stderr, "%s\n", message.constData());
  HeldMessages().clear();
  QApplication::setWindowIcon(AppIcon());
  InstallJapaneseQtTranslations(app);
  const std::unique_ptr<QWidget> window = makeWindow();
  window->show();
  return QApplication::exec();
}

}  // namespace

int RunWindow(int argc, char** argv, const std::optional<std::string>& settingsPath) {
  return RunApplication(argc, argv, [&] {
    auto window = std::make_unique<MainWindow>();
    window->Load(settingsPath);
    return std::unique_ptr<QWidget>(std::move(window));
  });
}

// The report is read before the display is opened: a file that is not a
// report fails on the command line, with no window.
int RunViewer(int argc, char** argv, const std::string& reportPath) {
  ReadReport report;
  if (const Status st = ReadComparisonReport(reportPath, report); !st.ok()) {
    std::fprintf(stderr, "tessaline: %s\n", EscapeControlCharacters(st.Message()).c_str());
    return 2;
  }
  return RunApplication(argc, argv, [&] {
    auto viewer = std::make_unique<ReportViewer>(std::move(report), reportPath);
    viewer->setAttribute(Qt::WA_DeleteOnClose, false);  // owned here
    return std::unique_ptr<QWidget>(std::move(viewer));
  });
}

}  // namespace tess
