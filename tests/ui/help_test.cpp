// The six help boxes: each shows its fixed text in a plain box titled with
// the caption, OK only, no icon, and leaves the window as it was.
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "ui/help_texts.h"
#include "ui_test_support.h"

namespace tess::testing {

class HelpTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScratchDir> dir_;
  std::unique_ptr<frmTessaline> window_;

  // The golden text of a help entry, with CR LF line ends as shown.
  static std::string Golden(const QString& entry) {
    QString text = TestData("help/" + entry.toStdString() + ".txt");
    text.replace('\n', QStringLiteral("\r\n"));
    return text.toStdString();
  }
  // What a user can see of the window's fields and options.
  QStringList Visible() const {
    QStringList seen;
    for (auto* field : window_->findChildren<QLineEdit*>()) {
      seen << field->objectName() + "=" + field->text() + " " +
                  field->palette().color(QPalette::Text).name();
    }
    for (auto* box : window_->findChildren<QCheckBox*>()) {
      seen << box->objectName() + "=" + QString::number(box->checkState());
    }
    for (auto* item : window_->findChildren<QAction*>()) {
      seen << item->objectName() + "=" + QString::number(item->isChecked()) +
                  QString::number(item->isEnabled());
    }
    return seen;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<ScratchDir>();
    WriteFile(dir_->File("r1.log"), SmallLog());
    WriteFile(dir_->File("r1.srt"), SmallLog());
    window_ = OpenWindow(dir_->File("Tessaline.ini"), kOptionsOnSettings);
    QVERIFY(window_ != nullptr);
    window_->txtReadFile_OLEDragDrop(1, QString::fromStdString(dir_->File("r1.log")));
  }
  void cleanup() {
    window_.reset();
    dir_.reset();
  }

  void textsAreTheDocumentedOnes_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<std::string>("text");
    QTest::newRow("mHowTo1") << "mHowTo1" << HowTo1Text();
    QTest::newRow("mHowTo2") << "mHowTo2" << HowTo2Text();
    QTest::newRow("mHowTo3") << "mHowTo3" << HowTo3Text();
    QTest::newRow("mTech1") << "mTech1" << Tech1Text();
    QTest::newRow("mTech2") << "mTech2" << Tech2Text();
    QTest::newRow("mAbout") << "mAbout" << AboutText(0, 60);
  }
  void textsAreTheDocumentedOnes() {
    QFETCH(QString, entry);
    QFETCH(std::string, text);
    QCOMPARE(QString::fromStdString(text), QString::fromStdString(Golden(entry)));
    QVERIFY(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n");
  }

  void aboutShowsTheMinorWithTwoDigits() {
    const std::string text = AboutText(0, 5);
    QVERIFY(
        text.starts_with("試作版 Ver.0.05 です\r\n詳細は Tessaline005.txt をご参照ください\r\n"));
    QVERIFY(AboutText(1, 60).starts_with("試作版 Ver.1.60 です\r\n詳細は Tessaline160.txt"));
  }

  void eachEntryShowsAPlainBox_data() {
    QTest::addColumn<QString>("entry");
    for (const char* entry : {"mHowTo1", "mHowTo2", "mHowTo3", "mTech1", "mTech2", "mAbout"}) {
      QTest::newRow(entry) << entry;
    }
  }
  void eachEntryShowsAPlainBox() {
    QFETCH(QString, entry);
    const QStringList before = Visible();
    QString shown;
    const bool opened =
        AnswerModal([&] { window_->findChild<QAction*>(entry)->trigger(); },
                    [&](QWidget* dialog) {
                      auto* box = qobject_cast<QMessageBox*>(dialog);
                      QVERIFY(box != nullptr);
                      QCOMPARE(box->windowTitle(), QString("Tessaline - Cisco [show ip route]"));
                      QCOMPARE(box->standardButtons(), QMessageBox::Ok);
                      QCOMPARE(box->icon(), QMessageBox::NoIcon);
                      QCOMPARE(box->textFormat(), Qt::PlainText);
                      shown = box->text();
                      box->button(QMessageBox::Ok)->click();
                    });
    QVERIFY(opened);
    QCOMPARE(shown, QString::fromStdString(Golden(entry)).replace("\r\n", "\n"));
    QCOMPARE(Visible(), before);
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::HelpTest)
#include "help_test.moc"
