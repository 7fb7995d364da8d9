#include "palette.h"

namespace {

void horizontalLine(QImage &image, int y, int x1, int x2, QRgb rgb)
{
    for (int x = x1; x <= x2; ++x)
        image.setPixel(x, y, rgb | 0xff000000u);
}

void verticalLine(QImage &image, int x, int y1, int y2, QRgb rgb)
{
    for (int y = y1; y <= y2; ++y)
        image.setPixel(x, y, rgb | 0xff000000u);
}

} // namespace

QImage makePalettePicture()
{
    using namespace palette;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kLightGrey | 0xff000000u); // leaves the bottom margin light grey

    for (int r = 0; r < kRows; ++r) {
        for (int s = 0; s < kColumns; ++s) {
            const int x0 = s * kPitch;
            const int y0 = r * kPitch;
            // The grid lines round the cell double as its outer light edge.
            horizontalLine(image, y0, x0, x0 + kPitch, kWhite);
            horizontalLine(image, y0 + kPitch, x0, x0 + kPitch, kWhite);
            verticalLine(image, x0, y0, y0 + kPitch, kWhite);
            verticalLine(image, x0 + kPitch, y0, y0 + kPitch, kWhite);

            horizontalLine(image, y0 + 1, x0 + 1, x0 + 15, kGrey);
            verticalLine(image, x0 + 1, y0 + 1, y0 + 15, kGrey);
            horizontalLine(image, y0 + 2, x0 + 2, x0 + 14, kBlack);
            verticalLine(image, x0 + 2, y0 + 2, y0 + 14, kBlack);
            horizontalLine(image, y0 + 15, x0 + 2, x0 + 15, kLightGrey);
            verticalLine(image, x0 + 15, y0 + 2, y0 + 15, kLightGrey);

            for (int y = squareTop(r); y < squareTop(r) + kSquare; ++y)
                horizontalLine(image, y, squareLeft(s), squareLeft(s) + kSquare - 1,
                               kSwatches[r][s]);
        }
    }
    return image;
}
