// Continents are classified by country code because Natural Earth joins the
// Americas at Panama and Africa to Asia at Suez in its land outlines.
#include "worldart.h"

#include <QPainter>
#include <QSet>
#include <cmath>

namespace worldart {
namespace {

const QSet<QString> kEurope = {
    "008", "040", "056", "070", "100", "112", "191", "196", "203", "208", "233", "246",
    "250", "276", "300", "348", "352", "372", "380", "428", "440", "442", "498", "499",
    "528", "578", "616", "620", "642", "688", "703", "705", "724", "752", "756", "804",
    "807", "826", "Kosovo", "N. Cyprus"};
const QSet<QString> kAfrica = {
    "012", "024", "072", "108", "120", "140", "148", "178", "180", "204", "226", "231",
    "232", "262", "266", "270", "288", "324", "384", "404", "426", "430", "434", "450",
    "454", "466", "478", "504", "508", "516", "562", "566", "624", "646", "686", "694",
    "706", "710", "716", "728", "729", "732", "748", "768", "788", "800", "818", "834",
    "854", "894", "Somaliland"};
const QSet<QString> kNorthAmerica = {"044", "084", "124", "188", "192", "214", "222", "304",
                                     "320", "332", "340", "388", "484", "558", "591", "630",
                                     "780", "840"};
const QSet<QString> kSouthAmerica = {"032", "068", "076", "152", "170", "218",
                                     "238", "328", "600", "604", "740", "858", "862"};
const QSet<QString> kOceania = {"036", "090", "242", "540", "548", "554", "598"};
const QSet<QString> kAntarctic = {"010", "260"};
const QString kRussia = "643";
constexpr double kUralsLongitude = 60.0;

// Rings that cross the antimeridian jump by 360° between two points; they
// are made continuous (and may then reach past ±180°, which is why shapes
// are drawn three times, shifted by a full turn). A ring that goes round a
// pole (Antarctica) is closed along that pole.
topojson::Ring unwrapped(topojson::Ring ring)
{
    double latSum = 0;
    for (size_t i = 1; i < ring.size(); ++i) {
        while (ring[i].x() - ring[i - 1].x() > 180)
            ring[i].rx() -= 360;
        while (ring[i].x() - ring[i - 1].x() < -180)
            ring[i].rx() += 360;
        latSum += ring[i].y();
    }
    if (std::abs(ring.back().x() - ring.front().x()) > 180) {
        const double pole = latSum < 0 ? -90 : 90;
        ring.emplace_back(ring.back().x(), pole);
        ring.emplace_back(ring.front().x(), pole);
    }
    return ring;
}

QPainterPath pathOf(const std::vector<topojson::Ring> &polygon)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const topojson::Ring &original : polygon) {
        if (original.size() < 3)
            continue;
        const topojson::Ring ring = unwrapped(original);
        path.moveTo(ring.front());
        for (size_t i = 1; i < ring.size(); ++i)
            path.lineTo(ring[i]);
        path.closeSubpath();
    }
    return path;
}

constexpr double kTurns[] = {-360.0, 0.0, 360.0};

Continent continentOf(const topojson::Feature &country, const QRectF &bounds)
{
    const QString key = country.id.isEmpty() ? country.name : country.id;
    // France's outline carries French Guiana with it.
    if (kEurope.contains(key) && bounds.right() < -30)
        return Continent::SouthAmerica;
    if (kEurope.contains(key))
        return Continent::Europe;
    if (kAfrica.contains(key))
        return Continent::Africa;
    if (kNorthAmerica.contains(key))
        return Continent::NorthAmerica;
    if (kSouthAmerica.contains(key))
        return Continent::SouthAmerica;
    if (kOceania.contains(key))
        return Continent::Oceania;
    if (kAntarctic.contains(key))
        return Continent::Antarctica;
    return Continent::Asia;
}

