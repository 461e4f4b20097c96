#include "platform/strip_layout.h"

#include <array>

namespace sendlark {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kDesignDpi = 96;

// The ridge lines of both grips: x in twips and colour, a light line with a shadow line one
// pixel to its right. The left edge of the toolbar hides the first line of the right grip.
struct GripDesign {
  int x;
  Colour colour;
};
constexpr std::array<GripDesign, 16> kGripDesign = {{
    {0, kGripLight},
    {15, kGripShadow},
    {30, kGripLight},
    {45, kGripShadow},
    {60, kGripLight},
    {75, kGripShadow},
    {90, kGripLight},
    {105, kGripShadow},
    {1200, kGripLight},
    {1215, kGripShadow},
    {1230, kGripLight},
    {1245, kGripShadow},
    {1260, kGripLight},
    {1275, kGripShadow},
    {1290, kGripLight},
    {1305, kGripShadow},
}};

constexpr int kPixelTwips = 15;
constexpr int kClientWidthTwips = 1320;
constexpr int kClientHeightTwips = 330;
constexpr int kToolbarLeftTwips = 120;
constexpr int kToolbarWidthTwips = 1095;
constexpr int kButtonWidthPx = 23;
constexpr int kButtonHeightPx = 22;
constexpr int kImageSizePx = 16;

// Rounds half away from zero, as MulDiv does.
int Scale(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  return static_cast<int>((product + denominator / 2) / denominator);
}

int FromTwips(int twips, int dpi) {
  return Scale(twips, dpi, kTwipsPerInch);
}
int FromDesignPixels(int pixels, int dpi) {
  return Scale(pixels, dpi, kDesignDpi);
}

}  // namespace

WindowLayout LayoutFor(int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  WindowLayout layout{};
  layout.dpi = dpi;
  layout.width = FromTwips(kClientWidthTwips, dpi);
  layout.height = FromTwips(kClientHeightTwips, dpi);
  layout.toolbar = {FromTwips(kToolbarLeftTwips, dpi), 0, FromTwips(kToolbarWidthTwips, dpi),
                    layout.height};
  layout.buttonWidth = FromDesignPixels(kButtonWidthPx, dpi);
  layout.buttonHeight = FromDesignPixels(kButtonHeightPx, dpi);
  layout.imageSize = FromDesignPixels(kImageSizePx, dpi);
  // Each line covers the pixels of its own 15 twips, so at any scale the lines stay sharp
  // and meet without gaps or overlaps.
  for (const GripDesign& line : kGripDesign) {
    const int left = FromTwips(line.x, dpi);
    layout.grips.push_back({left, FromTwips(line.x + kPixelTwips, dpi) - left, line.colour});
  }
  return layout;
}

float ToTwips(int pixels, int dpi) {
  return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

}  // namespace sendlark
