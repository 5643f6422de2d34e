// The two logs of a comparison, and a value for each of them.
#pragma once

#include <array>
#include <cstddef>

namespace tess {

/// Log 1, taken before the change, or log 2, taken after it.
enum class Side { Before, After };

constexpr Side kBothSides[] = {Side::Before, Side::After};

constexpr Side OtherSide(Side side) { return side == Side::Before ? Side::After : Side::Before; }

/// The number the window's fields and the temporary files give a side: 1
/// before, 2 after.
constexpr int SlotNumber(Side side) { return side == Side::Before ? 1 : 2; }

/// One `T` for each side, looked up by side: `PerSide<int> n{1, 2}` has
/// n[Side::Before] == 1.
template <typename T>
struct PerSide {
  std::array<T, 2> Values{};

  constexpr T& operator[](Side side) { return Values[static_cast<size_t>(side)]; }
  constexpr const T& operator[](Side side) const { return Values[static_cast<size_t>(side)]; }
};

}  // namespace tess
