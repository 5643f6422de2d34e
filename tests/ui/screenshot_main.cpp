// Takes the pictures of the window for the documentation: shows the main
// window on the running display over a given settings file, drops two logs
// onto its input fields as a user would, and writes a PNG of the window and
// one with the option submenu open; with COMPARED.png, then compares the two
// logs and writes a PNG of the window with the verdict in its caption.
//
//   tessaline_screenshot SETTINGS LOG1 LOG2 WINDOW.png MENU.png [COMPARED.png]
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "ui/app_icon.h"
#include "ui/main_window.h"

namespace {

// The window with its frame, and every open menu.
QList<QRect> OnScreenParts(const QWidget& window) {
  QList<QRect> parts = {window.frameGeometry()};
  for (QMenu* menu : window.findChildren<QMenu*>()) {
    if (menu->isVisible()) parts << menu->geometry();
  }
  return parts;
}

// What the screen shows of the window and its open menus once pending
// painting is done; the desktop around them stays transparent.
QImage Grab(const QWidget& window) {
  QTest::qWait(300);
  const QList<QRect> parts = OnScreenParts(window);
  QRect area;
  for (const QRect& part : parts) area = area.united(part);
  const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
  QImage picture(area.size(), QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  for (const QRect& part : parts) painter.drawImage(part.topLeft() - area.topLeft(), screen, part);
  return picture;
}

bool OpenOptionSubmenu(tess::MainWindow& window) {
  auto* config = window.findChild<QMenu*>(QStringLiteral("mConfig"));
  auto* options = window.findChild<QMenu*>(QStringLiteral("mOptConfig"));
  if (config == nullptr || options == nullptr) return false;
  window.menuBar()->setActiveAction(config->menuAction());
  QTest::qWait(200);
  config->setActiveAction(options->menuAction());
  QTest::qWait(400);
  return options->isVisible();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6 && argc != 7) {
    std::fprintf(stderr, "usage: tessaline_screenshot SETTINGS LOG1 LOG2 WINDOW.png MENU.png [COMPARED.png]\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(tess::AppIcon());
  tess::MainWindow window;
  window.Load(std::string(argv[1]));
  window.move(16, 16);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  window.InputDropped(1, QString::fromLocal8Bit(argv[2]));
  window.InputDropped(2, QString::fromLocal8Bit(argv[3]));
  if (!Grab(window).save(QString::fromLocal8Bit(argv[4]))) return 1;
  if (!OpenOptionSubmenu(window)) return 1;
  if (!Grab(window).save(QString::fromLocal8Bit(argv[5]))) return 1;
  if (argc == 6) return 0;
  for (QMenu* menu : window.findChildren<QMenu*>()) menu->hide();
  window.CompareBothLogs();
  while (window.RunInProgress()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  if (!Grab(window).save(QString::fromLocal8Bit(argv[6]))) return 1;
  return 0;
}
