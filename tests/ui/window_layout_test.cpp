// The window's controls at the minimum size and after widening, the resize
// rule, tab order, caption, fonts and icon.
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QTest>
#include <algorithm>

#include "ui/twip_scale.h"
#include "ui_test_support.h"

namespace tess::testing {

class WindowLayoutTest : public QObject, protected WindowFixture {
  Q_OBJECT

 private:
  TwipScale Scale() const { return TwipScale(window_->logicalDpiX()); }
  QWidget* Client() const { return window_->centralWidget(); }
  TwipRect Placed(const char* name, int index = kNoIndex) const {
    const QRect r = Control(name, index)->geometry();
    const TwipScale s = Scale();
    return {s.ToTwips(r.x()), s.ToTwips(r.y()), s.ToTwips(r.width()), s.ToTwips(r.height())};
  }
  // Asks for a client area of `width` by `height` twips; returns the size
  // it got, in twips, once the layout settled.
  QSize ResizeClient(int width, int height) {
    const QSize extra = window_->size() - Client()->size();
    window_->resize(QSize(Scale().ToPixels(width), Scale().ToPixels(height)) + extra);
    QCoreApplication::processEvents();
    return {Scale().ToTwips(Client()->width()), Scale().ToTwips(Client()->height())};
  }

 private slots:
  void init() { QVERIFY(Open(kOptionsOnSettings)); }
  void cleanup() { Close(); }

  // 15 twips a pixel at 96 dots per inch, scaled with the resolution.
  void twipScale() {
    QCOMPARE(TwipScale(96).ToPixels(7215), 481);
    QCOMPARE(TwipScale(144).ToPixels(1440), 144);
    QCOMPARE(TwipScale(144).ToTwips(15), 150);
  }

  // Every control at its design place at the minimum size, the client area
  // right under the menu bar; widened by 1500 twips, the path fields grow
  // and what is right of them moves.
  void geometryAtMinimumAndWidened() {
    ResizeClient(kDesignClientWidth, kDesignClientHeight);
    for (const ControlDesign& c : ControlTable()) {
      if (c.anchor != Anchor::FullWidth) QVERIFY2(Placed(c.name, c.index) == c.rect, c.name);
    }
    QCOMPARE(Placed("UpperDelim"), (TwipRect{-30, 0, 10620, 30}));
    QCOMPARE(Client()->y(), window_->menuBar()->geometry().bottom() + 1);

    ResizeClient(kDesignClientWidth + 1500, kDesignClientHeight);
    const struct {
      const char* name;
      int count, left, width;  // count 0: a single control
    } widened[] = {
        {"txtReadFile", 2, 960, 8715},   {"txtWriteFile", 2, 960, 8715}, {"txtDiffFile", 0, 960, 8715},
        {"cmdBrowseRead", 2, 9660, 615}, {"cmdBrowseWrite", 2, 9660, 615},
        {"cmdBrowseDiff", 0, 9660, 615}, {"cmdSort", 2, 10500, 1440},    {"cmdDiff", 0, 10500, 1440},
        {"lblFileExt", 3, 10500, 600},   {"txtFileExt", 3, 11100, 840},  {"lblReadFile", 2, 120, 840},
        {"lblDiffFile", 0, 120, 840},    {"chkOption", 0, 1680, 2400},   {"chkFileDel", 0, 5160, 2400},
        {"UpperDelim", 0, -30, 12120}};
    for (const auto& w : widened) {
      for (int i = 1; i <= std::max(w.count, 1); ++i) {
        const TwipRect r = Placed(w.name, w.count == 0 ? kNoIndex : i);
        QVERIFY2(r.left == w.left && r.width == w.width, w.name);
      }
    }
  }

  // The client area never shrinks below its design size; placing starts
  // afresh from the design each time, and height moves nothing.
  void resizeRule() {
    const int w = kDesignClientWidth, h = kDesignClientHeight;
    QCOMPARE(ResizeClient(100, 100), QSize(w, h));
    QCOMPARE(ResizeClient(100, 4200), QSize(w, 4200));
    QCOMPARE(ResizeClient(12000, 100), QSize(12000, h));
    QCOMPARE(ResizeClient(19800, 4800), QSize(19800, 4800));
    QCOMPARE(ResizeClient(w + 750, h + 3000), QSize(w + 750, h + 3000));
    QCOMPARE(Placed("txtDiffFile"), (TwipRect{960, 1560, 7215 + 750, 300}));
    QCOMPARE(Placed("txtFileExt", 3), (TwipRect{9600 + 750, 1860, 840, 270}));
  }

  void tabOrderAndFirstFocus() {
    const QStringList expected = {"txtReadFile(1)",   "txtWriteFile(1)",   "txtReadFile(2)",
                                  "txtWriteFile(2)",  "txtDiffFile",       "chkOption",
                                  "cmdSort(1)",       "chkFileDel",        "cmdDiff",
                                  "cmdBrowseRead(1)", "cmdBrowseWrite(1)", "cmdBrowseRead(2)",
                                  "cmdBrowseDiff",    "cmdSort(2)",        "cmdBrowseWrite(2)",
                                  "txtFileExt(1)",    "txtFileExt(2)",     "txtFileExt(3)"};
    QWidget* const first = Field("txtReadFile", 1);
    QStringList chain;
    for (QWidget* w = first; chain.isEmpty() || w != first; w = w->nextInFocusChain()) {
      if ((w->focusPolicy() & Qt::TabFocus) != 0 && Client()->isAncestorOf(w)) {
        chain << w->objectName();
      }
    }
    QCOMPARE(chain, expected);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(QApplication::focusWidget(), first);
  }

  // The caption, the icon at every size of the icon theme, and the design's
  // Japanese font (or its installed stand-in) in the path fields only.
  void captionIconAndFonts() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Tessaline - Cisco [show ip route]"));
    const QList<QSize> sizes = window_->windowIcon().availableSizes();
    for (const int size : {16, 32, 48, 64, 128, 256}) QVERIFY(sizes.contains(QSize(size, size)));
    const QStringList japanese = {QString::fromUtf8("ＭＳ Ｐゴシック"), "MS PGothic", "IPAPGothic",
                                  QString::fromUtf8("IPA Pゴシック")};
    for (const char* path : {"txtReadFile(1)", "txtWriteFile(1)", "txtReadFile(2)",
                                "txtWriteFile(2)", "txtDiffFile"}) {
      QCOMPARE(Named(path)->font().pointSizeF(), 9.75);
      QVERIFY(japanese.contains(QFontInfo(Named(path)->font()).family()));
    }
    QCOMPARE(Field("txtFileExt", 1)->font(), window_->font());
  }

  // The window's icon is, pixel for pixel, the pictures that are installed
  // into the icon theme (rendered from packaging/tessaline.svg).
  void iconIsThePictureOfTheIconTheme() {
    for (const int size : {16, 32, 48, 64, 128, 256}) {
      const QString file =
          QStringLiteral(TESSALINE_ICON_FOLDER "/%1x%1/apps/tessaline.png").arg(size);
      const QImage installed(file);
      QCOMPARE(installed.size(), QSize(size, size));
      const QImage shown = window_->windowIcon().pixmap(QSize(size, size), 1.0).toImage();
      QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
               installed.convertToFormat(QImage::Format_ARGB32));
    }
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::WindowLayoutTest)
#include "window_layout_test.moc"
