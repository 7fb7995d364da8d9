#include "placement.h"

#include "mapraster.h"
#include "projector.h"
#include "recipe.h"

#include "mapdata/coordinatesfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QSet>

#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace forge {

namespace {

// How far the fault message looks for the region's own area, to say how far
// off a point is.
constexpr int kReportRadius = 60;

using Row = QHash<QString, QString>;

// A tab-separated table: '#' comment lines, a header line, then rows. Empty
// when the file cannot be read.
std::optional<std::vector<Row>> readTable(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::vector<Row> rows;
    QStringList header;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).remove(u'\r');
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList cells = line.split(u'\t');
        if (header.isEmpty()) {
            header = cells;
            continue;
        }
        Row row;
        for (int i = 0; i < header.size(); ++i)
            row.insert(header[i], i < cells.size() ? cells[i] : QString());
        rows.push_back(row);
    }
    return rows;
}

QString findIgnoringCase(const QDir &dir, const QString &name)
{
    for (const QString &n : dir.entryList(QDir::Files)) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(n);
    }
    return QString();
}

// The picture's views as the builder drew them: the main frame, then the
// insets, which win where they cover a place.
struct Views {
    std::vector<std::unique_ptr<Projector>> projectors;
    std::vector<QRect> rects;

    std::optional<QPoint> pixel(double lon, double lat) const
    {
        for (size_t i = projectors.size(); i-- > 0;) {
            const auto p = projectors[i]->point(lon, lat);
            if (!p)
                continue;
            const QPoint px(int(std::floor(p->x())), int(std::floor(p->y())));
            if (rects[i].contains(px))
                return px;
        }
        return std::nullopt;
    }
};

std::optional<Views> viewsOf(const Recipe &recipe, QString *error)
{
    Views v;
    const QRect main(QPoint(0, 0), recipe.size);
    v.projectors.push_back(Projector::create(recipe.projection, recipe.frame, main, error, recipe.fit));
    v.rects.push_back(main);
    for (const Inset &in : recipe.insets) {
        v.projectors.push_back(Projector::create(in.projection, in.frame, in.rect.adjusted(2, 2, -2, -2), error));
        v.rects.push_back(in.rect);
    }
    for (const auto &p : v.projectors) {
        if (!p)
            return std::nullopt;
    }
    return v;
}

// Chebyshev distance from `p` to the nearest pixel of one of `own`'s areas,
// looking no farther than `radius`.
std::optional<int> distanceToAreas(const WhiteAreas &areas, const QSet<int> &own, QPoint p, int radius)
{
    for (int r = 0; r <= radius; ++r) {
        for (int dy = -r; dy <= r; ++dy) {
            const bool edgeRow = dy == -r || dy == r;
            for (int dx = -r; dx <= r; dx += edgeRow ? 1 : 2 * r) {
                if (own.contains(areas.areaAt(p.x() + dx, p.y() + dy)))
                    return r;
                if (r == 0)
                    break;
            }
        }
    }
    return std::nullopt;
}

// Checks one map; `fault` and `note` take a line without the map's name.
template <typename Fault>
int checkMap(const Recipe &recipe, const MapDescription &map, const QImage &picture,
             const std::vector<Row> &manifest, const std::vector<Row> &places,
             const QHash<QString, QString> &exceptions, Fault fault)
{
    QString error;
    const std::optional<Views> views = viewsOf(recipe, &error);
    if (!views) {
        fault(QStringLiteral("cannot project the reference points: %1").arg(error));
        return 0;
    }
    const WhiteAreas areas = labelWhiteAreas(picture);
    QHash<QString, QSet<int>> areasOf;  // region name -> its seeded white areas
    QHash<int, QString> ownerOf;
    for (const RegionRecord &r : map.regions) {
        for (int s = 0; s < RegionRecord::kAreas; ++s) {
            if (!r.hasArea(s))
                continue;
            const int a = areas.areaAt(r.seed(s).x(), r.seed(s).y());
            if (a >= 0) {
                areasOf[r.regionName].insert(a);
                ownerOf.insert(a, r.regionName);
            }
        }
    }
    QHash<QString, const Row *> pointOf;
    for (const Row &p : places)
        pointOf.insert(p.value(QStringLiteral("codigo")), &p);

    int checked = 0;
    for (const Row &region : manifest) {
        const QString name = region.value(QStringLiteral("nombre"));
        const QString code = region.value(QStringLiteral("codigo"));
        const QString where = QStringLiteral("region '%1' (%2)").arg(name, code);
        const bool excepted = exceptions.contains(code);
        const Row *point = pointOf.value(code);
        if (!point) {
            if (!excepted)
                fault(where + QStringLiteral(": no reference point in the places table"));
            continue;
        }
        bool okLon = false, okLat = false;
        const double lon = point->value(QStringLiteral("lon")).toDouble(&okLon);
        const double lat = point->value(QStringLiteral("lat")).toDouble(&okLat);
        const QString what = QStringLiteral("%1 (%2, %3)").arg(point->value(QStringLiteral("punto")),
                                                               point->value(QStringLiteral("lon")),
                                                               point->value(QStringLiteral("lat")));
        if (!okLon || !okLat) {
            fault(where + QStringLiteral(": the reference point %1 is not a longitude and latitude").arg(what));
            continue;
        }
        if (!areasOf.contains(name)) {
            fault(where + QStringLiteral(": not in the coordinates file, or its seeds are not on white pixels"));
            continue;
        }
        ++checked;
        const std::optional<QPoint> px = views->pixel(lon, lat);
        std::optional<int> distance;
        const bool marker = region.value(QStringLiteral("marcador")) == u"si";
        if (px)
            distance = distanceToAreas(areas, areasOf[name], *px,
                                       marker ? kPlacementMarkerTolerancePixels : kPlacementTolerancePixels);
        if (excepted) {
            if (distance)
                fault(where + QStringLiteral(": listed as an exception (%1), but %2 falls in its own area")
                                  .arg(exceptions.value(code), what));
            continue;
        }
        if (distance)
            continue;
        if (!px) {
            fault(where + QStringLiteral(": %1 falls outside the picture").arg(what));
            continue;
        }
        const QString under = ownerOf.value(areas.areaAt(px->x(), px->y()));
        const std::optional<int> far = distanceToAreas(areas, areasOf[name], *px, kReportRadius);
        fault(where + QStringLiteral(": %1 falls at (%2,%3)%4, %5")
                          .arg(what).arg(px->x()).arg(px->y())
                          .arg(under.isEmpty() ? QStringLiteral(" outside every region")
                                               : QStringLiteral(" in region '%1'").arg(under),
                               far ? QStringLiteral("%1 pixels from its own area").arg(*far)
                                   : QStringLiteral("more than %1 pixels from its own area").arg(kReportRadius)));
    }
    return checked;
}

} // namespace