// Applies a projection to a path made only of straight segments.
QPainterPath projected(const QPainterPath &path, auto &&project)
{
    QPainterPath out;
    out.setFillRule(path.fillRule());
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF p = project(QPointF(e.x, e.y));
        if (e.isMoveTo())
            out.moveTo(p);
        else
            out.lineTo(p);
    }
    return out;
}

QColor mapColour(Continent c)
{
    switch (c) {
    case Continent::NorthAmerica:
    case Continent::Oceania:
        return QColor(0x4c, 0xb0, 0x4a); // green
    case Continent::SouthAmerica:
    case Continent::Europe:
        return QColor(0xf5, 0xc8, 0x1b); // yellow
    case Continent::Africa:
        return QColor(0xe0, 0x3c, 0x31); // red
    case Continent::Asia:
        return QColor(0x33, 0x6f, 0xd1); // blue
    case Continent::Antarctica:
        break;
    }
    return Qt::white;
}

} // namespace

std::vector<Shape> continentShapes(const std::vector<topojson::Feature> &countries)
{
    std::vector<Shape> shapes;
    for (const topojson::Feature &country : countries) {
        for (const auto &polygon : country.polygons) {
            QPainterPath path = pathOf(polygon);
            if (path.isEmpty())
                continue;
            if (country.id == kRussia) {
                QPainterPath west;
                west.addRect(QRectF(0, -90, kUralsLongitude, 180)); // up to the Urals
                const QPainterPath inEurope = path.intersected(west);
                const QPainterPath inAsia = path.subtracted(west);
                if (!inEurope.isEmpty())
                    shapes.push_back({Continent::Europe, inEurope});
                if (!inAsia.isEmpty())
                    shapes.push_back({Continent::Asia, inAsia});
                continue;
            }
            shapes.push_back({continentOf(country, path.boundingRect()), path});
        }
    }
    return shapes;
}

