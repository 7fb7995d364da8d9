// Times our flood fill against OpenCV's on the same pixels of a generated map
// and checks that both paint the same set. Prints each median and their ratio.
#include "surface/floodfill.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#ifdef MAPURIX_HAVE_OPENCV
#include <opencv2/imgproc.hpp>
#endif

namespace {

constexpr int kWidth = 2000;
constexpr int kHeight = 1500;
constexpr int kRuns = 31;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kSea = 0xff9cc8ee;
constexpr QRgb kBorder = 0xff303030;
constexpr QRgb kPaint = 0xff0000ff;
const QPoint kSeed(1500, 700); // inside the big region

// A wandering line from `from` to `to`, as borders on a map wander.
QPolygon wander(QPoint from, QPoint to, int steps, int jitter, std::mt19937 &random)
{
    std::uniform_int_distribution<int> offset(-jitter, jitter);
    QPolygon line;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        QPoint p(from.x() + int(t * (to.x() - from.x())), from.y() + int(t * (to.y() - from.y())));
        if (i != 0 && i != steps)
            p += QPoint(offset(random), offset(random));
        line << p;
    }
    return line;
}

// Sea on the left and at the bottom, a band of small regions parted by
// one-pixel borders, and one big region on the right with lakes and rivers
// that end inside it. About 70 % of the pixels are white.
QImage makeMap()
{
    QImage map(kWidth, kHeight, QImage::Format_RGB32);
    map.fill(kWhite);
    std::mt19937 random(20261208);
    QPainter painter(&map);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Sea with a ragged coast.
    QPolygon sea;
    sea << QPoint(0, 0);
    for (int y = 0; y <= 1260; y += 20)
        sea << QPoint(230 + int(60 * std::sin(y / 37.0)) + int(random() % 25), y);
    for (int x = 230; x <= kWidth; x += 20)
        sea << QPoint(x, 1260 + int(50 * std::sin(x / 53.0)) + int(random() % 21));
    sea << QPoint(kWidth, kHeight) << QPoint(0, kHeight);
    painter.setPen(QPen(QColor::fromRgb(kBorder), 0));
    painter.setBrush(QColor::fromRgb(kSea));
    painter.drawPolygon(sea);

    // Small regions: a jittered grid of borders between the coast and x = 1150.
    painter.setBrush(Qt::NoBrush);
    for (int x = 380; x < 1150; x += 110)
        painter.drawPolyline(wander({x, 0}, {x, 1330}, 40, 12, random));
    for (int y = 100; y < 1300; y += 95)
        painter.drawPolyline(wander({200, y}, {1150, y}, 40, 10, random));
    painter.drawPolyline(wander({1150, 0}, {1150, 1330}, 60, 25, random));

    // Lakes and rivers inside the big region.
    std::uniform_int_distribution<int> lakeX(1200, 1950), lakeY(50, 1200), radius(15, 70);
    painter.setBrush(QColor::fromRgb(kSea));
    for (int i = 0; i < 25; ++i) {
        const QPoint centre(lakeX(random), lakeY(random));
        if ((centre - kSeed).manhattanLength() < 150)
            continue;
        painter.drawEllipse(centre, radius(random), radius(random));
    }
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 12; ++i) {
        const QPoint mouth(1152, 80 + i * 100);
        painter.drawPolyline(wander(mouth, mouth + QPoint(300 + i * 20, 40), 20, 15, random));
    }
    painter.end();
    return map;
}

double milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void restore(QImage &work, const QImage &pristine)
{
    std::memcpy(work.bits(), pristine.constBits(), size_t(pristine.sizeInBytes()));
}

} // namespace

int main(int argc, char **argv)
{
    const QImage pristine = makeMap();
    if (argc == 3 && std::strcmp(argv[1], "--save") == 0) // to look at the map
        pristine.save(QString::fromLocal8Bit(argv[2]));
    QImage work = pristine.copy();
    const qsizetype whites = std::count(reinterpret_cast<const quint32 *>(pristine.constBits()),
                                        reinterpret_cast<const quint32 *>(pristine.constBits())
                                            + qsizetype(kWidth) * kHeight,
                                        quint32(kWhite));
    std::printf("map %d x %d, white %.1f %%\n", kWidth, kHeight,
                100.0 * double(whites) / (double(kWidth) * kHeight));

#ifdef MAPURIX_HAVE_OPENCV
    // The same pixels, no copy: one 32-bit integer per pixel.
    cv::Mat mat(kHeight, kWidth, CV_32SC1, work.bits(), size_t(work.bytesPerLine()));
    const cv::Scalar paint{double(qint32(kPaint))};
    auto openCvFill = [&] {
        return cv::floodFill(mat, cv::Point(kSeed.x(), kSeed.y()), paint, nullptr, cv::Scalar(0),
                             cv::Scalar(0), 4 | cv::FLOODFILL_FIXED_RANGE);
    };
#endif

    std::vector<double> ours, theirs;
    qsizetype oursCount = 0;
    QImage oursResult;
    // One untimed round of each first, then alternate so that drift in the
    // machine's speed hits both alike.
    for (int run = -1; run < kRuns; ++run) {
        restore(work, pristine);
        auto start = std::chrono::steady_clock::now();
        oursCount = floodFill(work, kSeed.x(), kSeed.y(), kPaint);
        auto stop = std::chrono::steady_clock::now();
        if (run >= 0)
            ours.push_back(milliseconds(stop - start));
        if (run == kRuns - 1)
            oursResult = work.copy();
#ifdef MAPURIX_HAVE_OPENCV
        restore(work, pristine);
        start = std::chrono::steady_clock::now();
        openCvFill();
        stop = std::chrono::steady_clock::now();
        if (run >= 0)
            theirs.push_back(milliseconds(stop - start));
#endif
    }

    std::printf("filled %lld pixels (%.1f %% of the map)\n", static_cast<long long>(oursCount),
                100.0 * double(oursCount) / (double(kWidth) * kHeight));
    const double oursMedian = median(ours);
    std::printf("ours   floodFill median of %d runs: %.3f ms\n", kRuns, oursMedian);
#ifdef MAPURIX_HAVE_OPENCV
    const double theirsMedian = median(theirs);
    std::printf("OpenCV floodFill median of %d runs: %.3f ms\n", kRuns, theirsMedian);
    std::printf("ratio ours / OpenCV: %.3f\n", oursMedian / theirsMedian);
    const bool same = oursResult == work; // `work` holds OpenCV's last result
    std::printf("same pixels: %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
#else
    std::printf("OpenCV not available: no comparison\n");
    return 0;
#endif
}
