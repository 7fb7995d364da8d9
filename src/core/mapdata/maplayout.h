// Where the main window's controls go around a loaded map, in twips. Plain
// arithmetic so that the numbers can be checked without a window.
#pragma once

#include <QSize>

struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// The palette, the prompt, the two verdict animations and the window size
// around the map; used in both modes.
struct QuizLayout {
    double picture2Left = 0; // the palette starts at the map's left edge
    double picture2Top = 0;
    double label1Left = 0;
    double label1Top = 0;
    double animadorLeft = 0; // Animador2 and Animador3
    double formWidth = 0;    // outer size
    double formHeight = 0;
};
QuizLayout arrangeQuizLayout(const TwipsRect &picture1, const TwipsRect &picture2,
                             double animador2Width);

// The region list beside the map, the back button above it, and the wider
// window of study mode. The back button shares the top row with the card
// button, which keeps its designed place: beside a map narrower than that
// button, the list and the back button move right of it, so that the way
// back to the maps is never covered.
struct StudyLayout {
    TwipsRect list3;
    TwipsRect command3;
    double formWidth = 0; // outer width
};
StudyLayout arrangeStudyLayout(const TwipsRect &picture1, double list3Width);

// The parts of the main window's design that fix its size around a map, in
// twips. The window is built from these, and the atlas forge sizes every map
// with them, so the two cannot drift apart.
namespace mapwindow {
constexpr double kPicture1Left = 120;
constexpr double kPicture1Top = 360;
constexpr double kAnimador2Width = 1695;
// The palette box: the 209 x 34 palette picture inside its 2-pixel border.
constexpr double kPicture2Width = 3195;
constexpr double kPicture2Height = 570;
constexpr double kList3Width = 1935;
// The mark display ends the quiz mode's top row of counters; the window
// lays out no control to its right, so nothing widens a window for it.
constexpr double kLabel2Left = 6120;
constexpr double kLabel2Width = 2655;
// The card button at the top left of study mode.
constexpr double kCommand4Left = 120;
constexpr double kCommand4Width = 3375;
// The smallest screen the atlas is drawn for: a 1366 x 768 school laptop less
// a 48-pixel desktop panel; and the title bar a window adds on it.
constexpr QSize kSmallestScreen{1366, 720};
constexpr int kTitleBarPixels = 30;
} // namespace mapwindow

// The main window's client area in pixels once a map picture of `picture`
// pixels is loaded: in quiz mode, and in study mode with the region list
// beside the map (as high as quiz mode: study mode only widens the window).
struct MapWindowSize {
    QSize quiz;
    QSize study;
};
MapWindowSize mapWindowSize(QSize picture);

// Whether the main window, title bar included, fits in `room` pixels in both
// modes with a map picture of `picture` pixels; and the largest picture that
// does, each side on its own (the window grows with each side apart).
bool mapWindowFits(QSize picture, QSize room);
QSize largestMapPicture(QSize room);

// The room the main window may take on a screen whose free area is `screen`
// pixels: that area, but never less than the smallest screen the atlas is
// drawn for, so that the shipped maps open on any screen as designed.
QSize mapWindowRoom(QSize screen);