QImage startupBackground(const std::vector<Shape> &shapes)
{
    // Gall stereographic projection: a cylinder that keeps the continents'
    // shapes recognisable and fits the wide window better than Mercator.
    constexpr double kNorth = 84.0, kSouth = -57.0;
    const QSize size(547, 367);
    auto gall = [](QPointF lonLat) {
        const double lon = lonLat.x() * M_PI / 180, lat = lonLat.y() * M_PI / 180;
        return QPointF(lon / M_SQRT2, -(1 + M_SQRT1_2) * std::tan(lat / 2));
    };
    const QPointF topLeft = gall({-180, kNorth}), bottomRight = gall({180, kSouth});
    const double scale = (size.width() - 6) / (bottomRight.x() - topLeft.x());
    const double height = (bottomRight.y() - topLeft.y()) * scale;
    const QPointF offset(3, (size.height() - height) / 2);
    auto project = [&](QPointF lonLat) {
        return offset + (gall(lonLat) - topLeft) * scale;
    };

    // Drawn four times larger without antialiasing and then reduced: smooth
    // coasts, and no hairline seams between countries of one continent.
    constexpr int kOversample = 4;
    QImage large(size * kOversample, QImage::Format_RGB32);
    large.fill(Qt::white);
    QPainter painter(&large);
    painter.scale(kOversample, kOversample);
    painter.setPen(Qt::NoPen);
    for (const Shape &shape : shapes) {
        if (shape.continent == Continent::Antarctica)
            continue;
        painter.setBrush(mapColour(shape.continent));
        for (double turn : kTurns)
            painter.drawPath(projected(shape.path.translated(turn, 0), project));
    }
    painter.end();
    return large.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

std::vector<QImage> turningEarth(const std::vector<Shape> &shapes, QSize size, int diameter,
                                 int frames)
{
    // A plate carrée raster of the land classes, sampled per pixel by the
    // inverse orthographic projection.
    constexpr int kPerDegree = 10;
    enum : uchar { Ocean, Land, Ice };
    QImage classes(360 * kPerDegree, 180 * kPerDegree, QImage::Format_RGB32);
    classes.fill(qRgb(Ocean, 0, 0));
    {
        QPainter painter(&classes);
        painter.setPen(Qt::NoPen);
        painter.setTransform(QTransform(kPerDegree, 0, 0, -kPerDegree, 180 * kPerDegree,
                                        90 * kPerDegree));
        for (const Shape &shape : shapes) {
            const bool icy = shape.continent == Continent::Antarctica ||
                             shape.path.boundingRect().center().y() > 70; // Greenland and the Arctic isles
            painter.setBrush(QColor(icy ? Ice : Land, 0, 0));
            for (double turn : kTurns)
                painter.drawPath(shape.path.translated(turn, 0));
        }
    }
    auto classAt = [&](double lon, double lat) {
        int x = int(std::floor((lon + 180) * kPerDegree)) % classes.width();
        if (x < 0)
            x += classes.width();
        const int y = std::clamp(int(std::floor((90 - lat) * kPerDegree)), 0, classes.height() - 1);
        return qRed(classes.pixel(x, y));
    };

    struct Rgb {
        double r, g, b;
    };
    const Rgb ocean{0.16, 0.45, 0.82}, land{0.36, 0.66, 0.25}, ice{0.93, 0.95, 0.97};
    const double radius = diameter / 2.0 - 0.5;
    const QPointF centre(diameter / 2.0 + 0.5, size.height() / 2.0);
    const double tilt = 18 * M_PI / 180; // seen from a little north of the equator
    const double lightX = -0.55, lightY = 0.55, lightZ = 0.63;
    constexpr int kSamples = 4; // per side of a pixel, for smooth coasts and rim

    std::vector<QImage> result;
    for (int f = 0; f < frames; ++f) {
        const double centralLon = 20.0 - 360.0 * f / frames; // turns west to east
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        for (int py = 0; py < size.height(); ++py) {
            for (int px = 0; px < size.width(); ++px) {
                double r = 0, g = 0, b = 0;
                int inside = 0;
                for (int sy = 0; sy < kSamples; ++sy) {
                    for (int sx = 0; sx < kSamples; ++sx) {
                        const double u = (px + (sx + 0.5) / kSamples - centre.x()) / radius;
                        const double v = -(py + (sy + 0.5) / kSamples - centre.y()) / radius;
                        const double rho2 = u * u + v * v;
                        if (rho2 > 1)
                            continue;
                        const double z = std::sqrt(1 - rho2);
                        const double lat = std::asin(z * std::sin(tilt) + v * std::cos(tilt));
                        const double lon =
                            centralLon * M_PI / 180 +
                            std::atan2(u, z * std::cos(tilt) - v * std::sin(tilt));
                        const int kind = classAt(lon * 180 / M_PI, lat * 180 / M_PI);
                        const Rgb &base = kind == Ocean ? ocean : kind == Land ? land : ice;
                        const double diffuse =
                            std::max(0.0, u * lightX + v * lightY + z * lightZ);
                        double light = 0.38 + 0.72 * diffuse;
                        const double specular =
                            kind == Ocean ? 0.35 * std::pow(diffuse, 24) : 0.0;
                        r += std::min(1.0, base.r * light + specular);
                        g += std::min(1.0, base.g * light + specular);
                        b += std::min(1.0, base.b * light + specular);
                        ++inside;
                    }
                }
                if (inside * 2 < kSamples * kSamples)
                    continue;
                // Fewer shades per channel keep the GIF compact.
                auto level = [&](double sum) {
                    const int value = int(std::lround(255 * sum / inside));
                    return std::clamp((value + 2) / 4 * 4, 0, 255);
                };
                image.setPixel(px, py, qRgb(level(r), level(g), level(b)));
            }
        }
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0x14, 0x2c, 0x5c), 1.4));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, radius - 0.2, radius - 0.2);
        painter.end();
        result.push_back(image);
    }
    return result;
}

} // namespace worldart
