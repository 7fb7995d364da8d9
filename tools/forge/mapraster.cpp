#include "mapraster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace forge {

namespace {

void plot(QImage &image, int x, int y, QRgb colour, const QRect &clip)
{
    if (clip.contains(x, y))
        reinterpret_cast<QRgb *>(image.scanLine(y))[x] = colour;
}

void line(QImage &image, QPoint a, QPoint b, QRgb colour, const QRect &clip)
{
    const int dx = std::abs(b.x() - a.x());
    const int dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1;
    const int sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    int x = a.x();
    int y = a.y();
    for (;;) {
        plot(image, x, y, colour, clip);
        if (x == b.x() && y == b.y())
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

QPoint pixelOf(const QPointF &p)
{
    // Far-away vertices are clamped so the integer walk stays short and exact
    // where it matters.
    constexpr double kFar = 20000;
    return QPoint(int(std::floor(std::clamp(p.x(), -kFar, kFar))), int(std::floor(std::clamp(p.y(), -kFar, kFar))));
}

} // namespace

void strokeOutline(QImage &image, const QPainterPath &path, QRgb colour, const QRect &clip)
{
    const QRect bounds = clip.intersected(image.rect());
    QPoint start, last;
    bool open = false;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPoint p = pixelOf(QPointF(e.x, e.y));
        if (e.isMoveTo()) {
            if (open && last != start)
                line(image, last, start, colour, bounds);
            start = last = p;
            open = true;
            plot(image, p.x(), p.y(), colour, bounds);
        } else {
            line(image, last, p, colour, bounds);
            last = p;
        }
    }
    if (open && last != start)
        line(image, last, start, colour, bounds);
}

void drawDisc(QImage &image, QPoint centre, int radius, QRgb inside, QRgb rim)
{
    const int limit = radius * radius + radius;
    auto inDisc = [&](int dx, int dy) { return dx * dx + dy * dy <= limit; };
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (!inDisc(dx, dy))
                continue;
            const bool edge = !inDisc(dx - 1, dy) || !inDisc(dx + 1, dy) || !inDisc(dx, dy - 1) || !inDisc(dx, dy + 1);
            plot(image, centre.x() + dx, centre.y() + dy, edge ? rim : inside, image.rect());
        }
    }
}

WhiteAreas labelWhiteAreas(const QImage &picture)
{
    return labelAreasOfColour(picture, kWhite);
}

WhiteAreas labelAreasOfColour(const QImage &picture, QRgb colour)
{
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    WhiteAreas areas;
    areas.width = img.width();
    areas.height = img.height();
    const int w = areas.width;
    const int h = areas.height;
    areas.label.assign(static_cast<size_t>(w) * h, -1);
    std::vector<char> white(static_cast<size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            white[static_cast<size_t>(y) * w + x] = (line[x] | 0xFF000000u) == (colour | 0xFF000000u);
    }
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (!white[start] || areas.label[start] >= 0)
            continue;
        const int area = areas.count();
        areas.size.push_back(0);
        areas.first.push_back(start);
        areas.label[start] = area;
        stack.push_back(start);
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            ++areas.size[area];
            const int x = p % w;
            const int y = p / w;
            auto visit = [&](int q) {
                if (white[q] && areas.label[q] < 0) {
                    areas.label[q] = area;
                    stack.push_back(q);
                }
            };
            if (x > 0)
                visit(p - 1);
            if (x + 1 < w)
                visit(p + 1);
            if (y > 0)
                visit(p - w);
            if (y + 1 < h)
                visit(p + w);
        }
    }
    return areas;
}

std::vector<int> distanceToEdge(const WhiteAreas &areas)
{
    const int w = areas.width;
    const int h = areas.height;
    constexpr int kStraight = 3;
    constexpr int kDiagonal = 4;
    const int far = std::numeric_limits<int>::max() / 4;
    std::vector<int> d(static_cast<size_t>(w) * h, 0);
    auto at = [&](int x, int y) -> int {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return 0;
        return d[static_cast<size_t>(y) * w + x];
    };
    for (size_t i = 0; i < d.size(); ++i)
        d[i] = areas.label[i] >= 0 ? far : 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int &v = d[static_cast<size_t>(y) * w + x];
            if (v == 0)
                continue;
            v = std::min({v, at(x - 1, y) + kStraight, at(x, y - 1) + kStraight,
                          at(x - 1, y - 1) + kDiagonal, at(x + 1, y - 1) + kDiagonal});
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = w - 1; x >= 0; --x) {
            int &v = d[static_cast<size_t>(y) * w + x];
            if (v == 0)
                continue;
            v = std::min({v, at(x + 1, y) + kStraight, at(x, y + 1) + kStraight,
                          at(x + 1, y + 1) + kDiagonal, at(x - 1, y + 1) + kDiagonal});
        }
    }
    return d;
}

std::vector<QPoint> deepestPoints(const WhiteAreas &areas)
{
    const std::vector<int> d = distanceToEdge(areas);
    std::vector<int> best(areas.count(), -1);
    std::vector<QPoint> points(areas.count());
    for (size_t i = 0; i < d.size(); ++i) {
        const int a = areas.label[i];
        if (a >= 0 && d[i] > best[a]) {
            best[a] = d[i];
            points[a] = QPoint(static_cast<int>(i % areas.width), static_cast<int>(i / areas.width));
        }
    }
    return points;
}

} // namespace forge
