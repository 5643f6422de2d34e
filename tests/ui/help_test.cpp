// The six help boxes: each shows its fixed text in a plain box titled with
// the caption, OK only, no icon, and leaves the window as it was.
#include <QCheckBox>
#include <QTest>

#include "ui/help_texts.h"
#include "ui_test_support.h"

namespace tess::testing {

class HelpTest : public QObject, protected WindowFixture {
  Q_OBJECT

 private:
  // What a user can see of the window's fields, options and menu items.
  QStringList Visible() const {
    QStringList seen;
    for (auto* field : window_->findChildren<QLineEdit*>()) {
      seen << field->objectName() + field->text() + Shown(field).name();
    }
    for (auto* box : window_->findChildren<QCheckBox*>()) {
      seen << box->objectName() + QString::number(box->checkState());
    }
    for (auto* item : window_->findChildren<QAction*>()) {
      seen << item->objectName() + QString::number(item->isChecked() + 2 * item->isEnabled());
    }
    return seen;
  }

 private slots:
  void init() {
    QVERIFY(Open(kOptionsOnSettings, {"r1.log", "r1.srt"}));
    Choose(1, "r1.log");
  }
  void cleanup() { Close(); }

  void aboutShowsTheMinorWithTwoDigits() {
    QVERIFY(AboutText(0, 5).starts_with(
        "試作版 Ver.0.05 です\r\n詳細は Tessaline005.txt をご参照ください\r\n"));
    QVERIFY(AboutText(1, 60).starts_with("試作版 Ver.1.60 です\r\n詳細は Tessaline160.txt"));
  }

  // The text, with CR LF line ends, is the documented one (mAbout for
  // version 0.60); the box shows it with plain line breaks.
  void eachEntryShowsItsTextInAPlainBox_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<std::string>("text");
    QTest::newRow("mHowTo1") << "mHowTo1" << HowTo1Text();
    QTest::newRow("mHowTo2") << "mHowTo2" << HowTo2Text();
    QTest::newRow("mHowTo3") << "mHowTo3" << HowTo3Text();
    QTest::newRow("mTech1") << "mTech1" << Tech1Text();
    QTest::newRow("mTech2") << "mTech2" << Tech2Text();
    QTest::newRow("mAbout") << "mAbout" << AboutText(0, 60);
  }
  void eachEntryShowsItsTextInAPlainBox() {
    QFETCH(QString, entry);
    QFETCH(std::string, text);
    const QString golden = TestData("help/" + entry.toStdString() + ".txt");
    QCOMPARE(QString::fromStdString(text), QString(golden).replace('\n', "\r\n"));
    const QStringList before = Visible();
    const ShownBox box = AnswerBox([&] { Item(entry.toUtf8().constData())->trigger(); });
    QVERIFY(box.opened && box.captionAndOkOnly);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.format, Qt::PlainText);
    QCOMPARE(box.text, golden);
    QCOMPARE(Visible(), before);
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::HelpTest)
#include "help_test.moc"
