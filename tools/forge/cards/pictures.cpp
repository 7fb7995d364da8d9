#include "pictures.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace cards {

QImage regionMask(const QImage &mapIn, const QList<QPoint> &seeds)
{
    const QImage map = mapIn.convertToFormat(QImage::Format_RGB32);
    QImage mask(map.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    std::vector<QPoint> stack;
    for (const QPoint &seed : seeds) {
        if (seed.x() <= 0 || seed.y() <= 0 || !map.rect().contains(seed))
            continue;
        const QRgb colour = map.pixel(seed);
        stack.push_back(seed);
        while (!stack.empty()) {
            const QPoint p = stack.back();
            stack.pop_back();
            if (!map.rect().contains(p) || mask.scanLine(p.y())[p.x()] || map.pixel(p) != colour)
                continue;
            mask.scanLine(p.y())[p.x()] = 255;
            stack.push_back(p + QPoint(1, 0));
            stack.push_back(p - QPoint(1, 0));
            stack.push_back(p + QPoint(0, 1));
            stack.push_back(p - QPoint(0, 1));
        }
    }
    return mask;
}

qint64 maskArea(const QImage &mask)
{
    qint64 n = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            n += mask.constScanLine(y)[x] ? 1 : 0;
    return n;
}

namespace {

QRgb muted(QRgb c)
{
    // Towards a light grey, keeping a hint of the original hue, so the
    // highlighted region is the only strong colour in the picture.
    constexpr int kGrey = 0xee;
    const int grey = (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
    auto mix = [&](int ch) { return (ch * 25 + grey * 20 + kGrey * 55) / 100; };
    return qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
}

} // namespace

namespace {

// The white lines the forge draws through the sea to tie a region's islands
// together: the only white pixels of a map that touch the sea side by side,
// since every region's area is closed by its outline. On a locator they would
// be straight red lines across the sea; they are drawn as sea instead.
QImage withoutFerryLines(const QImage &map, QImage mask)
{
    const QRect bounds = map.rect();
    auto isSea = [&](int x, int y) { return bounds.contains(x, y) && (map.pixel(x, y) | 0xff000000u) == kMapSea; };
    std::vector<QPoint> ferry;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar *m = mask.constScanLine(y);
        for (int x = 0; x < mask.width(); ++x) {
            if (m[x] && (isSea(x + 1, y) || isSea(x - 1, y) || isSea(x, y + 1) || isSea(x, y - 1)))
                ferry.emplace_back(x, y);
        }
    }
    for (const QPoint &p : ferry)
        mask.scanLine(p.y())[p.x()] = 0;
    return mask;
}

struct MaskPart {
    QRect box;
    int pixels = 0;
};

// The 4-connected parts of a mask.
std::vector<MaskPart> maskParts(const QImage &mask)
{
    std::vector<MaskPart> parts;
    QImage seen(mask.size(), QImage::Format_Grayscale8);
    seen.fill(0);
    std::vector<QPoint> stack;
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (!mask.constScanLine(y)[x] || seen.constScanLine(y)[x])
                continue;
            QRect box(x, y, 1, 1);
            int pixels = 0;
            stack.push_back(QPoint(x, y));
            seen.scanLine(y)[x] = 255;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                box = box.united(QRect(p, QSize(1, 1)));
                ++pixels;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (mask.rect().contains(q) && mask.constScanLine(q.y())[q.x()] && !seen.constScanLine(q.y())[q.x()]) {
                        seen.scanLine(q.y())[q.x()] = 255;
                        stack.push_back(q);
                    }
                }
            }
            parts.push_back(MaskPart{box, pixels});
        }
    }
    return parts;
}

} // namespace

