// The flood fill on small pictures of a few colours, against a plain
// breadth-first fill written for this check.
#include "fuzzinput.h"
#include "surface/floodfill.h"

#include <deque>

namespace {

qsizetype referenceFill(QImage &image, int x, int y, QRgb colour)
{
    const QRgb target = image.pixel(x, y) | 0xff000000u;
    const QRgb paint = colour | 0xff000000u;
    if (target == paint)
        return 0;
    qsizetype painted = 0;
    std::deque<QPoint> queue{QPoint(x, y)};
    image.setPixel(x, y, paint);
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        ++painted;
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + d;
            if (!image.rect().contains(q) || (image.pixel(q) | 0xff000000u) != target)
                continue;
            image.setPixel(q, paint);
            queue.push_back(q);
        }
    }
    return painted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const int width = 1 + in.take<std::uint8_t>() % 48;
    const int height = 1 + in.take<std::uint8_t>() % 48;
    const int x = int(in.take<std::uint8_t>()) - 4; // now and then outside
    const int y = int(in.take<std::uint8_t>()) - 4;
    static const QRgb palette[4] = {0xffffffff, 0xff202020, 0xffa0c8f0, 0xffff0000};
    const QRgb colour = palette[in.take<std::uint8_t>() % 4];

    QImage image(width, height, QImage::Format_RGB32);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            image.setPixel(col, row, palette[in.take<std::uint8_t>() % 4]);

    QImage expected = image;
    const qsizetype painted = floodFill(image, x, y, colour);
    const bool inside = x >= 0 && y >= 0 && x < width && y < height;
    const qsizetype expectedPainted = inside ? referenceFill(expected, x, y, colour) : 0;
    FUZZ_CHECK(painted == expectedPainted);
    FUZZ_CHECK(image == expected);
    return 0;
}
