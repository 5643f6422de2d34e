// Conversion between twips (1/1440 inch), the unit of the window's design,
// and pixels at the screen's logical resolution.
#pragma once

#include <cmath>

namespace tess {

class TwipScale {
 public:
  /// A scale for `dotsPerInch` logical dots per inch; 96 gives 15 twips a pixel.
  explicit TwipScale(double dotsPerInch) : dotsPerInch_(dotsPerInch) {}

  /// The nearest whole pixel count for a position or length in twips.
  int ToPixels(int twips) const {
    return static_cast<int>(std::lround(twips * dotsPerInch_ / 1440.0));
  }
  /// The nearest whole twip count for a position or length in pixels.
  int ToTwips(int pixels) const {
    return static_cast<int>(std::lround(pixels * 1440.0 / dotsPerInch_));
  }

 private:
  double dotsPerInch_;
};

}  // namespace tess
