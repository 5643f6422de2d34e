// The controls of the main window as designed: kind, caption, position and
// size in twips, tab order, and how each follows a change of the window's
// width. Plain data; the window builds its widgets from it.
#pragma once

#include <span>
#include <string>

namespace tess {

/// The design client area, in twips.
constexpr int kDesignClientWidth = 10560;
constexpr int kDesignClientHeight = 2400;

/// The index of a control or menu item that is not part of an array.
constexpr int kNoIndex = -1;

enum class ControlKind { Line, Label, PathField, ExtField, Button, CheckBox };

/// How a control follows the client width: it keeps its place, its width
/// grows with the window, it keeps its distance to the right edge, or it
/// spans the whole width (the line under the menu bar).
enum class Anchor { Left, Stretch, Right, FullWidth };

struct TwipRect {
  int left, top, width, height;
  bool operator==(const TwipRect&) const = default;
};

struct ControlDesign {
  const char* name;
  int index;  // file slot or extension number, or kNoIndex
  ControlKind kind;
  const char* text;
  TwipRect rect;
  int tabIndex;
  Anchor anchor;
};

/// Every control of the window, in tab-index order.
std::span<const ControlDesign> ControlTable();

/// Where the control stands in a client area `clientWidth` twips wide: the
/// path fields grow with the width beyond the design width, everything right
/// of them keeps its distance to the right edge, and the line spans the
/// whole width with 30 twips to spare on either side.
TwipRect PlaceControl(const ControlDesign& control, int clientWidth);

/// "txtReadFile(1)" for a control or menu item in an array, "cmdDiff" otherwise.
std::string ControlName(const std::string& name, int index);

}  // namespace tess
