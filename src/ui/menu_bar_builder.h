// Builds the window's menu bar from the menu table.
#pragma once

class QMenuBar;

namespace tess {

/// Fills `bar` with the menus of the table. Each item becomes a QAction
/// named like its control ("mSortKey(3)", "mEnd", separators "mBarF"); each
/// menu is a QMenu whose own action carries the menu's name ("mOptConfig").
/// Separators stand where the table puts them, the closing one of a
/// submenu included.
void BuildMenuBar(QMenuBar* bar);

}  // namespace tess
