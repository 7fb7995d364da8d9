// Writes animated or still GIF files from QImage frames with giflib.
//
// Qt reads GIF but cannot write it, so every generator that makes GIFs for
// the game (animations, region pictures, flags) goes through this one call.
//
//   std::vector<gifwriter::Frame> frames;
//   frames.push_back({image, 80});                 // 80 ms on screen
//   QString error;
//   if (!gifwriter::write("out.gif", frames, gifwriter::PlayOnce, &error))
//       qFatal("%s", qPrintable(error));
//
// Colours: when all frames together use at most 256 colours they share one
// exact global palette, so the file decodes to the very pixels given (maps
// and flat pictures stay exact). Otherwise each frame gets its own palette:
// exact when that frame has at most 256 colours, else a median-cut palette
// with nearest-colour mapping and no dithering.
//
// Transparency: pixels whose alpha is below 128 become the transparent
// index; all others are written fully opaque. Frames that hold transparent
// pixels are disposed to the background, so a moving figure leaves no trail.
//
// Every frame must have the size of the first. Delays are stored in
// hundredths of a second (rounded; 0 stays 0, which players show as 100 ms).
// The output depends only on the input: the same frames give the same bytes.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace gifwriter {

struct Frame {
    QImage image;
    int delayMs = 100;
};

enum Looping {
    PlayOnce,    // no loop block: players stop on the last frame
    LoopForever, // NETSCAPE2.0 block with count 0
};

// Writes the frames to path; on failure returns false and, when error is
// given, a message naming the file and the cause.
bool write(const QString &path, const std::vector<Frame> &frames, Looping looping,
           QString *error = nullptr);

} // namespace gifwriter
