// Arithmetic of the region information card: where the card, its text, the
// missing-picture notice, the fitted picture and the flag go. Every value is
// in twips. Widgets snap what they are given to whole pixels, so the window
// code reads each size back from its control before the next step uses it,
// and these functions take the values as read.
#pragma once

#include <cstdint>

namespace cardlayout {

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct Point {
    double left = 0;
    double top = 0;
};

// The card covers the map picture with a margin of 200 twips on every side.
Rect cardRect(const Rect &picture1);

// The text box fills the left half of a card W wide and H high.
Rect textRect(double cardWidth, double cardHeight);

// The missing-picture notice: 300 twips right of the text box and a quarter
// of its height down.
Point noticePosition(const Rect &text);

// Picture fitting. First the height the picture is stretched to: half the card
// less 250.
double pictureHeight(double cardHeight);

// Then the width that keeps the picture's proportions at the height the
// control took (`fittedHeight`, read back), from the picture's natural size.
// The natural width is taken to a whole number first and the products are in
// single precision; the whole number is wider than 16 bits, so very wide
// pictures fit instead of overflowing.
double pictureWidth(double naturalWidth, double naturalHeight, double fittedHeight);

// Then where it goes: centred on the line at three quarters of the card's
// width, level with the text box's top.
Point picturePosition(double cardWidth, double fittedWidth, double textTop);

// The flag, centred in the lower-right quarter at the size the GIF control
// took; a flag larger than the quarter spills over and is cut by the card.
Point flagPosition(double cardWidth, double cardHeight, double flagWidth, double flagHeight);

} // namespace cardlayout
