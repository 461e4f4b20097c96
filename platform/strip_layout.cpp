#include "platform/strip_layout.h"

namespace sendlark {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kDesignDpi = 96;

constexpr int kPixelTwips = 15;
// Each grip is eight ridge lines a pixel wide, light and shadow by turns, starting at these x.
// The left edge of the toolbar hides the first line of the right grip.
constexpr int kGripStartTwips[] = {0, 1200};
constexpr int kGripLines = 8;
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
  for (const int start : kGripStartTwips) {
    for (int line = 0; line < kGripLines; ++line) {
      const int x = start + line * kPixelTwips;
      const int left = FromTwips(x, dpi);
      layout.grips.push_back(
          {left, FromTwips(x + kPixelTwips, dpi) - left, line % 2 == 0 ? kGripLight : kGripShadow});
    }
  }
  return layout;
}

float ToTwips(int pixels, int dpi) {
  return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

}  // namespace sendlark
