// The menu bar: access keys, shortcuts, separators, the option mirrors
// with their settings writes, the sort-order and filter tick rules, and a
// comparison restoring the ticks.
#include <QCheckBox>
#include <QMenu>
#include <QTest>

#include "ui_test_support.h"

namespace tess::testing {

class MenuTest : public QObject, protected WindowFixture {
  Q_OBJECT

 private:
  // Indices of the ticked items of a menu array.
  QList<int> Ticked(const char* name) const {
    QList<int> ticked;
    for (int k = 0; Item(name, k) != nullptr; ++k) {
      if (Item(name, k)->isChecked()) ticked << k;
    }
    return ticked;
  }
  // The two options as shown: box state, menu tick, (mOptConfig enabled,)
  // stored value.
  QString Options() const {
    const auto box = [&](const char* name) {
      return QString::number(Control<QCheckBox>(name)->checkState());
    };
    const auto flag = [](bool on) { return QString::number(on ? 1 : 0); };
    return "opt " + box("chkOption") + flag(Item("mOption")->isChecked()) +
           flag(Item("mOptConfig")->isEnabled()) + QString::fromStdString(Stored("EnableOpt")) +
           " keep " + box("chkFileDel") + flag(Item("mFileDel")->isChecked()) +
           QString::fromStdString(Stored("StoreSort"));
  }

 private slots:
  void cleanup() { Close(); }

  // Only mFileSort(2) and the option submenu's items lack an access key;
  // exactly these items have shortcuts.
  void accessKeysAndShortcuts() {
    QVERIFY(Open(kOptionsOnSettings));
    QStringList withoutKey = {"mFileSort(2)"};
    for (int k = 0; k < 6; ++k) withoutKey << QString("mSortKey(%1)").arg(k);
    for (int k = 0; k < 7; ++k) withoutKey << QString("mInfoDel(%1)").arg(k);
    QStringList missing, shortcuts;
    for (QAction* action : window_->findChildren<QAction*>()) {
      if (action->isSeparator() || action->objectName().isEmpty()) continue;
      if (!action->text().contains('&')) missing << action->objectName();
      if (!action->shortcut().isEmpty()) {
        shortcuts << action->objectName() + " " + action->shortcut().toString();
      }
    }
    QCOMPARE(missing, withoutKey);
    QCOMPARE(shortcuts, (QStringList{"mFileOpen(1) Ctrl+O", "mFileOpen(2) Ctrl+I", "mEnd Ctrl+Q",
                                     "mFileSort(1) Ctrl+S", "mFileDiff Ctrl+D", "mOption Ctrl+T",
                                     "mFileDel Ctrl+F"}));
  }

  // The option submenu ends with a separator of its own, which shows.
  void submenuKeepsItsClosingSeparator() {
    QVERIFY(Open(kOptionsOnSettings));
    auto* submenu = window_->findChild<QMenu*>("mOptConfig");
    const QList<QAction*> items = submenu->actions();
    QCOMPARE(items.size(), 15);
    QCOMPARE(items.last()->objectName(), QString("mBarO2"));
    submenu->popup(QPoint(0, 0));
    QVERIFY(!submenu->actionGeometry(items.last()).isEmpty());
    submenu->hide();
  }

  // Menu item, check box and shortcut key flip each option alike and
  // store it; mOptConfig follows the options only.
  void optionMirrors() {
    QVERIFY(Open(kOptionsOffSettings));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    const std::pair<QString, QString> steps[] = {
        {"mOption", "opt 2111 keep 000"},  {"mOption", "opt 0000 keep 000"},
        {"chkOption", "opt 2111 keep 000"}, {"Ctrl+T", "opt 0000 keep 000"},
        {"mFileDel", "opt 0000 keep 211"},  {"chkFileDel", "opt 0000 keep 000"}};
    for (const auto& [step, shown] : steps) {
      if (step == "Ctrl+T") {
        QTest::keyClick(window_.get(), Qt::Key_T, Qt::ControlModifier);
      } else {
        Invoke(step);
      }
      QVERIFY2(Options() == shown, qPrintable(step + ": " + Options()));
    }
    // A hand-edited 2 shows greyed and unticked, and flips like 0.
    QVERIFY(Open("[Tessaline]\nEnableOpt=2\nStoreSort=1\n"));
    QCOMPARE(Options(), "opt 1002 keep 211");
    Invoke("mOption");
    QCOMPARE(Options(), "opt 2111 keep 211");
  }

