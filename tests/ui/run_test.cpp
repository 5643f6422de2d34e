// Typing, browsing and running from the window: commands enabled by file
// existence, result fields blue during a run and red after it, failures
// shown in a message box with the window staying usable.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QCursor>
#include <QFileDialog>
#include <QMenu>
#include <QRegularExpression>
#include <QTranslator>
#include <QTest>
#include <cerrno>
#include <cstdio>

#include "ui/help_texts.h"
#include "ui/qt_translations.h"
#include "ui_test_support.h"

namespace tess::testing {

namespace {
// Records whether a field was painted blue while its file did not exist yet.
class PaintedColours : public QObject {
 public:
  explicit PaintedColours(QLineEdit* field) { field->installEventFilter(this); }
  bool blueBeforeTheFile = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* field = static_cast<QLineEdit*>(watched);
    blueBeforeTheFile |= event->type() == QEvent::Paint &&
                         field->palette().color(QPalette::Text) == kShownBlue &&
                         !Exists(field->text().toStdString());
    return false;
  }
};
}  // namespace

class RunTest : public QObject, protected WindowFixture {
  Q_OBJECT

 private:
  // A log big enough that a run of it is still going when the test looks.
  static std::string BigLog() {
    std::string log = "Gateway of last resort is not set\r\n";
    for (int i = 0; i < 300000; ++i) {
      log += "S    10." + std::to_string(i % 250) + "." + std::to_string(i / 250 % 250) + "." +
             std::to_string(i % 7) + "/32 [1/0] via 192.168." + std::to_string(i % 200) + ".1\r\n";
    }
    return log;
  }
  // Whether button and menu item of sort 1, sort 2 and the comparison are
  // enabled.
  QString Enabled() const {
    QString shown;
    for (const char* name : {"cmdSort(1)", "mFileSort(1)", "cmdSort(2)", "mFileSort(2)", "cmdDiff",
                             "mFileDiff"}) {
      shown += Named<QObject>(name)->property("enabled").toBool() ? "1" : "0";
    }
    return shown;
  }
  // What the caption adds to the window's own.
  QString CaptionEnd() const {
    return window_->windowTitle().mid(QString::fromUtf8(kWindowCaption).size());
  }
  static void Type(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
  }

 private slots:
  void init() { QVERIFY(Open(kOptionsOnSettings, {"r1.log", "r2.log", "c.log"})); }
  void cleanup() { Close(); }

  // Every keystroke re-derives the names, re-tests the input (a folder
  // counts as missing) and colours a result name by its file's existence.
  void typingEnablesCommandsForExistingFiles() {
    QLineEdit* read1 = Field("txtReadFile", 1);
    QTest::keyClicks(read1, QString::fromStdString(dir_->path()));
    QCOMPARE(Enabled(), "000000");
    Type(read1, Path("r1"));
    QCOMPARE(Enabled(), "000000");
    QCOMPARE(Field("txtWriteFile", 1)->text(), Path("r1.srt"));
    QTest::keyClicks(read1, ".log");
    QCOMPARE(Enabled(), "110000");
    QCOMPARE(Field("txtWriteFile", 1)->text(), Path("r1.srt"));
    QTest::keyClicks(Field("txtReadFile", 2), Path("r2.log"));
    QCOMPARE(Enabled(), "111111");
    QCOMPARE(Field("txtDiffFile")->text(), Path("r2.dif"));
    QTest::keyClick(Field("txtReadFile", 2), Qt::Key_Backspace);
    QCOMPARE(Enabled(), "110000");
    QLineEdit* write1 = Field("txtWriteFile", 1);
    Type(write1, Path("r1.log"));
    QCOMPARE(Shown(write1), kShownRed);
    QTest::keyClick(write1, Qt::Key_Backspace);
    QCOMPARE(Shown(write1), WindowText(write1));
  }

