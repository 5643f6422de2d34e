// The window's controls at the minimum size and after widening, the resize
// rule, tab order, caption, fonts and icon.
#include <QFontInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include "ui/twip_scale.h"
#include "ui/window_fonts.h"
#include "ui_test_support.h"

namespace tess::testing {

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScratchDir> dir_;
  std::unique_ptr<frmTessaline> window_;

  TwipScale Scale() const { return TwipScale(window_->logicalDpiX()); }
  QWidget* Client() const { return window_->centralWidget(); }
  // The control's rectangle in twips.
  TwipRect Placed(const QWidget* control) const {
    const QRect r = control->geometry();
    const TwipScale s = Scale();
    return {s.ToTwips(r.x()), s.ToTwips(r.y()), s.ToTwips(r.width()), s.ToTwips(r.height())};
  }
  // Resizes the window so that its client area is `width` by `height` twips
  // (or as near as its minimum allows) and lets the layout settle.
  void ResizeClient(int width, int height) {
    const TwipScale s = Scale();
    const QSize extra = window_->size() - Client()->size();
    window_->resize(QSize(s.ToPixels(width), s.ToPixels(height)) + extra);
    QCoreApplication::processEvents();
  }

 private slots:
  void init() {
    dir_ = std::make_unique<ScratchDir>();
    window_ = OpenWindow(dir_->File("Tessaline.ini"), kOptionsOnSettings);
    QVERIFY(window_ != nullptr);
  }
  void cleanup() {
    window_.reset();
    dir_.reset();
  }

  void designScaleIsFifteenTwipsAPixel() {
    const TwipScale at96(96);
    QCOMPARE(at96.ToPixels(7215), 481);
    QCOMPARE(at96.ToTwips(704), 10560);
    const TwipScale at144(144);
    QCOMPARE(at144.ToPixels(1440), 144);
    QCOMPARE(at144.ToTwips(15), 150);
  }

  void shrinkingSnapsToMinimum() {
    ResizeClient(100, 100);
    QCOMPARE(Scale().ToTwips(Client()->width()), kDesignClientWidth);
    QCOMPARE(Scale().ToTwips(Client()->height()), kDesignClientHeight);
    QVERIFY(window_->menuBar()->isVisible());
    QCOMPARE(Client()->y(), window_->menuBar()->geometry().bottom() + 1);
  }

  void narrowButTallKeepsItsHeight() {
    ResizeClient(100, 4200);
    QCOMPARE(Scale().ToTwips(Client()->width()), kDesignClientWidth);
    QCOMPARE(Scale().ToTwips(Client()->height()), 4200);
    ResizeClient(12000, 100);
    QCOMPARE(Scale().ToTwips(Client()->width()), 12000);
    QCOMPARE(Scale().ToTwips(Client()->height()), kDesignClientHeight);
  }

  void everyControlAtDesignPlaceAtMinimumWidth() {
    ResizeClient(kDesignClientWidth, kDesignClientHeight);
    for (const ControlDesign& c : ControlTable()) {
      const auto* control = Control<QWidget>(*window_, c.name, c.index);
      QVERIFY2(control != nullptr, c.name);
      if (c.anchor == Anchor::FullWidth) continue;
      QVERIFY2(Placed(control) == c.rect,
               qPrintable(QString::fromStdString(ControlName(c.name, c.index))));
    }
    QCOMPARE(Placed(Control<QWidget>(*window_, "UpperDelim")), (TwipRect{-30, 0, 10620, 30}));
  }

