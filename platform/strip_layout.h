// Where everything on the program's window lies, at any screen resolution. Positions are designed
// in twips, 15 to a pixel at 96 DPI, and scaled to whole pixels for the window's DPI.
#pragma once

#include <cstdint>
#include <vector>

namespace sendlark {

struct Colour {
  std::uint8_t red, green, blue;
  bool operator==(const Colour&) const = default;
};

inline constexpr Colour kGripLight{255, 255, 255};
inline constexpr Colour kGripShadow{128, 128, 128};
inline constexpr Colour kImageMask{192, 192, 192};  // drawn transparent in toolbar images

struct PixelRect {
  int left, top, width, height;
  bool operator==(const PixelRect&) const = default;
};

// One vertical ridge line of a grip: columns [left, left + width) over the whole height.
struct GripLine {
  int left;
  int width;
  Colour colour;
};

struct WindowLayout {
  int dpi;
  int width, height;  // the client area; the window has no frame
  PixelRect toolbar;
  int buttonWidth, buttonHeight;
  int imageSize;  // toolbar images are square
  std::vector<GripLine> grips;
};

WindowLayout LayoutFor(int dpi);

// A pixel position converted to the twips the window's events report, for this DPI.
float ToTwips(int pixels, int dpi);

}  // namespace sendlark
