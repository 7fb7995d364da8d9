#include "geodata.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogr_api.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace forge {

namespace {

// How far beyond the frame geometry is kept: enough that nothing visible is
// cut, little enough that the far side of the globe never takes part.
constexpr double kVisibleMarginLon = 60;
constexpr double kVisibleMarginLat = 25;

// A point inside the geometry (OGRPolygon::PointOnSurface does not use GEOS
// in this GDAL, the C entry point does).
std::optional<OGRPoint> innerPoint(const OGRGeometry &g)
{
    OGRGeometryH h = OGR_G_PointOnSurface(OGRGeometry::ToHandle(const_cast<OGRGeometry *>(&g)));
    if (!h)
        return std::nullopt;
    OGRPoint p(OGR_G_GetX(h, 0), OGR_G_GetY(h, 0));
    OGR_G_DestroyGeometry(h);
    return p;
}

void collectPolygons(const OGRGeometry &g, std::vector<const OGRPolygon *> &out)
{
    switch (wkbFlatten(g.getGeometryType())) {
    case wkbPolygon:
        out.push_back(g.toPolygon());
        break;
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const OGRGeometry *part : *g.toGeometryCollection())
            collectPolygons(*part, out);
        break;
    default:
        break;
    }
}

OGRGeometryUniquePtr unionOf(OGRGeometryUniquePtr a, const OGRGeometry &b)
{
    if (!a)
        return OGRGeometryUniquePtr(b.clone());
    OGRGeometryUniquePtr u(a->Union(&b));
    if (u)
        return u;
    // A topology fault in the source: keep both without dissolving the border.
    auto multi = std::make_unique<OGRMultiPolygon>();
    std::vector<const OGRPolygon *> parts;
    collectPolygons(*a, parts);
    collectPolygons(b, parts);
    for (const OGRPolygon *p : parts)
        multi->addGeometry(p);
    return OGRGeometryUniquePtr(multi.release());
}

// Rings stored cut at the antimeridian jump from +180 to -180 (Russia's
// Chukotka, Fiji); seen as a plane that edge crosses the whole world. Making
// longitudes continuous (beyond 180 where needed) gives the true shape. A ring
// around a pole does not close that way and is left alone.
void unwrapRing(OGRLinearRing &ring)
{
    const int n = ring.getNumPoints();
    if (n < 2)
        return;
    std::vector<double> lon(n);
    double shift = 0;
    bool jumped = false;
    lon[0] = ring.getX(0);
    for (int i = 1; i < n; ++i) {
        const double step = ring.getX(i) + shift - lon[i - 1];
        if (step > 180) {
            shift -= 360;
            jumped = true;
        } else if (step < -180) {
            shift += 360;
            jumped = true;
        }
        lon[i] = ring.getX(i) + shift;
    }
    if (!jumped || std::abs(lon[n - 1] - lon[0]) > 1e-9)
        return;
    // Keep the ring's bulk where it was stored: shift back when most of it
    // moved beyond the usual range.
    double mean = 0;
    for (double v : lon)
        mean += v;
    mean /= n;
    const double back = mean > 180 ? -360 : mean < -180 ? 360 : 0;
    for (int i = 0; i < n; ++i)
        ring.setPoint(i, lon[i] + back, ring.getY(i));
}

void unwrapGeometry(OGRGeometry &g)
{
    switch (wkbFlatten(g.getGeometryType())) {
    case wkbPolygon:
        for (OGRLinearRing *ring : *g.toPolygon())
            unwrapRing(*ring);
        break;
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (OGRGeometry *part : *g.toGeometryCollection())
            unwrapGeometry(*part);
        break;
    default:
        break;
    }
}

bool inBox(const GeoBox &box, double lon, double lat)
{
    if (lat < box.lat0 || lat > box.lat1)
        return false;
    for (const double l : {lon, lon + 360, lon - 360}) {
        if (l >= box.lon0 && l <= box.lon1)
            return true;
    }
    return false;
}

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