  void widenedByFifteenHundredTwips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    for (int s = 1; s <= 2; ++s) {
      QTest::addRow("txtReadFile(%d)", s) << "txtReadFile" << s << 960 << 8715;
      QTest::addRow("txtWriteFile(%d)", s) << "txtWriteFile" << s << 960 << 8715;
      QTest::addRow("cmdBrowseRead(%d)", s) << "cmdBrowseRead" << s << 9660 << 615;
      QTest::addRow("cmdBrowseWrite(%d)", s) << "cmdBrowseWrite" << s << 9660 << 615;
      QTest::addRow("cmdSort(%d)", s) << "cmdSort" << s << 10500 << 1440;
      QTest::addRow("lblReadFile(%d)", s) << "lblReadFile" << s << 120 << 840;
    }
    for (int i = 1; i <= 3; ++i) {
      QTest::addRow("lblFileExt(%d)", i) << "lblFileExt" << i << 10500 << 600;
      QTest::addRow("txtFileExt(%d)", i) << "txtFileExt" << i << 11100 << 840;
    }
    QTest::newRow("txtDiffFile") << "txtDiffFile" << kNoIndex << 960 << 8715;
    QTest::newRow("cmdBrowseDiff") << "cmdBrowseDiff" << kNoIndex << 9660 << 615;
    QTest::newRow("cmdDiff") << "cmdDiff" << kNoIndex << 10500 << 1440;
    QTest::newRow("chkOption") << "chkOption" << kNoIndex << 1680 << 2400;
    QTest::newRow("chkFileDel") << "chkFileDel" << kNoIndex << 5160 << 2400;
    QTest::newRow("lblDiffFile") << "lblDiffFile" << kNoIndex << 120 << 840;
    QTest::newRow("UpperDelim") << "UpperDelim" << kNoIndex << -30 << 12120;
  }
  void widenedByFifteenHundredTwips() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(int, left);
    QFETCH(int, width);
    ResizeClient(kDesignClientWidth + 1500, kDesignClientHeight);
    const TwipRect r = Placed(Control<QWidget>(*window_, name.toUtf8().constData(), index));
    QCOMPARE(r.left, left);
    QCOMPARE(r.width, width);
  }

  void heightMovesNothing() {
    ResizeClient(kDesignClientWidth + 1500, kDesignClientHeight);
    const TwipRect before = Placed(Control<QWidget>(*window_, "cmdDiff"));
    ResizeClient(kDesignClientWidth + 1500, kDesignClientHeight + 3000);
    QCOMPARE(Placed(Control<QWidget>(*window_, "cmdDiff")), before);
  }

  void resizesInSequenceEndAsOne() {
    ResizeClient(20000, 5000);
    ResizeClient(5000, 1000);
    ResizeClient(kDesignClientWidth + 750, kDesignClientHeight);
    QCOMPARE(Placed(Control<QWidget>(*window_, "txtDiffFile")).width, 7215 + 750);
    QCOMPARE(Placed(Control<QWidget>(*window_, "txtFileExt", 3)).left, 9600 + 750);
  }

  void tabOrderFollowsTabIndex() {
    const QStringList expected = {"txtReadFile(1)",   "txtWriteFile(1)",   "txtReadFile(2)",
                                  "txtWriteFile(2)",  "txtDiffFile",       "chkOption",
                                  "cmdSort(1)",       "chkFileDel",        "cmdDiff",
                                  "cmdBrowseRead(1)", "cmdBrowseWrite(1)", "cmdBrowseRead(2)",
                                  "cmdBrowseDiff",    "cmdSort(2)",        "cmdBrowseWrite(2)",
                                  "txtFileExt(1)",    "txtFileExt(2)",     "txtFileExt(3)"};
    QStringList chain;
    QWidget* w = Control<QWidget>(*window_, "txtReadFile", 1);
    do {
      if ((w->focusPolicy() & Qt::TabFocus) != 0 && Client()->isAncestorOf(w)) {
        chain << w->objectName();
      }
      w = w->nextInFocusChain();
    } while (w != Control<QWidget>(*window_, "txtReadFile", 1));
    QCOMPARE(chain, expected);
  }

  void firstFocusIsTheFirstInputField() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(QApplication::focusWidget(), Control<QWidget>(*window_, "txtReadFile", 1));
  }

  void captionAndIcon() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Tessaline - Cisco [show ip route]"));
    const QList<QSize> sizes = window_->windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(32, 32)));
    QVERIFY(sizes.contains(QSize(16, 16)));
  }

  // The path fields use the design's Japanese font or its installed
  // stand-in; the extension fields use the window's font.
  void pathFieldsUseTheJapaneseFont() {
    const QStringList japanese = {QString::fromUtf8("ＭＳ Ｐゴシック"), "MS PGothic", "IPAPGothic",
                                  QString::fromUtf8("IPA Pゴシック")};
    for (const char* name : {"txtReadFile", "txtWriteFile"}) {
      for (int s = 1; s <= 2; ++s) {
        const QFont font = Control<QLineEdit>(*window_, name, s)->font();
        QCOMPARE(font.pointSizeF(), 9.75);
        QVERIFY(japanese.contains(QFontInfo(font).family()));
      }
    }
    QCOMPARE(Control<QLineEdit>(*window_, "txtDiffFile")->font().pointSizeF(), 9.75);
    QCOMPARE(Control<QLineEdit>(*window_, "txtFileExt", 1)->font(), window_->font());
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::WindowLayoutTest)
#include "window_layout_test.moc"
