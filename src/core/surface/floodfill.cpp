#include "floodfill.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kOpaque = 0xff000000u;

// A run of row `y` over [left, right] that has just been painted; the pixels
// of row `y + dy` over the same columns are still to be looked at.
struct Span {
    int y;
    int left;
    int right;
    int dy;
};

bool hasFormatOf32Bits(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

qsizetype floodFill(QImage &image, int x, int y, QRgb colour)
{
    if (image.isNull() || x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return 0;
    if (!hasFormatOf32Bits(image.format()))
        image.convertTo(QImage::Format_RGB32);

    const std::uint32_t paint = colour | kOpaque;
    const std::uint32_t target =
        reinterpret_cast<const std::uint32_t *>(image.constScanLine(y))[x] | kOpaque;
    if (target == paint)
        return 0;

    const int width = image.width();
    const int height = image.height();
    const qsizetype stride = image.bytesPerLine();
    // Only now, with something to paint, copy an image that shares its pixels.
    uchar *const bits = image.bits();
    auto row = [bits, stride](int rowIndex) {
        return reinterpret_cast<std::uint32_t *>(bits + stride * rowIndex);
    };
    // Comparing with the alpha byte forced keeps a stray alpha value in an
    // RGB32 image from splitting an area of one visible colour.
    auto matches = [target](std::uint32_t pixel) { return (pixel | kOpaque) == target; };

    qsizetype painted = 0;
    std::vector<Span> stack;
    stack.reserve(1024);
    auto push = [&](int spanY, int left, int right, int dy) {
        const int next = spanY + dy;
        if (next >= 0 && next < height)
            stack.push_back({spanY, left, right, dy});
    };

    // The seed run.
    {
        std::uint32_t *const line = row(y);
        int left = x;
        while (left > 0 && matches(line[left - 1]))
            --left;
        int right = x;
        while (right + 1 < width && matches(line[right + 1]))
            ++right;
        std::fill(line + left, line + right + 1, paint);
        painted += right - left + 1;
        push(y, left, right, 1);
        push(y, left, right, -1);
    }

    // Each span scans only the neighbouring row it points to; the row it came
    // from is looked at again only where a new run reaches past the span
    // (Heckbert's seed fill), so each pixel is read a small constant number
    // of times.
    while (!stack.empty()) {
        const Span span = stack.back();
        stack.pop_back();
        const int lineY = span.y + span.dy;
        std::uint32_t *const line = row(lineY);

        int col = span.left;
        while (col <= span.right) {
            if (!matches(line[col])) {
                ++col;
                continue;
            }
            int left = col;
            if (col == span.left) {
                while (left > 0 && matches(line[left - 1]))
                    --left;
            }
            int right = col;
            while (right + 1 < width && matches(line[right + 1]))
                ++right;
            std::fill(line + left, line + right + 1, paint);
            painted += right - left + 1;

            push(lineY, left, right, span.dy);
            if (left < span.left - 1)
                push(lineY, left, span.left - 2, -span.dy);
            if (right > span.right + 1)
                push(lineY, span.right + 2, right, -span.dy);
            col = right + 2; // right + 1 does not match (or is past the edge)
        }
    }
    return painted;
}
