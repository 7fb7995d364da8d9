// The map picture box as plain data: a persistent image and the displayed
// surface over it, with the fill colour and the reads and fills the game makes.
#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>

// Colour of the pixel at (x, y) as 0xRRGGBB, or -1 outside the image. The
// coordinates are taken to whole pixels with halves going to even (2.5 -> 2).
qint64 pixelAt(const QImage &image, double x, double y);

class MapSurface {
public:
    // Both images become the same exact Format_RGB32 copy of `picture`: no
    // scaling, smoothing or colour reduction, as regions are told apart by
    // exact colour. Permanent paint from an earlier map is gone.
    void load(const QImage &picture);

    bool isNull() const { return persistentImage.isNull(); }
    QSize size() const { return persistentImage.size(); }

    // Which image fills read and write: false = the displayed surface (paint
    // that the next refresh removes), true = the persistent image.
    bool autoRedraw() const { return redraw; }
    void setAutoRedraw(bool on) { redraw = on; }

    // The fill colour as 0xRRGGBB, the same form point() gives, so a colour
    // read from a picture can be stored and compared directly. Any alpha byte
    // passed in is dropped.
    QRgb fillColor() const { return colour; }
    void setFillColor(QRgb rgb) { colour = rgb & kRgbMask; }

    // Copies the persistent image onto the displayed surface.
    void refresh();

    // Displayed surface colour as 0xRRGGBB, -1 outside (see pixelAt).
    qint64 point(double x, double y) const { return pixelAt(displayedImage, x, y); }
    bool isWhite(double x, double y) const { return point(x, y) == kWhite; }

    // Flood fill from (x, y), halves going to even, over the exact colour
    // found there, on the image autoRedraw() selects, with fillColor().
    // Returns the number of pixels painted (0 outside or when the colour
    // found is already the fill colour).
    qsizetype fill(double x, double y);

    const QImage &displayed() const { return displayedImage; }
    const QImage &persistent() const { return persistentImage; }

    static constexpr QRgb kRgbMask = 0x00ffffffu;
    static constexpr qint64 kWhite = 0xffffff;
    static constexpr QRgb kInitialFillColor = 0x0000ff; // pure blue

private:
    QImage persistentImage;
    QImage displayedImage;
    bool redraw = false;
    QRgb colour = kInitialFillColor;
};
