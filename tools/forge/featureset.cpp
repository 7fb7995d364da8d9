#include "featureset.h"

#include "geometry.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <memory>

namespace forge {

namespace {

// Holes smaller than this (in square degrees, about 100 m by 100 m) left by a
// union are gaps between the units merged, not land of another region: units
// from a source whose borders do not quite meet (a province made of its
// municipalities) would otherwise keep them as specks of outline inside.
constexpr double kSliverArea = 1e-6;

OGRGeometryUniquePtr withoutSlivers(OGRGeometryUniquePtr g)
{
    std::vector<const OGRPolygon *> parts;
    collectPolygons(*g, parts);
    bool any = false;
    for (const OGRPolygon *p : parts)
        for (int i = 0; i < p->getNumInteriorRings() && !any; ++i)
            any = std::abs(p->getInteriorRing(i)->get_Area()) < kSliverArea;
    if (!any)
        return g;
    auto multi = std::make_unique<OGRMultiPolygon>();
    for (const OGRPolygon *p : parts) {
        std::unique_ptr<OGRPolygon> kept(p->clone());
        // Ring 0 is the exterior; interior ring i is ring i + 1.
        for (int i = kept->getNumInteriorRings() - 1; i >= 0; --i)
            if (std::abs(kept->getInteriorRing(i)->get_Area()) < kSliverArea)
                kept->removeRing(i + 1);
        multi->addGeometryDirectly(kept.release());
    }
    return OGRGeometryUniquePtr(multi.release());
}

OGRGeometryUniquePtr unionOf(OGRGeometryUniquePtr a, const OGRGeometry &b)
{
    if (!a)
        return OGRGeometryUniquePtr(b.clone());
    OGRGeometryUniquePtr u(a->Union(&b));
    if (u)
        return withoutSlivers(std::move(u));
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

OGRGeometryUniquePtr FeatureSet::loadCover(const QString &path, const QString &layerName, QString *error)
{
    GDALAllRegister();
    std::unique_ptr<GDALDataset> ds(GDALDataset::Open(path.toUtf8().constData(),
                                                      GDAL_OF_VECTOR | GDAL_OF_READONLY));
    OGRLayer *layer = !ds ? nullptr
                    : layerName.isEmpty() ? ds->GetLayer(0)
                                          : ds->GetLayerByName(layerName.toUtf8().constData());
    if (!layer) {
        *error = QStringLiteral("%1: cannot read layer '%2'").arg(path, layerName);
        return nullptr;
    }
    CPLPushErrorHandler(CPLQuietErrorHandler);
    struct PopHandler {
        ~PopHandler() { CPLPopErrorHandler(); }
    } popHandler;
    auto all = std::make_unique<OGRMultiPolygon>();
    layer->ResetReading();
    for (auto &f : *layer) {
        const OGRGeometry *g = f->GetGeometryRef();
        if (!g || g->IsEmpty())
            continue;
        OGRGeometryUniquePtr geometry(g->clone());
        unwrapGeometry(*geometry);
        if (!geometry->IsValid()) {
            if (OGRGeometryUniquePtr repaired{geometry->MakeValid()})
                geometry = std::move(repaired);
        }
        std::vector<const OGRPolygon *> parts;
        collectPolygons(*geometry, parts);
        for (const OGRPolygon *p : parts) {
            all->addGeometry(p);
            // Land made continuous past the antimeridian (Chukotka at 190°)
            // must also cover the water stored at -170°.
            OGREnvelope e;
            p->getEnvelope(&e);
            const double shift = e.MaxX > 180 ? -360 : e.MinX < -180 ? 360 : 0;
            if (shift != 0) {
                OGRGeometryUniquePtr copy(p->clone());
                for (OGRLinearRing *ring : *copy->toPolygon()) {
                    for (int i = 0; i < ring->getNumPoints(); ++i)
                        ring->setPoint(i, ring->getX(i) + shift, ring->getY(i));
                }
                all->addGeometry(copy.get());
            }
        }
    }
    OGRGeometryUniquePtr cover(all->UnionCascaded());
    if (!cover)
        *error = QStringLiteral("%1: its polygons cannot be merged").arg(path);
    return cover;
}

bool FeatureSet::takeOut(const OGRGeometry &cover, QString *error)
{
    OGREnvelope coverBox;
    cover.getEnvelope(&coverBox);
    for (Feature &f : features) {
        if (!f.geometry || f.geometry->IsEmpty())
            continue;
        OGREnvelope box;
        f.geometry->getEnvelope(&box);
        if (!box.Intersects(coverBox) || !f.geometry->Intersects(&cover))
            continue;
        OGRGeometryUniquePtr rest(f.geometry->Difference(&cover));
        if (!rest) {
            *error = QStringLiteral("cannot take the lakes out of '%1'").arg(f.code);
            return false;
        }
        f.geometry = std::move(rest);
    }
    return true;
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

bool FeatureSet::cut(Feature &from, const FeatureMove &move, const OGRGeometry &knife, QString *error)
{
    OGRGeometryUniquePtr inside(from.geometry->Intersection(&knife));
    OGRGeometryUniquePtr outside(from.geometry->Difference(&knife));
    if (!inside || !outside) {
        *error = QStringLiteral("cut: '%1' cannot be cut").arg(move.from);
        return false;
    }
    // Slivers where the knife runs along the feature's own edge are dropped
    // with the lines and points an intersection may give.
    auto polygonsOf = [](const OGRGeometry &g) {
        std::vector<const OGRPolygon *> parts;
        collectPolygons(g, parts);
        auto multi = std::make_unique<OGRMultiPolygon>();
        for (const OGRPolygon *p : parts) {
            if (p->get_Area() > 1e-9)
                multi->addGeometry(p);
        }
        return multi;
    };
    auto moved = polygonsOf(*inside);
    auto kept = polygonsOf(*outside);
    if (move.cutBy && kept->getNumGeometries() > 1) {
        // A unit's own outline never quite follows the source's simplified
        // border: the strips it leaves between itself and its new division
        // come away from the rest of the old one, and go with the unit.
        // The old division's largest part, and islands the cut never
        // reached, stay.
        int largest = 0;
        for (int i = 1; i < kept->getNumGeometries(); ++i) {
            if (kept->getGeometryRef(i)->get_Area() > kept->getGeometryRef(largest)->get_Area())
                largest = i;
        }
        auto stay = std::make_unique<OGRMultiPolygon>();
        for (int i = 0; i < kept->getNumGeometries(); ++i) {
            const OGRPolygon *part = kept->getGeometryRef(i);
            (i != largest && part->Intersects(&knife) ? moved : stay)->addGeometry(part);
        }
        kept = std::move(stay);
    }
    if (moved->IsEmpty()) {
        *error = QStringLiteral("cut: nothing of '%1' lies in the polygon").arg(move.from);
        return false;
    }
    OGRGeometryUniquePtr movedGeometry(moved.release());
    if (kept->IsEmpty())
        features.erase(features.begin() + (&from - features.data()));
    else
        from.geometry.reset(kept.release());
    if (Feature *to = findMutable(move.to))
        to->geometry = unionOf(std::move(to->geometry), *movedGeometry);
    else
        features.push_back(Feature{move.to, std::move(movedGeometry)});
    return true;
}

bool FeatureSet::applyMoves(const Recipe &recipe, const QString &sourcesRoot, QString *error)
{
    for (const FeatureMove &m : recipe.moves) {
        OGRGeometryUniquePtr knife;
        if (m.cutBy) {
            knife = loadCover(recipe.sourceFile(sourcesRoot, m.cutBy->source), m.cutBy->layer, error);
            if (!knife)
                return false;
        }
        if (!apply(m, error, knife.get()))
            return false;
    }
    return true;
}

bool FeatureSet::apply(const FeatureMove &move, QString *error, const OGRGeometry *knife)
{
    Feature *from = findMutable(move.from);
    if (!from) {
        *error = QStringLiteral("move: no feature '%1'").arg(move.from);
        return false;
    }
    if (move.cutBy) {
        if (!knife) {
            *error = QStringLiteral("cut-by: '%1' has no layer to cut along").arg(move.from);
            return false;
        }
        return cut(*from, move, *knife, error);
    }
    if (!move.cut.empty()) {
        OGRLinearRing ring;
        for (const QPointF &p : move.cut)
            ring.addPoint(p.x(), p.y());
        ring.closeRings();
        OGRPolygon polygon;
        polygon.addRing(&ring);
        return cut(*from, move, polygon, error);
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

} // namespace forge
