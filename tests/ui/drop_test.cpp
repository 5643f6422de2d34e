// Files dropped onto the path fields, delivered through the window as the
// window system delivers them: every drop sets an input field, the first
// file wins, and drops without a file (or onto an extension field) change
// nothing.
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include "ui_test_support.h"

namespace tess::testing {

class DropTest : public QObject, protected WindowFixture {
  Q_OBJECT

 private:
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
  QStringList AllTexts() const {
    QStringList texts = PathTexts();
    for (int i = 1; i <= 3; ++i) texts << Field("txtFileExt", i)->text();
    return texts;
  }

 private slots:
  void init() { QVERIFY(Open(kOptionsOnSettings, {"a.log", "b.log"})); }
  void cleanup() { Close(); }

  void dropsOntoEachField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("slot");  // 0: the field takes no drops
    QTest::newRow("txtReadFile(1)") << "txtReadFile(1)" << 1;
    QTest::newRow("txtWriteFile(1)") << "txtWriteFile(1)" << 1;
    QTest::newRow("txtReadFile(2)") << "txtReadFile(2)" << 2;
    QTest::newRow("txtWriteFile(2)") << "txtWriteFile(2)" << 2;
    QTest::newRow("txtDiffFile") << "txtDiffFile" << 2;
    for (const char* ext : {"txtFileExt(1)", "txtFileExt(2)", "txtFileExt(3)"}) {
      QTest::newRow(ext) << ext << 0;
    }
  }
  void dropsOntoEachField() {
    QFETCH(QString, field);
    QFETCH(int, slot);
    QWidget* target = Named(field);
    const QStringList before = AllTexts();
    // Dragged text, even the name of an existing file, and a web address
    // carry no file.
    QMimeData text, web, files;
    text.setText(Path("a.log"));
    web.setUrls({QUrl("https://example.org/r1.log")});
    files.setUrls({QUrl("https://example.org/r1.log"), QUrl::fromLocalFile(Path("a.log")),
                   QUrl::fromLocalFile(Path("b.log"))});
    QVERIFY(!DragAndDrop(target, text));
    QVERIFY(!DragAndDrop(target, web));
    QCOMPARE(AllTexts(), before);
    QCOMPARE(DragAndDrop(target, files), slot != 0);
    if (slot == 0) {
      QCOMPARE(AllTexts(), before);
      return;
    }
    QCOMPARE(Field("txtReadFile", slot)->text(), Path("a.log"));
    QCOMPARE(Field("txtWriteFile", slot)->text(), Path("a.srt"));
    QCOMPARE(Field("txtReadFile", 3 - slot)->text(), QString());
    if (slot == 2) QCOMPARE(Field("txtDiffFile")->text(), Path("a.dif"));
    QVERIFY(Control("cmdSort", slot)->isEnabled());
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::DropTest)
#include "drop_test.moc"
