// The colour palette the player picks the paint colour from, drawn in code so
// that every pixel is known exactly.
#pragma once

#include <QImage>
#include <QRgb>
#include <array>

namespace palette {

constexpr int kColumns = 13;
constexpr int kRows = 2;
constexpr int kPitch = 16;    // cells repeat every 16 pixels in both directions
constexpr int kSquare = 12;   // side of the colour square of a swatch
constexpr int kSquareOffset = 3; // the square starts 3 pixels into its cell
constexpr int kWidth = kColumns * kPitch + 1; // 209
constexpr int kHeight = kRows * kPitch + 2;   // 34

// Frame colours of a sunken swatch, as 0xRRGGBB.
constexpr QRgb kWhite = 0xffffff;
constexpr QRgb kGrey = 0x808080;
constexpr QRgb kBlack = 0x000000;
constexpr QRgb kLightGrey = 0xc0c0c0;

// Swatch colours as 0xRRGGBB, row by row, left to right.
constexpr std::array<std::array<QRgb, kColumns>, kRows> kSwatches{{
    {0x808080, 0x800000, 0x808000, 0x008000, 0x008080, 0x000080, 0x800080, 0x808040, 0x004040,
     0x0080ff, 0x004080, 0x4000ff, 0x804000},
    {0xc0c0c0, 0xff0000, 0xffff00, 0x00ff00, 0x00ffff, 0x0000ff, 0xff00ff, 0xffff80, 0x00ff80,
     0x80ffff, 0x8080ff, 0xff0080, 0xff8040},
}};

// Left column of the colour square of swatch `column`, top row of the
// squares of swatch row `row`.
constexpr int squareLeft(int column) { return column * kPitch + kSquareOffset; }
constexpr int squareTop(int row) { return row * kPitch + kSquareOffset; }

} // namespace palette

// The 209 x 34 palette picture (Format_RGB32). Layout, counting from 0 at
// the top-left pixel, for the cell of swatch column s and row r with
// x0 = 16s, y0 = 16r:
// - white grid lines on the 16-pixel grid: columns 0, 16, ..., 208 and rows
//   0, 16, 32. The line to the right of and below a cell is also the outer
//   light edge of its sunken frame;
// - outer dark edge: grey 808080 along row y0+1 (x0+1..x0+15) and column x0+1
//   (y0+1..y0+15);
// - inner dark edge: black along row y0+2 (x0+2..x0+14) and column x0+2
//   (y0+2..y0+14);
// - inner light edge: light grey C0C0C0 along row y0+15 (x0+2..x0+15) and
//   column x0+15 (y0+2..y0+15);
// - the colour square: columns x0+3..x0+14, rows y0+3..y0+14;
// - row 33, below the last grid line, is a light grey margin.
// The light comes from the top-left, as on the rest of the desktop, so the
// swatches look pressed in.
QImage makePalettePicture();