std::optional<FeatureSet> FeatureSet::load(const QString &path, const QString &layerName,
                                           const QString &codeField, const QString &nameField,
                                           QString *error)
{
    GDALAllRegister();
    std::unique_ptr<GDALDataset> ds(GDALDataset::Open(path.toUtf8().constData(),
                                                      GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!ds) {
        *error = QStringLiteral("%1: cannot open as vector data").arg(path);
        return std::nullopt;
    }
    OGRLayer *layer = layerName.isEmpty() ? ds->GetLayer(0) : ds->GetLayerByName(layerName.toUtf8().constData());
    if (!layer) {
        *error = QStringLiteral("%1: no layer '%2'").arg(path, layerName);
        return std::nullopt;
    }
    FeatureSet set;
    // Validity probes report every self-touching ring of Natural Earth; those
    // are repaired below, so the reports are only noise.
    CPLPushErrorHandler(CPLQuietErrorHandler);
    struct PopHandler {
        ~PopHandler() { CPLPopErrorHandler(); }
    } popHandler;
    layer->ResetReading();
    const QByteArray codeName = codeField.toUtf8();
    const QByteArray nameName = nameField.toUtf8();
    for (auto &f : *layer) {
        const OGRGeometry *g = f->GetGeometryRef();
        if (!g || g->IsEmpty())
            continue;
        QString code;
        const int ci = f->GetFieldIndex(codeName.constData());
        if (ci >= 0 && f->IsFieldSetAndNotNull(ci))
            code = QString::fromUtf8(f->GetFieldAsString(ci));
        if (code.isEmpty()) {
            const int ni = f->GetFieldIndex(nameName.constData());
            if (ni >= 0 && f->IsFieldSetAndNotNull(ni))
                code = QStringLiteral("name:") + QString::fromUtf8(f->GetFieldAsString(ni));
        }
        if (code.isEmpty())
            continue;
        OGRGeometryUniquePtr geometry(g->clone());
        unwrapGeometry(*geometry);
        // Natural Earth has a few self-touching rings (Russia's Arctic coast)
        // that GEOS refuses to clip or merge until they are repaired.
        if (!geometry->IsValid()) {
            if (OGRGeometryUniquePtr repaired{geometry->MakeValid()})
                geometry = std::move(repaired);
        }
        if (Feature *existing = set.findMutable(code)) {
            existing->geometry = unionOf(std::move(existing->geometry), *geometry);
        } else {
            set.features.push_back(Feature{code, std::move(geometry)});
        }
    }
    return set;
}

Feature *FeatureSet::findMutable(const QString &code)
{
    for (Feature &f : features) {
        if (f.code == code)
            return &f;
    }
    return nullptr;
}

const Feature *FeatureSet::find(const QString &code) const
{
    return const_cast<FeatureSet *>(this)->findMutable(code);
}

bool FeatureSet::apply(const FeatureMove &move, QString *error)
{
    Feature *from = findMutable(move.from);
    if (!from) {
        *error = QStringLiteral("move: no feature '%1'").arg(move.from);
        return false;
    }
    std::vector<const OGRPolygon *> parts;
    collectPolygons(*from->geometry, parts);
    auto moved = std::make_unique<OGRMultiPolygon>();
    auto kept = std::make_unique<OGRMultiPolygon>();
    for (const OGRPolygon *p : parts) {
        bool take = true;
        if (move.box) {
            const std::optional<OGRPoint> inner = innerPoint(*p);
            take = inner && inBox(*move.box, inner->getX(), inner->getY());
        }
        (take ? moved : kept)->addGeometry(p);
    }
    if (moved->IsEmpty()) {
        *error = QStringLiteral("move: nothing of '%1' lies in the box").arg(move.from);
        return false;
    }
    OGRGeometryUniquePtr movedGeometry(moved.release());
    if (kept->IsEmpty()) {
        features.erase(features.begin() + (from - features.data()));
    } else {
        from->geometry.reset(kept.release());
    }
    if (Feature *to = findMutable(move.to))
        to->geometry = unionOf(std::move(to->geometry), *movedGeometry);
    else
        features.push_back(Feature{move.to, std::move(movedGeometry)});
    return true;
}

std::optional<OGRPoint> mainPoint(const OGRGeometry &geometry)
{
    std::vector<const OGRPolygon *> parts;
    collectPolygons(geometry, parts);
    const OGRPolygon *largest = nullptr;
    double best = -1;
    for (const OGRPolygon *p : parts) {
        const double a = p->get_Area();
        if (a > best) {
            best = a;
            largest = p;
        }
    }
    if (!largest)
        return std::nullopt;
    return innerPoint(*largest);
}

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