QImage locatorPicture(const QImage &mapIn, const QImage &maskIn)
{
    QImage map = mapIn.convertToFormat(QImage::Format_RGB32);
    const QImage mask = withoutFerryLines(map, maskIn);
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            if (maskIn.constScanLine(y)[x] && !mask.constScanLine(y)[x])
                map.setPixel(x, y, kMapSea);
        }
    }
    QImage out(map.size(), QImage::Format_RGB32);
    int minX = map.width(), minY = map.height(), maxX = -1, maxY = -1;
    for (int y = 0; y < map.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(map.constScanLine(y));
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        const uchar *m = mask.constScanLine(y);
        for (int x = 0; x < map.width(); ++x) {
            if (m[x]) {
                dst[x] = kHighlight;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            } else {
                dst[x] = muted(src[x]);
            }
        }
    }
    if (maxX < 0) // nothing selected: show the whole map muted
        return out.scaled(QSize(kLocatorMaxWidth, kLocatorMaxHeight), Qt::KeepAspectRatio,
                          Qt::SmoothTransformation);

    const QRect box(QPoint(minX, minY), QPoint(maxX, maxY));
    // Window: the region with as much again around it, 4:3, never smaller
    // than the output (no enlarging), never larger than the map.
    double w = std::max(box.width() * 2.0, box.width() + 80.0);
    double h = std::max(box.height() * 2.0, box.height() + 60.0);
    if (w / h < 4.0 / 3.0)
        w = h * 4.0 / 3.0;
    else
        h = w * 3.0 / 4.0;
    if (w < kLocatorMaxWidth) {
        w = kLocatorMaxWidth;
        h = kLocatorMaxHeight;
    }
    const int cw = std::min(map.width(), static_cast<int>(std::ceil(w)));
    const int ch = std::min(map.height(), static_cast<int>(std::ceil(h)));
    int left = box.center().x() - cw / 2;
    int top = box.center().y() - ch / 2;
    left = std::clamp(left, 0, map.width() - cw);
    top = std::clamp(top, 0, map.height() - ch);
    QImage crop = out.copy(left, top, cw, ch);
    const double scale = std::min({1.0, double(kLocatorMaxWidth) / cw, double(kLocatorMaxHeight) / ch});
    QImage result = scale < 1.0 ? crop.scaled(std::max(1, int(std::lround(cw * scale))),
                                              std::max(1, int(std::lround(ch * scale))),
                                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                : crop;

    // A region of a few pixels would vanish: ring it so the eye finds it.
    // So would a small island of a larger region: each such part in view
    // gets its own ring.
    auto ring = [&](const QRect &r, double extra, int pen) {
        QPainter painter(&result);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor::fromRgb(kHighlight), pen));
        const QPointF c((r.center().x() - left) * scale, (r.center().y() - top) * scale);
        painter.drawEllipse(c, std::max(r.width(), r.height()) * scale / 2 + extra,
                            std::max(r.width(), r.height()) * scale / 2 + extra);
    };
    const double shownW = box.width() * scale, shownH = box.height() * scale;
    if (shownW < 14 || shownH < 14) {
        ring(box, 9, 3);
    } else {
        const QRect view(left, top, cw, ch);
        // Pieces under 3 pixels are what is left of a tie line where it
        // crossed an island's outline, not islands.
        for (const MaskPart &part : maskParts(mask)) {
            if (part.pixels >= 3 && part.box.width() * scale < kSmallPartPixels
                && part.box.height() * scale < kSmallPartPixels && view.contains(part.box))
                ring(part.box, 5, 2);
        }
    }
    return result;
}

QImage limitColours(const QImage &imageIn, int maxColours)
{
    QImage image = imageIn.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, qint64> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[qAlpha(line[x]) < 128 ? 0u : (line[x] | 0xff000000u)];
    }
    if (static_cast<int>(counts.size()) <= maxColours) {
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qAlpha(line[x]) < 128 ? 0u : (line[x] | 0xff000000u);
        }
        return image;
    }
    std::vector<std::pair<qint64, QRgb>> ranked;
    for (const auto &[rgb, n] : counts)
        ranked.emplace_back(n, rgb);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    ranked.resize(maxColours);
    std::vector<QRgb> palette;
    for (const auto &r : ranked)
        palette.push_back(r.second);
    std::map<QRgb, QRgb> nearest;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = qAlpha(line[x]) < 128 ? 0u : (line[x] | 0xff000000u);
            auto it = nearest.find(c);
            if (it == nearest.end()) {
                QRgb best = palette.front();
                long bestD = -1;
                for (QRgb p : palette) {
                    if ((p == 0) != (c == 0))
                        continue;
                    const long dr = qRed(p) - qRed(c), dg = qGreen(p) - qGreen(c), db = qBlue(p) - qBlue(c);
                    const long d = dr * dr + dg * dg + db * db;
                    if (bestD < 0 || d < bestD) {
                        bestD = d;
                        best = p;
                    }
                }
                it = nearest.emplace(c, best).first;
            }
            line[x] = it->second;
        }
    }
    return image;
}

bool renderSvg(const QString &svgPath, int width, int height, QImage *out, QString *error)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("flag.png"));
    QProcess rsvg;
    QStringList args;
    if (width > 0)
        args << QStringLiteral("--width") << QString::number(width);
    args << QStringLiteral("--height") << QString::number(height) << QStringLiteral("--format") << QStringLiteral("png")
         << QStringLiteral("--output") << png << svgPath;
    rsvg.start(QStringLiteral("rsvg-convert"), args);
    if (!rsvg.waitForFinished(60000) || rsvg.exitStatus() != QProcess::NormalExit || rsvg.exitCode() != 0) {
        if (error)
            *error = svgPath + QStringLiteral(": rsvg-convert failed: ")
                + QString::fromLocal8Bit(rsvg.readAllStandardError()).trimmed() + rsvg.errorString();
        return false;
    }
    QImage image(png);
    if (image.isNull()) {
        if (error)
            *error = svgPath + QStringLiteral(": rsvg-convert gave no picture");
        return false;
    }
    *out = image;
    return true;
}

} // namespace cards
