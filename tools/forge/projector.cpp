#include "projector.h"

#include "geometry.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace forge {

namespace {

// How far beyond the frame geometry is kept: enough that nothing visible is
// cut, little enough that the far side of the globe never takes part.
constexpr double kVisibleMarginLon = 60;
constexpr double kVisibleMarginLat = 25;

OGRGeometryUniquePtr clipToBoxes(const OGRGeometry &g, const GeoBox &visible)
{
    // Longitudes may run beyond ±180 on either side: look one turn each way.
    std::vector<OGREnvelope> boxes;
    for (const double turn : {0.0, -360.0, 360.0}) {
        OGREnvelope e;
        e.MinX = visible.lon0 + turn;
        e.MaxX = visible.lon1 + turn;
        e.MinY = std::max(visible.lat0, -90.0);
        e.MaxY = std::min(visible.lat1, 90.0);
        boxes.push_back(e);
    }

    OGREnvelope env;
    g.getEnvelope(&env);
    OGRGeometryUniquePtr result;
    for (const OGREnvelope &b : boxes) {
        if (!env.Intersects(b))
            continue;
        if (b.Contains(env))
            return OGRGeometryUniquePtr(g.clone());
        OGRLinearRing ring;
        ring.addPoint(b.MinX, b.MinY);
        ring.addPoint(b.MaxX, b.MinY);
        ring.addPoint(b.MaxX, b.MaxY);
        ring.addPoint(b.MinX, b.MaxY);
        ring.addPoint(b.MinX, b.MinY);
        OGRPolygon rect;
        rect.addRing(&ring);
        OGRGeometryUniquePtr piece(g.Intersection(&rect));
        if (!piece || piece->IsEmpty())
            continue;
        if (!result) {
            result = std::move(piece);
        } else {
            auto multi = std::make_unique<OGRMultiPolygon>();
            std::vector<const OGRPolygon *> parts;
            collectPolygons(*result, parts);
            collectPolygons(*piece, parts);
            for (const OGRPolygon *p : parts)
                multi->addGeometry(p);
            result.reset(multi.release());
        }
    }
    return result;
}

} // namespace

Projector::~Projector()
{
    if (transform)
        OGRCoordinateTransformation::DestroyCT(transform);
}

std::unique_ptr<Projector> Projector::create(const QString &projection, const GeoBox &frame,
                                             const QRect &target, QString *error,
                                             const std::vector<QPointF> &fit)
{
    OGRSpatialReference geographic;
    geographic.SetWellKnownGeogCS("WGS84");
    geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference projected;
    if (projected.importFromProj4(projection.toUtf8().constData()) != OGRERR_NONE) {
        *error = QStringLiteral("bad projection '%1'").arg(projection);
        return nullptr;
    }
    projected.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<Projector> p(new Projector);
    p->transform = OGRCreateCoordinateTransformation(&geographic, &projected);
    if (!p->transform) {
        *error = QStringLiteral("no transformation to '%1'").arg(projection);
        return nullptr;
    }
    p->area = target;
    p->visible = GeoBox{frame.lon0 - kVisibleMarginLon, std::max(-90.0, frame.lat0 - kVisibleMarginLat),
                        frame.lon1 + kVisibleMarginLon, std::min(90.0, frame.lat1 + kVisibleMarginLat)};
    // A frame round the whole globe has no far side: geometry is cut at its
    // edges, so that land stored past 180° (Chukotka) is drawn on the other
    // edge instead of across the map.
    // A hair inside, because PROJ may put a point at exactly 180° on either edge.
    if (p->visible.lon1 - p->visible.lon0 > 360) {
        constexpr double kEdge = 1e-6;
        p->visible.lon0 = frame.lon0 + kEdge;
        p->visible.lon1 = std::min(frame.lon1, frame.lon0 + 360) - kEdge;
    }

    // The projected extent of the frame (its edges and a grid inside it) or
    // of the places that must show.
    std::vector<QPointF> samples = fit;
    if (samples.empty()) {
        constexpr int kSteps = 32;
        for (int i = 0; i <= kSteps; ++i)
            for (int j = 0; j <= kSteps; ++j)
                samples.emplace_back(frame.lon0 + (frame.lon1 - frame.lon0) * i / kSteps,
                                     frame.lat0 + (frame.lat1 - frame.lat0) * j / kSteps);
    }
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const QPointF &s : samples) {
        double x = s.x() > 180 ? s.x() - 360 : s.x();
        double y = s.y();
        if (!p->transform->Transform(1, &x, &y))
            continue;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    if (!(maxX > minX && maxY > minY)) {
        *error = QStringLiteral("the frame does not project to an area");
        return nullptr;
    }
    p->scale = std::min(target.width() / (maxX - minX), target.height() / (maxY - minY));
    p->centreX = (minX + maxX) / 2;
    p->centreY = (minY + maxY) / 2;
    return p;
}

QPointF Projector::toPixel(double x, double y) const
{
    return QPointF(area.x() + area.width() / 2.0 + (x - centreX) * scale,
                   area.y() + area.height() / 2.0 - (y - centreY) * scale);
}

std::optional<QPointF> Projector::point(double lon, double lat) const
{
    if (!inBox(visible, lon, lat))
        return std::nullopt;
    double x = lon, y = lat;
    if (!transform->Transform(1, &x, &y))
        return std::nullopt;
    return toPixel(x, y);
}

void Projector::addPolygon(QPainterPath &out, const OGRPolygon &polygon) const
{
    for (const OGRLinearRing *ring : polygon) {
        const int n = ring->getNumPoints();
        if (n < 3)
            continue;
        std::vector<double> xs(n), ys(n);
        std::vector<int> ok(n);
        ring->getPoints(xs.data(), sizeof(double), ys.data(), sizeof(double));
        transform->Transform(static_cast<size_t>(n), xs.data(), ys.data(), nullptr, ok.data());
        bool started = false;
        for (int i = 0; i < n; ++i) {
            if (!ok[i] || !std::isfinite(xs[i]) || !std::isfinite(ys[i]))
                continue;
            const QPointF px = toPixel(xs[i], ys[i]);
            if (!started) {
                out.moveTo(px);
                started = true;
            } else {
                out.lineTo(px);
            }
        }
        if (started)
            out.closeSubpath();
    }
}

void Projector::addGeometry(QPainterPath &out, const OGRGeometry &geometry) const
{
    std::vector<const OGRPolygon *> parts;
    collectPolygons(geometry, parts);
    for (const OGRPolygon *p : parts)
        addPolygon(out, *p);
}

QPainterPath Projector::path(const OGRGeometry &lonLat) const
{
    QPainterPath out;
    out.setFillRule(Qt::OddEvenFill);
    OGRGeometryUniquePtr clipped = clipToBoxes(lonLat, visible);
    if (clipped)
        addGeometry(out, *clipped);
    return out;
}

} // namespace forge