PlacementReport checkPlacement(const QString &dataFolder, const PlacementFolders &folders)
{
    PlacementReport report;
    const QDir data(dataFolder);
    const QDir coordinates(data.filePath(QStringLiteral("Coordenadas")));
    const QDir pictures(data.filePath(QStringLiteral("Mapas")));
    const QDir placesDir(folders.places);

    // Map slug -> (region code or "*" for the whole map -> reason).
    std::map<QString, QHash<QString, QString>> exceptions;
    const QString exceptionsPath = placesDir.filePath(QStringLiteral("excepciones.tsv"));
    if (const auto rows = readTable(exceptionsPath)) {
        for (const Row &r : *rows) {
            const QString reason = r.value(QStringLiteral("motivo")).trimmed();
            if (reason.isEmpty())
                report.faults << QStringLiteral("%1: the exception of %2 %3 gives no reason")
                                     .arg(exceptionsPath, r.value(QStringLiteral("mapa")), r.value(QStringLiteral("codigo")));
            exceptions[r.value(QStringLiteral("mapa"))].insert(r.value(QStringLiteral("codigo")), reason);
        }
    }

    const QDir recipes(folders.recipes);
    for (const QString &recipeName : recipes.entryList({QStringLiteral("*.recipe")}, QDir::Files, QDir::Name)) {
        const RecipeResult loaded = loadRecipe(recipes.filePath(recipeName));
        if (!loaded.recipe)
            continue;  // `build` reports a broken recipe
        const Recipe &recipe = *loaded.recipe;
        const QString coordinatesPath = findIgnoringCase(coordinates, recipe.title);
        if (coordinatesPath.isEmpty())
            continue;
        const QString fileName = QFileInfo(coordinatesPath).fileName();
        auto fault = [&](const QString &what) { report.faults << QStringLiteral("%1: %2").arg(fileName, what); };
        const QString slug = QFileInfo(recipeName).completeBaseName();
        const QHash<QString, QString> &excepted = exceptions[slug];
        if (excepted.contains(QStringLiteral("*"))) {
            report.notes << QStringLiteral("%1: no placement check (%2)").arg(fileName, excepted.value(QStringLiteral("*")));
            continue;
        }

        QFile file(coordinatesPath);
        if (!file.open(QIODevice::ReadOnly))
            continue;  // the main check reports it
        const auto parsed = parseCoordinatesFile(file.readAll(), file.fileName());
        if (!std::holds_alternative<MapDescription>(parsed))
            continue;
        const MapDescription &map = std::get<MapDescription>(parsed);
        const QImage picture(findIgnoringCase(pictures, map.mapPictureFile));
        if (picture.isNull())
            continue;
        if (picture.size() != recipe.size) {
            fault(QStringLiteral("the picture is %1x%2, its recipe draws %3x%4: rebuild it")
                      .arg(picture.width()).arg(picture.height()).arg(recipe.size.width()).arg(recipe.size.height()));
            continue;
        }
        const auto manifest = readTable(QDir(folders.manifests).filePath(slug + QStringLiteral(".tsv")));
        if (!manifest) {
            fault(QStringLiteral("no region manifest %1.tsv in %2").arg(slug, folders.manifests));
            continue;
        }
        const auto places = readTable(placesDir.filePath(slug + QStringLiteral(".tsv")));
        if (!places) {
            fault(QStringLiteral("no table of reference points %1.tsv in %2").arg(slug, folders.places));
            continue;
        }
        const int checked = checkMap(recipe, map, picture, *manifest, *places, excepted, fault);
        report.points += checked;
        report.notes << QStringLiteral("%1: %2 reference points checked, %3 exceptions")
                            .arg(fileName).arg(checked).arg(excepted.size());
    }
    return report;
}

} // namespace forge
