#include "ui/control_table.h"

#include <algorithm>
#include <array>

namespace tess {

namespace {
using K = ControlKind;
using A = Anchor;

// clang-format off
constexpr std::array<ControlDesign, 27> kControls = {{
    {"UpperDelim", kNoIndex, K::Line, "", {-30, 0, 615, 30}, 0, A::FullWidth},
    {"lblReadFile", 1, K::Label, "ファイル １", {120, 180, 840, 180}, 1, A::Left},
    {"txtReadFile", 1, K::PathField, "", {960, 120, 7215, 300}, 2, A::Stretch},
    {"lblWriteFile", 1, K::Label, "ソート結果", {120, 480, 840, 180}, 3, A::Left},
    {"txtWriteFile", 1, K::PathField, "", {960, 420, 7215, 300}, 4, A::Stretch},
    {"lblReadFile", 2, K::Label, "ファイル ２", {120, 900, 840, 180}, 5, A::Left},
    {"txtReadFile", 2, K::PathField, "", {960, 840, 7215, 300}, 6, A::Stretch},
    {"txtWriteFile", 2, K::PathField, "", {960, 1140, 7215, 300}, 7, A::Stretch},
    {"lblDiffFile", kNoIndex, K::Label, "比較結果", {120, 1620, 840, 180}, 8, A::Left},
    {"txtDiffFile", kNoIndex, K::PathField, "", {960, 1560, 7215, 300}, 9, A::Stretch},
    {"chkOption", kNoIndex, K::CheckBox, "オプション設定に従う", {1680, 2040, 2400, 300}, 10, A::Left},
    {"cmdSort", 1, K::Button, "ソートする", {9000, 120, 1440, 300}, 11, A::Right},
    {"chkFileDel", kNoIndex, K::CheckBox, "比較用のソート結果を残す", {5160, 2040, 2400, 300}, 12, A::Left},
    {"cmdDiff", kNoIndex, K::Button, "比較する", {9000, 1560, 1440, 300}, 13, A::Right},
    {"cmdBrowseRead", 1, K::Button, "参照", {8160, 120, 615, 300}, 14, A::Right},
    {"cmdBrowseWrite", 1, K::Button, "参照", {8160, 420, 615, 300}, 15, A::Right},
    {"cmdBrowseRead", 2, K::Button, "参照", {8160, 840, 615, 300}, 16, A::Right},
    {"cmdBrowseDiff", kNoIndex, K::Button, "参照", {8160, 1560, 615, 300}, 17, A::Right},
    {"cmdSort", 2, K::Button, "ソートする", {9000, 840, 1440, 300}, 18, A::Right},
    {"lblWriteFile", 2, K::Label, "ソート結果", {120, 1200, 840, 180}, 19, A::Left},
    {"cmdBrowseWrite", 2, K::Button, "参照", {8160, 1140, 615, 300}, 20, A::Right},
    {"lblFileExt", 1, K::Label, "拡張子", {9000, 480, 600, 180}, 21, A::Right},
    {"lblFileExt", 2, K::Label, "拡張子", {9000, 1200, 600, 180}, 22, A::Right},
    {"txtFileExt", 1, K::ExtField, "", {9600, 420, 840, 270}, 23, A::Right},
    {"txtFileExt", 2, K::ExtField, "", {9600, 1140, 840, 270}, 24, A::Right},
    {"txtFileExt", 3, K::ExtField, "", {9600, 1860, 840, 270}, 25, A::Right},
    {"lblFileExt", 3, K::Label, "拡張子", {9000, 1920, 600, 180}, 26, A::Right},
}};
// clang-format on
}  // namespace

std::span<const ControlDesign> ControlTable() { return kControls; }

TwipRect PlaceControl(const ControlDesign& control, int clientWidth) {
  const int grow = std::max(0, clientWidth - kDesignClientWidth);
  TwipRect r = control.rect;
  switch (control.anchor) {
    case Anchor::Left:
      break;
    case Anchor::Stretch:
      r.width += grow;
      break;
    case Anchor::Right:
      r.left += grow;
      break;
    case Anchor::FullWidth:
      r.width = clientWidth + 60;
      break;
  }
  return r;
}

std::string ControlName(const std::string& name, int index) {
  return index == kNoIndex ? name : name + "(" + std::to_string(index) + ")";
}

}  // namespace tess
