#include "divisiongeometry.h"

#include "cardsources.h"
#include "featureset.h"
#include "geometry.h"
#include "recipe.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <vector>

namespace cards {
namespace {

// Two features of one source share their border vertices; a country from
// another data set follows the same border only within a few kilometres.
constexpr double kSameSourceDegrees = 0.002;
constexpr double kOtherSourceDegrees = 0.05;
// Share of the outline that must face the sea before we say it has a coast:
// rivers and slivers between data sets stay below it.
constexpr double kCoastShare = 0.03;
// Enough points of the outline to find every neighbour and the sea.
constexpr int kMaxSamples = 2000;
constexpr double kSampleStepDegrees = 0.05;

double polygonArea(const OGRPolygon &polygon)
{
    double area = 0;
    for (int r = 0; r <= polygon.getNumInteriorRings(); ++r) {
        const OGRLinearRing *ring = r == 0 ? polygon.getExteriorRing() : polygon.getInteriorRing(r - 1);
        if (!ring)
            continue;
        QList<QPointF> points;
        for (int i = 0; i < ring->getNumPoints(); ++i)
            points << QPointF(ring->getX(i), ring->getY(i));
        const double a = sphericalRingArea(points);
        area += r == 0 ? a : -a;
    }
    return area;
}

// A point of the outline and the length of outline it stands for.
struct Sample {
    OGRPoint point;
    double length = 0;
};

// A sample at every vertex, and along long straight borders (a meridian, a
// parallel) every kSampleStepDegrees, so that a short border still gets two.
// Each carries the length it stands for: a border drawn with many vertices (a
// municipality's cadastral outline beside a simplified coast) counts no more
// than its length when the coast's share is weighed.
std::vector<Sample> outlineSamples(const std::vector<const OGRPolygon *> &polygons)
{
    std::vector<Sample> all;
    for (const OGRPolygon *p : polygons) {
        for (int r = 0; r <= p->getNumInteriorRings(); ++r) {
            const OGRLinearRing *ring = r == 0 ? p->getExteriorRing() : p->getInteriorRing(r - 1);
            if (!ring)
                continue;
            for (int i = 0; i + 1 < ring->getNumPoints(); ++i) {
                const double x0 = ring->getX(i), y0 = ring->getY(i);
                const double dx = ring->getX(i + 1) - x0, dy = ring->getY(i + 1) - y0;
                const double length = std::hypot(dx, dy);
                const int steps = std::max(1, static_cast<int>(std::ceil(length / kSampleStepDegrees)));
                for (int k = 0; k < steps; ++k)
                    all.push_back({OGRPoint(x0 + dx * k / steps, y0 + dy * k / steps), length / steps});
            }
        }
    }
    if (static_cast<int>(all.size()) <= kMaxSamples)
        return all;
    // Every step-th sample, standing for the length of those it skips.
    std::vector<Sample> kept;
    const double step = double(all.size()) / kMaxSamples;
    for (int i = 0; i < kMaxSamples; ++i) {
        const size_t from = static_cast<size_t>(i * step);
        const size_t to = std::min(all.size(), static_cast<size_t>((i + 1) * step));
        Sample s = all[from];
        for (size_t j = from + 1; j < to; ++j)
            s.length += all[j].length;
        kept.push_back(s);
    }
    return kept;
}

struct Other {
    QString label;
    const OGRGeometry *geometry;
    OGREnvelope envelope;
    double tolerance;
};

QString countryPrefix(const QString &code)
{
    const qsizetype dash = code.indexOf(u'-');
    return dash == 2 ? code.left(2) : QString();
}

} // namespace

std::optional<QHash<QString, DivisionShape>> measureDivisions(const QString &recipePath, const QString &sourcesRoot,
                                                              const QStringList &codes, QString *error)
{
    const forge::RecipeResult parsed = forge::loadRecipe(recipePath);
    if (!parsed.recipe) {
        *error = parsed.error;
        return std::nullopt;
    }
    const forge::Recipe &recipe = *parsed.recipe;
    auto source = forge::FeatureSet::load(recipe.sourceFile(sourcesRoot, recipe.source), recipe.layer, recipe.codeField,
                                          recipe.nameField, error);
    if (!source)
        return std::nullopt;
    if (!source->applyMoves(recipe, sourcesRoot, error))
        return std::nullopt;
    std::vector<forge::FeatureSet> contexts;
    for (const forge::ContextLayer &c : recipe.context) {
        auto set = forge::FeatureSet::load(recipe.sourceFile(sourcesRoot, c.source), c.layer, c.codeField,
                                           QStringLiteral("name"), error);
        if (!set)
            return std::nullopt;
        contexts.push_back(std::move(*set));
    }

    // A lake is no part of the area of the divisions around it; their coast
    // and neighbours are measured on the whole outline, so a lake shore is
    // never taken for a coast.
    OGRGeometryUniquePtr lakes;
    if (recipe.lakes) {
        lakes = forge::FeatureSet::loadCover(recipe.sourceFile(sourcesRoot, recipe.lakes->source),
                                             recipe.lakes->layer, error);
        if (!lakes)
            return std::nullopt;
    }

    QHash<QString, DivisionShape> out;
    for (const QString &code : codes) {
        const forge::Feature *me = source->find(code);
        if (!me || !me->geometry)
            continue;
        std::vector<const OGRPolygon *> polygons;
        forge::collectPolygons(*me->geometry, polygons);
        DivisionShape shape;
        shape.pieces = static_cast<int>(polygons.size());
        shape.areaKm2 = 0;
        OGRGeometryUniquePtr dry;
        if (lakes && me->geometry->Intersects(lakes.get()))
            dry.reset(me->geometry->Difference(lakes.get()));
        std::vector<const OGRPolygon *> land;
        forge::collectPolygons(dry ? *dry : *me->geometry, land);
        for (const OGRPolygon *p : land)
            shape.areaKm2 += polygonArea(*p);

        OGREnvelope mine;
        me->geometry->getEnvelope(&mine);
        const QString myCountry = countryPrefix(code);
        std::vector<Other> others;
        auto consider = [&](const QString &label, const OGRGeometry *g, double tolerance) {
            if (!g)
                return;
            OGREnvelope e;
            g->getEnvelope(&e);
            if (e.MaxX < mine.MinX - tolerance || e.MinX > mine.MaxX + tolerance || e.MaxY < mine.MinY - tolerance
                || e.MinY > mine.MaxY + tolerance)
                return;
            others.push_back({label, g, e, tolerance});
        };
        for (const forge::Feature &f : source->features) {
            if (f.code == code)
                continue;
            const QString prefix = countryPrefix(f.code);
            const bool foreign = !myCountry.isEmpty() && !prefix.isEmpty() && prefix != myCountry;
            consider(foreign ? QStringLiteral("alpha2:") + prefix : f.code, f.geometry.get(), kSameSourceDegrees);
        }
        // The context is countries: the one this division lies in covers it
        // and says nothing about its borders.
        const std::optional<OGRPoint> inside = forge::mainPoint(*me->geometry);
        for (const forge::FeatureSet &set : contexts) {
            for (const forge::Feature &f : set.features) {
                if (!f.geometry || (inside && f.geometry->Intersects(&*inside)))
                    continue;
                consider(QStringLiteral("context:") + f.code, f.geometry.get(), kOtherSourceDegrees);
            }
        }

        QHash<QString, int> touches;
        int open = 0;
        double openLength = 0;
        double outlineLength = 0;
        const std::vector<Sample> samples = outlineSamples(polygons);
        auto isNear = [](const Other &o, const OGRPoint &p) {
            const double t = o.tolerance;
            if (p.getX() < o.envelope.MinX - t || p.getX() > o.envelope.MaxX + t || p.getY() < o.envelope.MinY - t
                || p.getY() > o.envelope.MaxY + t)
                return false;
            return o.geometry->Distance(&p) <= t;
        };
        for (const Sample &sample : samples) {
            const OGRPoint &p = sample.point;
            outlineLength += sample.length;
            // A point on a border shared with a division of the same source is
            // inland: another data set's country a few kilometres off does not
            // touch it there (Appenzell lies a valley away from Austria).
            bool inland = false;
            for (const Other &o : others) {
                if (o.tolerance == kSameSourceDegrees && isNear(o, p)) {
                    ++touches[o.label];
                    inland = true;
                }
            }
            bool near = inland;
            if (!inland) {
                for (const Other &o : others) {
                    if (o.tolerance != kSameSourceDegrees && isNear(o, p)) {
                        ++touches[o.label];
                        near = true;
                    }
                }
            }
            if (!near) {
                ++open;
                openLength += sample.length;
            }
        }
        // Two points at least, so that a corner is not a border.
        for (auto it = touches.begin(); it != touches.end(); ++it) {
            if (it.value() < 2)
                continue;
            if (it.key().startsWith(QStringLiteral("alpha2:")) || it.key().startsWith(QStringLiteral("context:")))
                shape.foreign << it.key();
            else
                shape.neighbours << it.key();
        }
        shape.neighbours.sort();
        shape.foreign.sort();
        shape.foreign.removeDuplicates();
        shape.coast = open >= 3 && outlineLength > 0 && openLength / outlineLength >= kCoastShare;
        out.insert(code, shape);
    }
    return out;
}

} // namespace cards
