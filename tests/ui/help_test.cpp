// The six help boxes: each shows its fixed text in a plain box titled with
// the caption, OK only, no icon, and leaves the window as it was.
#include <QCheckBox>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include "ui/help_texts.h"
#include "ui_test_support.h"

namespace tess::testing {

namespace {
// The documented About text names the package's documentation folder.
constexpr const char* kPackageAddress = "file:///usr/share/doc/tessaline/";

// The address that this build's About box must show: the documentation
// folder below the install prefix the build was configured for, computed
// here with Qt's own URL encoding.
QString BuildAddress() {
  return QUrl::fromLocalFile(QStringLiteral(TESSALINE_INSTALL_PREFIX "/share/doc/tessaline/"))
      .toString(QUrl::FullyEncoded);
}
}  // namespace

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
    QVERIFY(AboutText(0, 5, kPackageAddress)
                .starts_with("試作版 Ver.0.05 です\r\n詳細は Tessaline005.txt をご参照ください\r\n"));
    QVERIFY(AboutText(1, 60, kPackageAddress)
                .starts_with("試作版 Ver.1.60 です\r\n詳細は Tessaline160.txt"));
  }

  void aboutNamesTheGivenAddressOnItsFifthLine() {
    QCOMPARE(QString::fromStdString(AboutText(0, 60, "file:///opt/t/share/doc/tessaline/"))
                 .split("\r\n")
                 .value(4),
             QStringLiteral("file:///opt/t/share/doc/tessaline/"));
  }

  void documentationAddressOfAFolder_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("address");
    QTest::newRow("package") << "/usr/share/doc/tessaline" << kPackageAddress;
    QTest::newRow("default prefix")
        << "/usr/local/share/doc/tessaline" << "file:///usr/local/share/doc/tessaline/";
    QTest::newRow("closing slash kept once") << "/opt/t/doc/" << "file:///opt/t/doc/";
    QTest::newRow("doubled slashes") << "//opt//t///doc" << "file:///opt/t/doc/";
    QTest::newRow("space, percent, hash, question mark")
        << "/opt/my tools/100%/#1?/doc" << "file:///opt/my%20tools/100%25/%231%3F/doc/";
    QTest::newRow("characters a path keeps") << "/opt/a-b_c.d~e+f@g:h=i,j/doc"
                                             << "file:///opt/a-b_c.d~e+f@g:h=i,j/doc/";
    QTest::newRow("Japanese folder, bytes of UTF-8")
        << QString::fromUtf8("/opt/ツール/doc") << "file:///opt/%E3%83%84%E3%83%BC%E3%83%AB/doc/";
  }
  void documentationAddressOfAFolder() {
    QFETCH(QString, folder);
    QFETCH(QString, address);
    QCOMPARE(QString::fromStdString(DocumentationAddress(folder.toStdString())), address);
    // Qt reads it back as the same folder.
    const QString folded = QString(folder).replace(QRegularExpression("/+"), "/");
    QCOMPARE(QUrl(address).toLocalFile(), folded.endsWith('/') ? folded : folded + '/');
  }

  // The documented text for the package's prefix is byte for byte the file
  // help/mAbout.txt, whatever prefix this build has.
  void aboutForThePackageIsTheDocumentedText() {
    const std::string expected = TestData("help/mAbout.txt").replace('\n', "\r\n").toStdString();
    QCOMPARE(AboutText(0, 60, DocumentationAddress("/usr/share/doc/tessaline")), expected);
  }

  // The text, with CR LF line ends, is the documented one (mAbout for
  // version 0.60, with the documentation folder of this build's prefix);
  // the box shows it with plain line breaks.
  void eachEntryShowsItsTextInAPlainBox_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<std::string>("text");
    QTest::newRow("mHowTo1") << "mHowTo1" << HowTo1Text();
    QTest::newRow("mHowTo2") << "mHowTo2" << HowTo2Text();
    QTest::newRow("mHowTo3") << "mHowTo3" << HowTo3Text();
    QTest::newRow("mTech1") << "mTech1" << Tech1Text();
    QTest::newRow("mTech2") << "mTech2" << Tech2Text();
    QTest::newRow("mAbout") << "mAbout"
                            << AboutText(0, 60, BuildAddress().toStdString());
  }
  void eachEntryShowsItsTextInAPlainBox() {
    QFETCH(QString, entry);
    QFETCH(std::string, text);
    QString golden = TestData("help/" + entry.toStdString() + ".txt");
    if (entry == "mAbout") {
      QVERIFY(golden.contains(kPackageAddress));
      golden.replace(kPackageAddress, BuildAddress());
    }
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
