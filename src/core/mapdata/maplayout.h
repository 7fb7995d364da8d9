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
// window of study mode.
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
constexpr double kList3Width = 1935;
// The mark display ends the quiz mode's top row of counters; the window
// lays out no control to its right, so nothing widens a window for it.
constexpr double kLabel2Left = 6120;
constexpr double kLabel2Width = 2655;
} // namespace mapwindow

// The main window's client area in pixels once a map picture of `picture`
// pixels is loaded: in quiz mode, and in study mode with the region list
// beside the map (as high as quiz mode: study mode only widens the window).
struct MapWindowSize {
    QSize quiz;
    QSize study;
};
MapWindowSize mapWindowSize(QSize picture);
