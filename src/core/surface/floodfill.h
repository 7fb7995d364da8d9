// The one paint operation of the map: a flood fill over the exact colour found
// at a pixel, as the regions of a map picture are white areas bounded by lines.
#pragma once

#include <QImage>
#include <QRgb>

// Fills the 4-connected area of exactly the colour found at (x, y) with
// `colour` and returns the number of pixels painted. Diagonal neighbours are
// not connected, so a one-pixel line drawn without antialiasing stops the fill.
// Nothing happens outside the image or when the colour found already equals
// `colour`. Colours are compared and written with the alpha byte forced to 0xff.
// The image should be Format_RGB32 (32-bit ARGB formats are treated the same);
// any other format is converted to Format_RGB32 first.
// Works with an explicit span stack: a 4000 x 3000 area fills without recursion.
qsizetype floodFill(QImage &image, int x, int y, QRgb colour);
