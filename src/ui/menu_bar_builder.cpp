#include "ui/menu_bar_builder.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <array>
#include <cstring>

#include "ui/control_table.h"
#include "ui/menu_table.h"

namespace tess {

namespace {
QMenu* AddMenu(QMenuBar* bar, QMenu* parent, const MenuDesign& item) {
  const QString text = QString::fromUtf8(item.text);
  QMenu* menu = parent == nullptr ? bar->addMenu(text) : parent->addMenu(text);
  menu->setObjectName(QString::fromUtf8(item.name));
  menu->menuAction()->setObjectName(QString::fromUtf8(item.name));
  menu->setSeparatorsCollapsible(false);
  return menu;
}

void AddItem(QMenu* menu, const MenuDesign& item) {
  const QString name = QString::fromStdString(ControlName(item.name, item.index));
  if (std::strcmp(item.text, kSeparatorText) == 0) {
    menu->addSeparator()->setObjectName(name);
    return;
  }
  QAction* action = menu->addAction(QString::fromUtf8(item.text));
  action->setObjectName(name);
  if (*item.shortcut != '\0') action->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut)));
  action->setCheckable(item.checkable);
  action->setChecked(item.checked);
}
}  // namespace

// An item whose successor stands one level deeper opens a menu of its own.
void BuildMenuBar(QMenuBar* bar) {
  const auto table = MenuTable();
  std::array<QMenu*, 4> open{};
  for (size_t k = 0; k < table.size(); ++k) {
    const MenuDesign& item = table[k];
    const bool opensMenu = k + 1 < table.size() && table[k + 1].level > item.level;
    if (opensMenu) {
      open[item.level] = AddMenu(bar, open[item.level - 1], item);
    } else {
      AddItem(open[item.level - 1], item);
    }
  }
}

}  // namespace tess
