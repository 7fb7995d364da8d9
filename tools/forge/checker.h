// Validates a program folder's maps as the game will use them: coordinates
// files read by the game's own parser, seeds checked on the pictures' pixels.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace forge {

struct CheckReport {
    QStringList faults;    // each one line: "<map file>: what is wrong"
    QStringList coverage;  // per map: how many regions have their card files
    QStringList windows;   // per map: the main window's size on screen in both modes
    int maps = 0;
    int regions = 0;
};

// The screen every map's window must fit in both modes, title bar included:
// a 1366 x 768 school laptop less a 48-pixel desktop panel.
constexpr QSize kSmallestScreen{1366, 720};
constexpr int kTitleBarPixels = 30;

// The main window's footprint on screen with a map picture of `picture`
// pixels: its client area, as the game lays it out, plus the title bar.
struct WindowFootprint {
    QSize quiz;
    QSize study;
    bool fits(QSize screen) const;
    // Whether the quiz mode's window is wide enough to show its top row of
    // counters and the mark, which are placed as designed whatever the map.
    bool showsTopRow() const;
};
WindowFootprint windowFootprint(QSize picture);

// The largest map picture whose window fits `screen` in both modes: each side
// on its own, since the window grows with the picture along each axis apart.
QSize largestPicture(QSize screen = kSmallestScreen);

CheckReport checkDataFolder(const QString &dataFolder);

} // namespace forge
