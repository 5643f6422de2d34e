#include "ui_test_support.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>


namespace tess::testing {

std::string SmallLog() {
  return "Gateway of last resort is not set\r\n"
         "C        10.2.0.0/24 is directly connected, Ethernet1\r\n"
         "C        10.1.0.0/24 is directly connected, Ethernet0\r\n";
}

QString TestData(const std::string& relativePath) {
  QFile file(QString::fromStdString(std::string(TESSALINE_UI_TEST_DATA) + "/" + relativePath));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
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

ShownBox AnswerBox(const std::function<void()>& command) {
  ShownBox shown;
  AnswerModal(command, [&](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (box != nullptr) {
      shown = {true,
               box->windowTitle() == "Tessaline - Cisco [show ip route]" &&
                   box->standardButtons() == QMessageBox::Ok,
               box->icon(), box->textFormat(), box->text()};
    }
    dialog->close();
  });
  return shown;
}

bool WindowFixture::Open(const char* settingsText, std::initializer_list<const char*> logs) {
  dir_ = std::make_unique<ScratchDir>();
  for (const char* name : logs) WriteFile(dir_->File(name), SmallLog());
  WriteFile(dir_->File("Tessaline.ini"), settingsText);
  window_ = std::make_unique<MainWindow>();
  window_->Load(dir_->File("Tessaline.ini"));
  window_->show();
  return QTest::qWaitForWindowExposed(window_.get());
}

std::string WindowFixture::Stored(const char* key) const {
  return ReadSetting(dir_->File("Tessaline.ini"), "Tessaline", key);
}

QStringList WindowFixture::PathTexts() const {
  return {Field("txtReadFile", 1)->text(), Field("txtWriteFile", 1)->text(),
          Field("txtReadFile", 2)->text(), Field("txtWriteFile", 2)->text(),
          Field("txtDiffFile")->text()};
}

void WindowFixture::Invoke(const QString& objectName) {
  if (auto* button = Named<QAbstractButton>(objectName)) {
    QTest::mouseClick(button, Qt::LeftButton);
  } else {
    Named<QAction>(objectName)->trigger();
  }
  WaitForRun();
}

void WindowFixture::WaitForRun() {
  QElapsedTimer waited;
  waited.start();
  while (window_->RunInProgress() && waited.elapsed() < 30000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  QCoreApplication::processEvents();
}

}  // namespace tess::testing
