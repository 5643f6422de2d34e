// Typing, browsing and running from the window: commands enabled by file
// existence, result fields blue during a run and red after it, failures
// shown in a message box with the window staying usable.
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "app/win_sys.h"
#include "ui_test_support.h"

namespace tess::testing {

namespace {
const QColor kShownBlue(0, 0, 255);
const QColor kShownRed(255, 0, 0);

// The text colours a field was painted in, in order, each with whether
// the file it names existed at that moment.
class PaintedColours : public QObject {
 public:
  explicit PaintedColours(QLineEdit* field) { field->installEventFilter(this); }
  QList<std::pair<QColor, bool>> seen;

  /// Whether the field was painted blue while its file did not exist yet.
  bool BlueBeforeTheFile() const {
    return std::find(seen.begin(), seen.end(), std::pair{QColor(0, 0, 255), false}) != seen.end();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      auto* field = static_cast<QLineEdit*>(watched);
      seen.append({field->palette().color(QPalette::Text), Exists(field->text().toStdString())});
    }
    return false;
  }
};
}  // namespace

class RunTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScratchDir> dir_;
  std::unique_ptr<frmTessaline> window_;

  QString Path(const char* name) const { return QString::fromStdString(dir_->File(name)); }
  QLineEdit* Field(const char* name, int index = kNoIndex) const {
    return Control<QLineEdit>(*window_, name, index);
  }
  QPushButton* Button(const char* name, int index = kNoIndex) const {
    return Control<QPushButton>(*window_, name, index);
  }
  QColor Shown(const char* name, int index = kNoIndex) const {
    return Field(name, index)->palette().color(QPalette::Text);
  }
  QColor WindowText() const {
    return QApplication::palette(Field("txtDiffFile")).color(QPalette::Text);
  }
  void Type(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
  }
  // Clicks `button`; a message box that opens is inspected and answered
  // with OK. Returns the box's icon and text, or NoIcon and empty text.
  std::pair<QMessageBox::Icon, QString> ClickAndAnswer(QPushButton* button) {
    std::pair<QMessageBox::Icon, QString> shown{QMessageBox::NoIcon, {}};
    AnswerModal([&] { QTest::mouseClick(button, Qt::LeftButton); },
                [&](QWidget* dialog) {
                  auto* box = qobject_cast<QMessageBox*>(dialog);
                  QVERIFY(box != nullptr);
                  QCOMPARE(box->windowTitle(), QString("Tessaline - Cisco [show ip route]"));
                  QCOMPARE(box->standardButtons(), QMessageBox::Ok);
                  shown = {box->icon(), box->text()};
                  box->button(QMessageBox::Ok)->click();
                });
    return shown;
  }
  // Types `name` into the dialog's file name field, as a user would.
  static void TypeName(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit != nullptr);
    edit->setText(name);
  }
  // Runs a browse command and answers its file dialog with `choose`.
  bool Browse(const std::function<void()>& command,
              const std::function<void(QFileDialog*)>& choose) {
    return AnswerModal(command, [&](QWidget* dialog) {
      auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
      QVERIFY(fileDialog != nullptr);
      choose(fileDialog);
    });
  }

 private slots:
  void init() {
    dir_ = std::make_unique<ScratchDir>();
    WriteFile(dir_->File("r1.log"), SmallLog());
    WriteFile(dir_->File("r2.log"), SmallLog());
    window_ = OpenWindow(dir_->File("Tessaline.ini"), kOptionsOnSettings);
    QVERIFY(window_ != nullptr);
  }
  void cleanup() {
    window_.reset();
    dir_.reset();
  }

  // Every keystroke re-derives the names and re-tests the input.
  void typingEnablesCommandsForExistingFiles() {
    QTest::keyClicks(Field("txtReadFile", 1), Path("r1"));
    QVERIFY(!Button("cmdSort", 1)->isEnabled());
    QCOMPARE(Field("txtWriteFile", 1)->text(), Path("r1.srt"));
    QTest::keyClicks(Field("txtReadFile", 1), ".log");
    QVERIFY(Button("cmdSort", 1)->isEnabled());
    QVERIFY(MenuItem(*window_, "mFileSort", 1)->isEnabled());
    QCOMPARE(Field("txtWriteFile", 1)->text(), Path("r1.srt"));
    QVERIFY(!Button("cmdDiff")->isEnabled());
    QTest::keyClicks(Field("txtReadFile", 2), Path("r2.log"));
    QVERIFY(Button("cmdDiff")->isEnabled());
    QCOMPARE(Field("txtDiffFile")->text(), Path("r2.dif"));
    QTest::keyClick(Field("txtReadFile", 2), Qt::Key_Backspace);
    QVERIFY(!Button("cmdSort", 2)->isEnabled());
    QVERIFY(!Button("cmdDiff")->isEnabled());
    QVERIFY(!MenuItem(*window_, "mFileDiff")->isEnabled());
  }

  void folderCountsAsMissing() {
    QTest::keyClicks(Field("txtReadFile", 1), QString::fromStdString(dir_->path()));
    QVERIFY(!Button("cmdSort", 1)->isEnabled());
  }

  void typedExtensionIsNormalizedAndStored() {
    QTest::keyClicks(Field("txtReadFile", 1), Path("r1.log"));
    Type(Field("txtFileExt", 1), "txt");
    QCOMPARE(Field("txtWriteFile", 1)->text(), Path("r1.txt"));
    QCOMPARE(ReadSetting(dir_->File("Tessaline.ini"), "Tessaline", "SortExt1"), ".txt");
    Type(Field("txtFileExt", 3), "cmp");
    QCOMPARE(Field("txtDiffFile")->text(), QString(".cmp"));
  }

  void typedResultNameIsColouredByExistence() {
    Type(Field("txtWriteFile", 1), Path("r1.log"));
    QCOMPARE(Shown("txtWriteFile", 1), kShownRed);
    QTest::keyClick(Field("txtWriteFile", 1), Qt::Key_Backspace);
    QCOMPARE(Shown("txtWriteFile", 1), WindowText());
  }

  void sortFieldIsBlueDuringTheRunAndRedAfter() {
    window_->txtReadFile_OLEDragDrop(1, Path("r1.log"));
    QCOMPARE(Shown("txtWriteFile", 1), WindowText());
    PaintedColours painted(Field("txtWriteFile", 1));
    const auto box = ClickAndAnswer(Button("cmdSort", 1));
    QCOMPARE(box.second, QString());
    QVERIFY(Exists(dir_->File("r1.srt")));
    QVERIFY(painted.BlueBeforeTheFile());
    QCOMPARE(Shown("txtWriteFile", 1), kShownRed);
  }

  void comparisonFieldsAreBlueDuringTheRunAndRedAfter() {
    window_->txtReadFile_OLEDragDrop(1, Path("r1.log"));
    window_->txtReadFile_OLEDragDrop(2, Path("r2.log"));
    PaintedColours report(Field("txtDiffFile"));
    PaintedColours sorted(Field("txtWriteFile", 2));
    const auto box = ClickAndAnswer(Button("cmdDiff"));
    QCOMPARE(box.second, QString());
    QVERIFY(report.BlueBeforeTheFile());
    QVERIFY(sorted.BlueBeforeTheFile());
    QCOMPARE(Shown("txtDiffFile"), kShownRed);
    QVERIFY(ReadFile(dir_->File("r2.dif")).find("同等です") != std::string::npos);
  }

  // The input vanished after it was chosen: the run fails, a box names the
  // file, and the window goes on with its fields and commands as they were.
  void failedSortShowsTheFailureAndTheWindowStaysUsable() {
    window_->txtReadFile_OLEDragDrop(1, Path("r1.log"));
    std::remove(dir_->File("r1.log").c_str());
    const auto box = ClickAndAnswer(Button("cmdSort", 1));
    QCOMPARE(box.first, QMessageBox::Critical);
    QVERIFY(box.second.contains(Path("r1.log")));
    QVERIFY(window_->isVisible());
    QCOMPARE(Shown("txtWriteFile", 1), WindowText());
    QCOMPARE(QString::fromStdString(dir_->List().front()), QString("Tessaline.ini"));
    QCOMPARE(dir_->List().size(), size_t{2});  // the settings and r2.log
    QTest::keyClicks(Field("txtReadFile", 1), "x");
    QCOMPARE(Field("txtWriteFile", 1)->text(), Path("r1.srt"));
  }

  void refusedComparisonRestoresTheOptions() {
    window_->mOption_Click();
    window_->txtReadFile_OLEDragDrop(1, Path("r1.log"));
    window_->txtReadFile_OLEDragDrop(2, Path("r2.log"));
    Type(Field("txtDiffFile"), Path("r1.log"));
    const auto box = ClickAndAnswer(Button("cmdDiff"));
    QCOMPARE(box.first, QMessageBox::Critical);
    QVERIFY(!Control<QCheckBox>(*window_, "chkOption")->isChecked());
    QCOMPARE(ReadSetting(dir_->File("Tessaline.ini"), "Tessaline", "EnableOpt"), "0");
    QCOMPARE(Shown("txtDiffFile"), kShownRed);
    QCOMPARE(ReadFile(dir_->File("r1.log")), SmallLog());
  }

  void browseStartsAtTheFieldAndTakesTheChoice() {
    window_->txtReadFile_OLEDragDrop(1, Path("r1.log"));
    QVERIFY(Browse([&] { QTest::mouseClick(Button("cmdBrowseRead", 1), Qt::LeftButton); },
                   [&](QFileDialog* dialog) {
                     QCOMPARE(dialog->selectedFiles().value(0), Path("r1.log"));
                     TypeName(dialog, "r2.log");
                     static_cast<QDialog*>(dialog)->accept();
                   }));
    QCOMPARE(Field("txtReadFile", 1)->text(), Path("r2.log"));
    QCOMPARE(Field("txtWriteFile", 1)->text(), Path("r2.srt"));
  }

  void browseForResultsUsesASaveDialog() {
    window_->txtReadFile_OLEDragDrop(2, Path("r2.log"));
    QVERIFY(Browse([&] { QTest::mouseClick(Button("cmdBrowseWrite", 2), Qt::LeftButton); },
                   [&](QFileDialog* dialog) {
                     QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
                     TypeName(dialog, "new.srt");
                     static_cast<QDialog*>(dialog)->accept();
                   }));
    QCOMPARE(Field("txtWriteFile", 2)->text(), Path("new.srt"));
    QVERIFY(Browse([&] { QTest::mouseClick(Button("cmdBrowseDiff"), Qt::LeftButton); },
                   [&](QFileDialog* dialog) {
                     QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
                     TypeName(dialog, "r1.log");
                     // The dialog asks before it names an existing file.
                     QVERIFY(AnswerModal([&] { static_cast<QDialog*>(dialog)->accept(); },
                                         [](QWidget* ask) {
                                           auto* box = qobject_cast<QMessageBox*>(ask);
                                           QVERIFY(box != nullptr);
                                           box->button(QMessageBox::Yes)->click();
                                         }));
                   }));
    QCOMPARE(Field("txtDiffFile")->text(), Path("r1.log"));
    QCOMPARE(Shown("txtDiffFile"), kShownRed);
  }

  void cancelledBrowseLeavesEveryFieldAsItWas_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("cmdBrowseRead(1)") << "cmdBrowseRead(1)";
    QTest::newRow("cmdBrowseRead(2)") << "cmdBrowseRead(2)";
    QTest::newRow("cmdBrowseWrite(1)") << "cmdBrowseWrite(1)";
    QTest::newRow("cmdBrowseWrite(2)") << "cmdBrowseWrite(2)";
    QTest::newRow("cmdBrowseDiff") << "cmdBrowseDiff";
    QTest::newRow("mFileOpen(1)") << "mFileOpen(1)";
    QTest::newRow("mFileOpen(2)") << "mFileOpen(2)";
  }
  void cancelledBrowseLeavesEveryFieldAsItWas() {
    QFETCH(QString, command);
    window_->txtReadFile_OLEDragDrop(1, Path("r1.log"));
    window_->txtReadFile_OLEDragDrop(2, Path("r2.log"));
    const auto texts = [&] {
      return QStringList{Field("txtReadFile", 1)->text(), Field("txtWriteFile", 1)->text(),
                         Field("txtReadFile", 2)->text(), Field("txtWriteFile", 2)->text(),
                         Field("txtDiffFile")->text()};
    };
    const QStringList before = texts();
    QVERIFY(Browse(
        [&] {
          if (auto* button = window_->findChild<QPushButton*>(command)) {
            QTest::mouseClick(button, Qt::LeftButton);
          } else {
            window_->findChild<QAction*>(command)->trigger();
          }
        },
        [](QFileDialog* dialog) { dialog->reject(); }));
    QCOMPARE(texts(), before);
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::RunTest)
#include "run_test.moc"
