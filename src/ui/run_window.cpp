#include "ui/run_window.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <cstdio>
#include <cstdlib>

#include "ui/app_icon.h"
#include "ui/main_window.h"
#include "ui/qt_translations.h"

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

}  // namespace

int RunWindow(int argc, char** argv, const std::optional<std::string>& settingsPath) {
  const QtMessageHandler previous = qInstallMessageHandler(OnStartUpMessage);
  QApplication app(argc, argv);
  qInstallMessageHandler(previous);
  for (const QByteArray& message : HeldMessages()) std::fprintf(stderr, "%s\n", message.constData());
  HeldMessages().clear();
  QApplication::setWindowIcon(AppIcon());
  InstallJapaneseQtTranslations(app);
  MainWindow window;
  window.Load(settingsPath);
  window.show();
  return QApplication::exec();
}

}  // namespace tess
