// The menu bar: access keys, shortcuts, separators, the option mirrors
// with their settings writes, the sort-order and filter tick rules, the
// run items following their buttons, and a comparison restoring the ticks.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/win_sys.h"
#include "ui_test_support.h"

namespace tess::testing {

class MenuTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScratchDir> dir_;
  std::string settings_;
  std::unique_ptr<frmTessaline> window_;

  QAction* Item(const char* name, int index = kNoIndex) const {
    return MenuItem(*window_, name, index);
  }
  std::string Stored(const char* key) const { return ReadSetting(settings_, "Tessaline", key); }
  // Indices of the ticked items of a menu array of `count` items.
  QList<int> Ticked(const char* name, int count) const {
    QList<int> ticked;
    for (int k = 0; k < count; ++k) {
      if (Item(name, k)->isChecked()) ticked << k;
    }
    return ticked;
  }
  void Open(const char* settingsText) {
    settings_ = dir_->File("Tessaline.ini");
    window_ = OpenWindow(settings_, settingsText);
    QVERIFY(window_ != nullptr);
  }

 private slots:
  void init() { dir_ = std::make_unique<ScratchDir>(); }
  void cleanup() {
    window_.reset();
    dir_.reset();
  }

  // Within "ファイル(&F)" and "実行(&R)" only mFileSort(2) lacks an access
  // key and a shortcut; the option submenu and the help menu have none.
  void accessKeysAndShortcuts_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<bool>("accessKey");
    QTest::addColumn<bool>("shortcut");
    QTest::newRow("mFile") << "mFile" << true << true;
    QTest::newRow("mRun") << "mRun" << true << true;
    QTest::newRow("mOptConfig") << "mOptConfig" << false << false;
    QTest::newRow("mHelp") << "mHelp" << true << false;
  }
  void accessKeysAndShortcuts() {
    QFETCH(QString, menu);
    QFETCH(bool, accessKey);
    QFETCH(bool, shortcut);
    Open(kOptionsOnSettings);
    for (QAction* action : window_->findChild<QMenu*>(menu)->actions()) {
      if (action->isSeparator()) continue;
      const bool exception = action->objectName() == "mFileSort(2)";
      QCOMPARE(action->text().contains('&'), accessKey && !exception);
      QCOMPARE(!action->shortcut().isEmpty(), shortcut && !exception);
    }
  }

  void shortcutsOfTheDesign_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("keys");
    QTest::newRow("mFileOpen(1)") << "mFileOpen(1)"
                                  << "Ctrl+O";
    QTest::newRow("mFileOpen(2)") << "mFileOpen(2)"
                                  << "Ctrl+I";
    QTest::newRow("mEnd") << "mEnd"
                          << "Ctrl+Q";
    QTest::newRow("mFileSort(1)") << "mFileSort(1)"
                                  << "Ctrl+S";
    QTest::newRow("mFileDiff") << "mFileDiff"
                               << "Ctrl+D";
    QTest::newRow("mOption") << "mOption"
                             << "Ctrl+T";
    QTest::newRow("mFileDel") << "mFileDel"
                              << "Ctrl+F";
  }
  void shortcutsOfTheDesign() {
    QFETCH(QString, item);
    QFETCH(QString, keys);
    Open(kOptionsOnSettings);
    QCOMPARE(window_->findChild<QAction*>(item)->shortcut(), QKeySequence(keys));
  }

  // The option submenu ends with a separator of its own, which shows.
  void submenuKeepsItsClosingSeparator() {
    Open(kOptionsOnSettings);
    auto* submenu = window_->findChild<QMenu*>("mOptConfig");
    const QList<QAction*> items = submenu->actions();
    QCOMPARE(items.size(), 15);
    QCOMPARE(items.last()->objectName(), QString("mBarO2"));
    submenu->popup(QPoint(0, 0));
    QVERIFY(!submenu->actionGeometry(items.last()).isEmpty());
    submenu->hide();
  }

  void menuOptionMirrorsCheckBoxAndIsStored() {
    Open(kOptionsOffSettings);
    auto* chkOption = Control<QCheckBox>(*window_, "chkOption");
    QVERIFY(!chkOption->isChecked());
    QVERIFY(!Item("mOptConfig")->isEnabled());
    Item("mOption")->trigger();
    QVERIFY(chkOption->isChecked());
    QVERIFY(Item("mOption")->isChecked());
    QVERIFY(Item("mOptConfig")->isEnabled());
    QCOMPARE(Stored("EnableOpt"), "1");
    Item("mOption")->trigger();
    QVERIFY(!chkOption->isChecked());
    QVERIFY(!Item("mOption")->isChecked());
    QVERIFY(!Item("mOptConfig")->isEnabled());
    QCOMPARE(Stored("EnableOpt"), "0");
  }

  void checkBoxOptionMirrorsMenu() {
    Open(kOptionsOffSettings);
    QTest::mouseClick(Control<QCheckBox>(*window_, "chkOption"), Qt::LeftButton);
    QVERIFY(Item("mOption")->isChecked());
    QVERIFY(Item("mOptConfig")->isEnabled());
    QCOMPARE(Stored("EnableOpt"), "1");
  }

  void keepSortResultsMirrorsWithoutEnabling() {
    Open(kOptionsOffSettings);
    auto* chkFileDel = Control<QCheckBox>(*window_, "chkFileDel");
    Item("mFileDel")->trigger();
    QVERIFY(chkFileDel->isChecked());
    QCOMPARE(Stored("StoreSort"), "1");
    QVERIFY(!Item("mOptConfig")->isEnabled());
    QTest::mouseClick(chkFileDel, Qt::LeftButton);
    QVERIFY(!Item("mFileDel")->isChecked());
    QCOMPARE(Stored("StoreSort"), "0");
  }

  // A hand-edited 2 shows as a greyed box and an unticked menu item; the
  // menu item flips it like 0.
  void storedTwoFlipsLikeZero() {
    Open("[Tessaline]\nEnableOpt=2\nStoreSort=1\n");
    QCOMPARE(Control<QCheckBox>(*window_, "chkOption")->checkState(), Qt::PartiallyChecked);
    QVERIFY(!Item("mOption")->isChecked());
    Item("mOption")->trigger();
    QCOMPARE(Control<QCheckBox>(*window_, "chkOption")->checkState(), Qt::Checked);
    QCOMPARE(Stored("EnableOpt"), "1");
  }

  void shortcutKeyFlipsTheOption() {
    Open(kOptionsOffSettings);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_T, Qt::ControlModifier);
    QVERIFY(Control<QCheckBox>(*window_, "chkOption")->isChecked());
    QCOMPARE(Stored("EnableOpt"), "1");
  }

  void sortOrderIsRadio() {
    Open(kOptionsOnSettings);
    QCOMPARE(Ticked("mSortKey", 6), QList<int>{0});
    Item("mSortKey", 3)->trigger();
    QCOMPARE(Ticked("mSortKey", 6), QList<int>{3});
    Item("mSortKey", 3)->trigger();
    QCOMPARE(Ticked("mSortKey", 6), QList<int>{3});
  }

  void filterTickRules_data() {
    QTest::addColumn<QList<int>>("chosen");
    QTest::addColumn<QList<int>>("ticked");
    QTest::newRow("start") << QList<int>{} << QList<int>{0};
    QTest::newRow("1, 2 combine") << QList<int>{1, 2} << QList<int>{1, 2};
    QTest::newRow("last of 1-4 off falls back to 0") << QList<int>{1, 2, 1, 2} << QList<int>{0};
    QTest::newRow("5 stands alone") << QList<int>{1, 2, 1, 2, 5} << QList<int>{5};
    QTest::newRow("3 clears 5") << QList<int>{1, 2, 1, 2, 5, 3} << QList<int>{3};
    QTest::newRow("6 clears 1-4") << QList<int>{1, 3, 4, 6} << QList<int>{6};
    QTest::newRow("0 again stays") << QList<int>{0, 0} << QList<int>{0};
  }
  void filterTickRules() {
    QFETCH(QList<int>, chosen);
    QFETCH(QList<int>, ticked);
    Open(kOptionsOnSettings);
    for (int k : chosen) Item("mInfoDel", k)->trigger();
    QCOMPARE(Ticked("mInfoDel", 7), ticked);
  }

  void runItemsFollowTheirButtons() {
    Open(kOptionsOnSettings);
    QVERIFY(!Item("mFileSort", 1)->isEnabled());
    QVERIFY(!Item("mFileDiff")->isEnabled());
    WriteFile(dir_->File("r1.log"), SmallLog());
    WriteFile(dir_->File("r2.log"), SmallLog());
    window_->txtReadFile_OLEDragDrop(1, QString::fromStdString(dir_->File("r1.log")));
    QVERIFY(Item("mFileSort", 1)->isEnabled());
    QVERIFY(!Item("mFileSort", 2)->isEnabled());
    QVERIFY(!Item("mFileDiff")->isEnabled());
    window_->txtReadFile_OLEDragDrop(2, QString::fromStdString(dir_->File("r2.log")));
    QVERIFY(Item("mFileSort", 2)->isEnabled());
    QVERIFY(Item("mFileDiff")->isEnabled());
    QVERIFY(Control<QPushButton>(*window_, "cmdDiff")->isEnabled());
  }

  // The comparison forces its options for its own sorts; afterwards the
  // menus, the check box and the stored setting are as the user left them.
  void comparisonRestoresTheTicks() {
    Open(kOptionsOnSettings);
    WriteFile(dir_->File("r1.log"), SmallLog());
    WriteFile(dir_->File("r2.log"), SmallLog());
    window_->txtReadFile_OLEDragDrop(1, QString::fromStdString(dir_->File("r1.log")));
    window_->txtReadFile_OLEDragDrop(2, QString::fromStdString(dir_->File("r2.log")));
    Item("mSortKey", 3)->trigger();
    Item("mInfoDel", 1)->trigger();
    Item("mOption")->trigger();
    const bool failed =
        AnswerModal([&] { Item("mFileDiff")->trigger(); }, [](QWidget* box) { box->close(); });
    QVERIFY(!failed);
    QVERIFY(Exists(dir_->File("r2.dif")));
    QCOMPARE(Ticked("mSortKey", 6), QList<int>{3});
    QCOMPARE(Ticked("mInfoDel", 7), QList<int>{1});
    QVERIFY(!Item("mOption")->isChecked());
    QVERIFY(!Control<QCheckBox>(*window_, "chkOption")->isChecked());
    QVERIFY(!Item("mOptConfig")->isEnabled());
    QCOMPARE(Stored("EnableOpt"), "0");
  }

  void endClosesTheWindow() {
    Open(kOptionsOnSettings);
    Item("mEnd")->trigger();
    QVERIFY(!window_->isVisible());
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::MenuTest)
#include "menu_test.moc"
