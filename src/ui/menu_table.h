// The menu bar as designed: every item with its level, caption (with "&"
// before its access key), shortcut and design tick. Plain data; the window
// builds its menus from it.
#pragma once

#include <span>

namespace tess {

/// The caption of a separator.
constexpr const char* kSeparatorText = "-";

struct MenuDesign {
  int level;  // 1 in the menu bar, 2 in a menu, 3 in the option submenu
  const char* name;
  int index;  // array index from 0, or kNoIndex
  const char* text;
  const char* shortcut;  // "" when none
  bool checkable;        // shows a tick when ticked
  bool checked;          // ticked at design
};

/// Every item of the menu bar in order; an item of level n + 1 belongs to
/// the item of level n above it.
std::span<const MenuDesign> MenuTable();

}  // namespace tess