  void typedExtensionIsNormalizedAndStored() {
    Choose(1, "r1.log");
    Type(Field("txtFileExt", 1), "txt");
    QCOMPARE(Field("txtWriteFile", 1)->text(), Path("r1.txt"));
    QCOMPARE(Stored("SortExt1"), ".txt");
    Type(Field("txtFileExt", 3), "cmp");
    QCOMPARE(Field("txtDiffFile")->text(), QString(".cmp"));
  }

  // The fields are repainted blue before the work starts; the first is red
  // afterwards, as its file exists.
  void resultFieldsBlueDuringTheRunRedAfter_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("result");
    QTest::newRow("cmdSort(1)") << "cmdSort(1)" << QStringList{"txtWriteFile(1)"} << "r1.srt";
    QTest::newRow("mFileSort(2)") << "mFileSort(2)" << QStringList{"txtWriteFile(2)"} << "r2.srt";
    QTest::newRow("cmdDiff") << "cmdDiff" << QStringList{"txtDiffFile", "txtWriteFile(2)"}
                             << "r2.dif";
  }
  void resultFieldsBlueDuringTheRunRedAfter() {
    QFETCH(QString, command);
    QFETCH(QStringList, fields);
    QFETCH(QString, result);
    Choose(1, "r1.log");
    Choose(2, "r2.log");
    std::vector<std::unique_ptr<PaintedColours>> painted;
    for (const QString& name : fields) {
      QCOMPARE(Shown(Named<QLineEdit>(name)), WindowText(Named<QLineEdit>(name)));
      painted.push_back(std::make_unique<PaintedColours>(Named<QLineEdit>(name)));
    }
    QVERIFY(!AnswerBox([&] { Invoke(command); }).opened);
    QVERIFY(Exists(dir_->File(result.toStdString())));
    for (const auto& p : painted) QVERIFY(p->blueBeforeTheFile);
    QCOMPARE(Shown(Named<QLineEdit>(fields.front())), kShownRed);
  }

  // The input vanished after it was chosen: the run fails, a box names the
  // file, and the window goes on with its fields and commands as they were.
  void failedSortShowsTheFailureAndTheWindowStaysUsable() {
    Choose(1, "r1.log");
    std::remove(dir_->File("r1.log").c_str());
    const ShownBox box = AnswerBox([&] { Invoke("cmdSort(1)"); });
    QVERIFY(box.captionAndOkOnly && box.icon == QMessageBox::Critical);
    QVERIFY(box.text.contains(Path("r1.log")));
    // The system's error: its number and our Japanese description.
    QVERIFY(box.text.contains(QString::fromUtf8("エラー番号 %1\nファイルまたはフォルダーが見つかりません。").arg(ENOENT)));
    QVERIFY(!box.text.contains("No such file"));
    QVERIFY(window_->isVisible());
    QCOMPARE(Shown(Field("txtWriteFile", 1)), WindowText(Field("txtWriteFile", 1)));
    QCOMPARE(dir_->List(), (std::vector<std::string>{"Tessaline.ini", "c.log", "r2.log"}));
    QTest::keyClicks(Field("txtReadFile", 1), "x");
    QCOMPARE(Field("txtWriteFile", 1)->text(), Path("r1.srt"));
  }

  // A comparison with a log that holds no route line writes its report, and
  // a warning box says that nothing was really compared.
  void comparisonWithoutRouteLinesWarnsAfterWritingTheReport() {
    WriteFile(dir_->File("sw.log"), "switch#show interfaces status\nGi0/1  connected\n");
    Choose(1, "r1.log");
    Choose(2, "sw.log");
    const ShownBox box = AnswerBox([&] { Invoke("cmdDiff"); });
    QVERIFY(box.captionAndOkOnly && box.icon == QMessageBox::Warning);
    QCOMPARE(box.text, QString::fromUtf8("ルート情報の行が見つかりませんでした。比較結果は書き出しましたが、"
                                         "正しく比較できていない可能性があります。\nファイル: ") +
                           Path("sw.log"));
    QVERIFY(Exists(dir_->File("sw.dif")));
  }

  // A run goes on off the window's thread: the commands that start runs
  // are off and the cursor is busy meanwhile, and all is back afterwards.
  void runsLeaveTheWindowResponsive() {
    WriteFile(dir_->File("big.log"), BigLog());
    Choose(1, "big.log");
    Choose(2, "r2.log");
    QTest::mouseClick(Named<QAbstractButton>("cmdSort(1)"), Qt::LeftButton);
    QVERIFY(window_->RunInProgress());
    QCOMPARE(Enabled(), "000000");
    QVERIFY2(QRegularExpression(QString::fromUtf8("^ - 実行中 \\d{1,3}%$")).match(CaptionEnd()).hasMatch(),
             qPrintable(CaptionEnd()));
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    QCOMPARE(Shown(Field("txtWriteFile", 1)), kShownBlue);
    QTest::keyClicks(Field("txtFileExt", 3), "x");  // edits go on
    WaitForRun();
    QVERIFY(!window_->RunInProgress());
    QCOMPARE(Enabled(), "111111");
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(Shown(Field("txtWriteFile", 1)), kShownRed);
    QVERIFY(Exists(dir_->File("big.srt")));
    QCOMPARE(CaptionEnd(), QString());  // a sort has no verdict
  }

  // After a comparison the caption ends with the report's verdict, and the
  // viewer's menu item is on while the report exists. An edit of any field
  // or the next run takes the verdict away; a failed comparison shows none.
  void captionShowsTheVerdictOfTheLastComparison() {
    WriteFile(dir_->File("c.log"), SmallLog() + "S        10.9.0.0/16 [1/0] via 10.1.0.1\r\n");
    Choose(1, "r1.log");
    Choose(2, "r2.log");
    QVERIFY(!Item("mViewReport")->isEnabled());
    QVERIFY(!AnswerBox([&] { Invoke("cmdDiff"); }).opened);
    QCOMPARE(CaptionEnd(), QString::fromUtf8(" - 同等です"));
    QVERIFY(Item("mViewReport")->isEnabled());
    Item("mViewReport")->trigger();
    QWidget* viewer = nullptr;
    for (QWidget* shown : QApplication::topLevelWidgets()) {
      if (shown->isVisible() && shown->windowTitle() == QString::fromUtf8("比較結果 - ") + Path("r2.dif")) viewer = shown;
    }
    QVERIFY(viewer != nullptr);
    viewer->close();
    Type(Field("txtFileExt", 1), "s");
    QCOMPARE(CaptionEnd(), QString());
    Choose(2, "c.log");
    QVERIFY(!AnswerBox([&] { Invoke("mFileDiff"); }).opened);
    QCOMPARE(CaptionEnd(), QString::fromUtf8(" - 1 の違いがあります"));
    Invoke("cmdSort(1)");
    QCOMPARE(CaptionEnd(), QString());
    // The report vanished: the menu finds out when it opens.
    std::remove(dir_->File("c.dif").c_str());
    Item("mRun")->menu()->popup(QPoint(0, 0));
    QVERIFY(!Item("mViewReport")->isEnabled());
    Item("mRun")->menu()->hide();
    std::remove(dir_->File("r1.log").c_str());
    const ShownBox box = AnswerBox([&] { Invoke("cmdDiff"); });
    QVERIFY(box.opened && box.icon == QMessageBox::Critical);
    QCOMPARE(CaptionEnd(), QString());
  }

  // Qt's own buttons and dialogs speak Japanese when its translations are
  // installed, whatever the locale.
  void qtDialogsSpeakJapanese() {
    if (!InstallJapaneseQtTranslations(*QCoreApplication::instance())) {
      QSKIP("Qt's Japanese translations are not installed");
    }
    QMessageBox box(QMessageBox::NoIcon, "t", "t", QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8("キャンセル"));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QVERIFY(!dialog.findChildren<QWidget*>().isEmpty());
    const QString title = dialog.windowTitle();
    // The other tests see Qt as it was.
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
    QCOMPARE(title, QString::fromUtf8("開く"));
  }

  // Closing the window during a run asks nothing: the run stops, and no
  // temporary file or half-written result stays.
  void closingDuringARunStopsItAndCleansUp() {
    WriteFile(dir_->File("big.log"), BigLog());
    Choose(1, "big.log");
    Choose(2, "r2.log");
    const bool boxOpened = AnswerModal(
        [&] {
          QTest::mouseClick(Named<QAbstractButton>("cmdDiff"), Qt::LeftButton);
          QVERIFY(window_->RunInProgress());
          window_->close();
          QCoreApplication::processEvents();
        },
        [](QWidget* dialog) { dialog->close(); });
    QVERIFY(!boxOpened);
    QVERIFY(!window_->RunInProgress());
    QVERIFY(!window_->isVisible());
    for (const std::string& name : dir_->List()) {
      QVERIFY2(name.find(".(") == std::string::npos && name[0] != '.', name.c_str());
      if (name == "r2.dif") QVERIFY(ReadFile(dir_->File(name)).ends_with("\r\n"));
    }
  }

  // Each browse command: a cancel leaves every field as it was; otherwise
  // the dialog (open, or save, which asks before naming an existing file)
  // starts at the field's name and its choice goes through the field's
  // handler.
  void browse_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("slot");  // 0: a save dialog
    QTest::newRow("cmdBrowseRead(1)") << "cmdBrowseRead(1)" << "txtReadFile(1)" << 1;
    QTest::newRow("cmdBrowseRead(2)") << "cmdBrowseRead(2)" << "txtReadFile(2)" << 2;
    QTest::newRow("mFileOpen(1)") << "mFileOpen(1)" << "txtReadFile(1)" << 1;
    QTest::newRow("mFileOpen(2)") << "mFileOpen(2)" << "txtReadFile(2)" << 2;
    QTest::newRow("cmdBrowseWrite(1)") << "cmdBrowseWrite(1)" << "txtWriteFile(1)" << 0;
    QTest::newRow("cmdBrowseWrite(2)") << "cmdBrowseWrite(2)" << "txtWriteFile(2)" << 0;
    QTest::newRow("cmdBrowseDiff") << "cmdBrowseDiff" << "txtDiffFile" << 0;
  }
  void browse() {
    QFETCH(QString, command);
    QFETCH(QString, field);
    QFETCH(int, slot);
    Choose(1, "r1.log");
    Choose(2, "r2.log");
    const QStringList before = PathTexts();
    const auto browse = [&](const std::function<void(QDialog*)>& answer) {
      return AnswerModal([&] { Invoke(command); },
                         [&](QWidget* dialog) { answer(static_cast<QDialog*>(dialog)); });
    };
    QVERIFY(browse([](QDialog* dialog) { dialog->reject(); }));
    QCOMPARE(PathTexts(), before);
    const QString chosen = Path(slot == 0 ? "r1.log" : "c.log");
    QVERIFY(browse([&](QDialog* dialog) {
      auto* files = qobject_cast<QFileDialog*>(dialog);
      QVERIFY(files != nullptr);
      QCOMPARE(files->acceptMode(), slot == 0 ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
      QCOMPARE(files->selectedFiles().value(0), Named<QLineEdit>(field)->text());
      files->findChild<QLineEdit*>("fileNameEdit")->setText(chosen);
      const bool asked = AnswerModal([&] { dialog->accept(); }, [](QWidget* ask) {
        qobject_cast<QMessageBox*>(ask)->button(QMessageBox::Yes)->click();
      });
      QCOMPARE(asked, slot == 0);
    }));
    QCOMPARE(Named<QLineEdit>(field)->text(), chosen);
    if (slot == 0) QCOMPARE(Shown(Named<QLineEdit>(field)), kShownRed);
    if (slot != 0) QCOMPARE(Field("txtWriteFile", slot)->text(), Path("c.srt"));
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::RunTest)
#include "run_test.moc"
