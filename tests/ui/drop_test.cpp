// Files dropped onto the five path fields, delivered through the window
// as the window system delivers them: every drop sets an input field, the
// first file wins, and drops without a file change nothing.
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include "ui_test_support.h"

namespace tess::testing {

class DropTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScratchDir> dir_;
  std::unique_ptr<frmTessaline> window_;

  QString Path(const char* name) const { return QString::fromStdString(dir_->File(name)); }
  QString Text(const char* name, int index = kNoIndex) const {
    return Control<QLineEdit>(*window_, name, index)->text();
  }
  QStringList AllTexts() const {
    return {Text("txtReadFile", 1), Text("txtWriteFile", 1), Text("txtReadFile", 2),
            Text("txtWriteFile", 2), Text("txtDiffFile")};
  }
  // Drags `data` onto the centre of `target` through the window: enter and
  // move, then a drop when the target took the drag, a leave otherwise.
  // Returns whether the drop was taken.
  bool DragAndDrop(QWidget* target, const QMimeData& data) {
    QWindow* handle = window_->windowHandle();
    const QPoint at = target->mapTo(window_.get(), target->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted()) QCoreApplication::sendEvent(handle, &move);
    if (!enter.isAccepted() || !move.isAccepted()) {
      QDragLeaveEvent leave;
      QCoreApplication::sendEvent(handle, &leave);
      return false;
    }
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &drop);
    return drop.isAccepted();
  }

  static void FieldRows() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("slot");
    QTest::newRow("txtReadFile(1)") << "txtReadFile" << 1 << 1;
    QTest::newRow("txtWriteFile(1)") << "txtWriteFile" << 1 << 1;
    QTest::newRow("txtReadFile(2)") << "txtReadFile" << 2 << 2;
    QTest::newRow("txtWriteFile(2)") << "txtWriteFile" << 2 << 2;
    QTest::newRow("txtDiffFile") << "txtDiffFile" << kNoIndex << 2;
  }
  QWidget* Field(const QString& name, int index) const {
    return Control<QWidget>(*window_, name.toUtf8().constData(), index);
  }

 private slots:
  void init() {
    dir_ = std::make_unique<ScratchDir>();
    for (const char* name : {"a.log", "b.log", "c.log"}) WriteFile(dir_->File(name), SmallLog());
    window_ = OpenWindow(dir_->File("Tessaline.ini"), kOptionsOnSettings);
    QVERIFY(window_ != nullptr);
  }
  void cleanup() {
    window_.reset();
    dir_.reset();
  }

  void firstFileSetsTheInputOfTheSlot_data() { FieldRows(); }
  void firstFileSetsTheInputOfTheSlot() {
    QFETCH(QString, field);
    QFETCH(int, index);
    QFETCH(int, slot);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("a.log")), QUrl::fromLocalFile(Path("b.log")),
                  QUrl::fromLocalFile(Path("c.log"))});
    QVERIFY(DragAndDrop(Field(field, index), data));
    QCOMPARE(Text("txtReadFile", slot), Path("a.log"));
    QCOMPARE(Text("txtWriteFile", slot), Path("a.srt"));
    QCOMPARE(Text("txtReadFile", 3 - slot), QString());
    if (slot == 2) QCOMPARE(Text("txtDiffFile"), Path("a.dif"));
    QVERIFY(Control<QWidget>(*window_, "cmdSort", slot)->isEnabled());
  }

  // Dragged text, even the name of an existing file, carries no file.
  void textWithoutFileIsIgnored_data() { FieldRows(); }
  void textWithoutFileIsIgnored() {
    QFETCH(QString, field);
    QFETCH(int, index);
    const QStringList before = AllTexts();
    QMimeData data;
    data.setText(Path("a.log"));
    QVERIFY(!DragAndDrop(Field(field, index), data));
    QCOMPARE(AllTexts(), before);
  }

  void webAddressIsNoFile() {
    const QStringList before = AllTexts();
    QMimeData data;
    data.setUrls({QUrl("https://example.org/r1.log")});
    QVERIFY(!DragAndDrop(Field("txtReadFile", 1), data));
    QCOMPARE(AllTexts(), before);
  }

  void firstOfTheFilesAmongOtherAddresses() {
    QMimeData data;
    data.setUrls({QUrl("https://example.org/r1.log"), QUrl::fromLocalFile(Path("b.log"))});
    QVERIFY(DragAndDrop(Field("txtReadFile", 1), data));
    QCOMPARE(Text("txtReadFile", 1), Path("b.log"));
  }

  void extensionFieldsTakeNoDrops() {
    const QStringList before = AllTexts();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("a.log"))});
    for (int i = 1; i <= 3; ++i) {
      QVERIFY(!DragAndDrop(Control<QWidget>(*window_, "txtFileExt", i), data));
      QCOMPARE(Text("txtFileExt", i), i == 3 ? QString(".dif") : QString(".srt"));
    }
    QCOMPARE(AllTexts(), before);
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::DropTest)
#include "drop_test.moc"