  // Sort orders are radio items; filter items 1-4 combine, 5 and 6 stand
  // alone, 0 is the fallback when nothing else is ticked.
  void tickRules() {
    QVERIFY(Open(kOptionsOnSettings));
    QCOMPARE(Ticked("mSortKey"), QList<int>{0});
    QCOMPARE(Ticked("mInfoDel"), QList<int>{0});
    const struct {
      const char* menu;
      int chosen;
      QList<int> ticked;
    } steps[] = {{"mSortKey", 3, {3}},    {"mSortKey", 3, {3}},       {"mInfoDel", 1, {1}},
                 {"mInfoDel", 2, {1, 2}}, {"mInfoDel", 1, {2}},       {"mInfoDel", 2, {0}},
                 {"mInfoDel", 5, {5}},    {"mInfoDel", 3, {3}},       {"mInfoDel", 1, {1, 3}},
                 {"mInfoDel", 5, {5}},    {"mInfoDel", 4, {4}},       {"mInfoDel", 1, {1, 4}},
                 {"mInfoDel", 6, {6}},    {"mInfoDel", 0, {0}},       {"mInfoDel", 0, {0}}};
    for (const auto& step : steps) {
      Item(step.menu, step.chosen)->trigger();
      QVERIFY2(Ticked(step.menu) == step.ticked, step.menu);
    }
  }

  // The comparison forces its options for its own sorts; afterwards, run
  // or refused (report named as an input), the menus, the check box and
  // the stored setting are as the user left them.
  void comparisonRestoresTheTicks_data() {
    QTest::addColumn<bool>("refused");
    QTest::newRow("runs") << false;
    QTest::newRow("refused") << true;
  }
  void comparisonRestoresTheTicks() {
    QFETCH(bool, refused);
    QVERIFY(Open(kOptionsOnSettings, {"r1.log", "r2.log"}));
    Choose(1, "r1.log");
    Choose(2, "r2.log");
    if (refused) {
      Field("txtDiffFile")->selectAll();
      QTest::keyClicks(Field("txtDiffFile"), Path("r2.log"));
    }
    Item("mSortKey", 3)->trigger();
    Item("mInfoDel", 1)->trigger();
    Item("mOption")->trigger();
    const ShownBox box = AnswerBox([&] { Invoke(refused ? "cmdDiff" : "mFileDiff"); });
    QCOMPARE(box.opened, refused);
    QCOMPARE(Ticked("mSortKey"), QList<int>{3});
    QCOMPARE(Ticked("mInfoDel"), QList<int>{1});
    QCOMPARE(Options(), "opt 0000 keep 211");
    QCOMPARE(Exists(dir_->File("r2.dif")), !refused);
    if (refused) {
      QVERIFY(box.captionAndOkOnly && box.icon == QMessageBox::Critical);
      // The program's own refusal: in Japanese, without a number.
      QVERIFY(box.text.contains(QString::fromUtf8("比較の出力ファイル")));
      QVERIFY(!box.text.contains(QString::fromUtf8("エラー番号")));
      QVERIFY(!box.text.contains("overwrite"));
      QCOMPARE(Shown(Field("txtDiffFile")), kShownRed);
      QCOMPARE(ReadFile(dir_->File("r2.log")), SmallLog());
    }
  }

  void endClosesTheWindow() {
    QVERIFY(Open(kOptionsOnSettings));
    Item("mEnd")->trigger();
    QVERIFY(!window_->isVisible());
  }
};

}  // namespace tess::testing

QTEST_MAIN(tess::testing::MenuTest)
#include "menu_test.moc"
