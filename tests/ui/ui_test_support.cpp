#include "ui_test_support.h"

#include <QFile>
#include <QTest>
#include <QTimer>

namespace tess::testing {

std::unique_ptr<frmTessaline> OpenWindow(const std::string& settingsPath,
                                         const std::string& settingsText) {
  if (!settingsText.empty()) WriteFile(settingsPath, settingsText);
  auto window = std::make_unique<frmTessaline>();
  window->Form_Load(settingsPath);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  return window;
}

QAction* MenuItem(const QWidget& window, const char* name, int index) {
  return window.findChild<QAction*>(QString::fromStdString(ControlName(name, index)));
}

// A modal dialog runs its own event loop; a timer polling from inside that
// loop finds it and hands it over. A dialog that was already open when the
// command started (the command may be answering it) is not the one.
bool AnswerModal(const std::function<void()>& command,
                 const std::function<void(QWidget*)>& answer) {
  bool seen = false;
  QWidget* const alreadyOpen = QApplication::activeModalWidget();
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || dialog == alreadyOpen || seen) return;
    seen = true;
    poll.stop();
    answer(dialog);
  });
  poll.start();
  command();
  poll.stop();
  return seen;
}

std::string SmallLog() {
  return "Gateway of last resort is not set\r\n"
         "C        10.2.0.0/24 is directly connected, Ethernet1\r\n"
         "C        10.1.0.0/24 is directly connected, Ethernet0\r\n";
}

QString TestData(const std::string& relativePath) {
  QFile file(QString::fromStdString(std::string(TESSALINE_UI_TEST_DATA) + "/" + relativePath));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

}  // namespace tess::testing
