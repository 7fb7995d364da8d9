#include "mapbuilder.h"

#include "featureset.h"
#include "geometry.h"
#include "projector.h"
#include "mapraster.h"
#include "nametable.h"
#include "regionnames.h"

#include "platform/textfile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <map>

namespace forge {

namespace {

struct View {
    std::unique_ptr<Projector> projector;
    QRect rect;     // where the view draws
    bool inset = false;
};

// Areas smaller than this are never covered by another region's marker.
constexpr int kMarkerNeighbourMinPixels = 1500;

QRgb idColour(int regionIndex)
{
    return 0xFF000000u | static_cast<QRgb>(regionIndex + 1);
}

int idOf(QRgb pixel)
{
    return static_cast<int>(pixel & 0x00FFFFFFu) - 1;
}

// Who owns each white area: the region whose polygons cover most of it.
std::vector<int> areaOwners(const WhiteAreas &areas, const QImage &ids)
{
    std::vector<std::map<int, int>> votes(areas.count());
    for (int y = 0; y < areas.height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(ids.constScanLine(y));
        for (int x = 0; x < areas.width; ++x) {
            const int a = areas.label[static_cast<size_t>(y) * areas.width + x];
            const int id = idOf(line[x]);
            if (a >= 0 && id >= 0)
                ++votes[a][id];
        }
    }
    std::vector<int> owner(areas.count(), -1);
    for (int a = 0; a < areas.count(); ++a) {
        int best = 0;
        for (const auto &[id, n] : votes[a]) {
            if (n > best) {
                best = n;
                owner[a] = id;
            }
        }
    }
    return owner;
}

// Ferry lines. A region seeds at most three areas, so every further island
// of a region is tied to one of them by a one-pixel white line through the
// sea, 4-connected like the game's fill: painting the region paints its
// islands and the line between them, as a ferry route would be drawn. The
// line is the shortest way through open water that never touches another
// region's white, so no fill can leak from one region into the next; it
// crosses only the outlines of the region's own islands. Each island joins
// the nearest part already joined, so an archipelago becomes a chain.
void linkIslands(QImage &picture, const QImage &ids, int regionCount)
{
    const WhiteAreas first = labelWhiteAreas(picture);
    std::vector<int> label = first.label;
    const std::vector<int> owner = areaOwners(first, ids);
    const int w = first.width;
    const int h = first.height;
    auto colourAt = [&](int p) {
        return reinterpret_cast<const QRgb *>(picture.constScanLine(p / w))[p % w] | 0xFF000000u;
    };
    auto forEachNeighbour = [&](int p, auto &&f) {
        const int x = p % w;
        if (x > 0)
            f(p - 1);
        if (x + 1 < w)
            f(p + 1);
        if (p >= w)
            f(p - w);
        if (p + w < w * h)
            f(p + w);
    };
    std::vector<std::vector<int>> byRegion(regionCount);
    for (int a = 0; a < first.count(); ++a) {
        if (owner[a] >= 0)
            byRegion[owner[a]].push_back(a);
    }
    std::vector<int> from(static_cast<size_t>(w) * h);
    std::vector<int> queue;
    for (int r = 0; r < regionCount; ++r) {
        auto list = byRegion[r];
        std::stable_sort(list.begin(), list.end(), [&](int a, int b) { return first.size[a] > first.size[b]; });
        std::vector<char> joined(first.count(), 0);
        std::vector<char> wanted(first.count(), 0);
        int roots = 0;
        int remaining = 0;
        for (int a : list) {
            if (roots < kMaxAreasPerRegion && first.size[a] >= kMinAreaPixels) {
                joined[a] = 1;
                ++roots;
            } else if (first.size[a] >= kLinkedIslandPixels) {
                wanted[a] = 1;
                ++remaining;
            }
        }
        if (roots == 0 || remaining == 0)
            continue;
        auto ownWhite = [&](int q) { return label[q] >= 0 && owner[label[q]] == r; };
        auto passable = [&](int q) {
            const QRgb c = colourAt(q);
            bool nearOwn = false;
            bool nearOther = false;
            forEachNeighbour(q, [&](int n) {
                if (label[n] >= 0) {
                    if (owner[label[n]] == r)
                        nearOwn = true;
                    else
                        nearOther = true;
                }
            });
            if (nearOther)
                return false;
            if (c == colour::sea)
                return true;
            if (c != colour::border && c != colour::coast)
                return false;
            if (nearOwn)
                return true;
            // Outlines of crowded islands run two pixels thick.
            const int x = q % w;
            const int y = q / w;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (x + dx >= 0 && x + dx < w && y + dy >= 0 && y + dy < h && ownWhite(q + dy * w + dx))
                        return true;
            return false;
        };
        while (remaining > 0) {
            std::fill(from.begin(), from.end(), -2);
            queue.clear();
            for (int p = 0; p < w * h; ++p) {
                if (label[p] >= 0 && joined[label[p]]) {
                    from[p] = -1;
                    queue.push_back(p);
                }
            }
            int end = -1;
            int reached = -1;
            for (size_t i = 0; i < queue.size() && end < 0; ++i) {
                const int p = queue[i];
                forEachNeighbour(p, [&](int q) {
                    if (end >= 0 || from[q] != -2)
                        return;
                    if (label[q] >= 0) {
                        if (ownWhite(q) && wanted[label[q]] && !joined[label[q]] && from[p] != -1) {
                            end = p;
                            reached = label[q];
                        }
                        return;
                    }
                    if (!passable(q))
                        return;
                    from[q] = p;
                    queue.push_back(q);
                });
            }
            if (end < 0)
                break; // no way through open water: the island stays tinted and the check reports it
            const int joinedLabel = label[queue.front()];
            for (int p = end; p >= 0 && label[p] < 0; p = from[p]) {
                reinterpret_cast<QRgb *>(picture.scanLine(p / w))[p % w] = colour::region;
                label[p] = joinedLabel;
            }
            // The island and anything of the region the line touched are joined now.
            joined[reached] = 1;
            --remaining;
            for (int p = end; p >= 0 && from[p] >= 0; p = from[p]) {
                forEachNeighbour(p, [&](int n) {
                    if (label[n] >= 0 && wanted[label[n]] && !joined[label[n]]) {
                        joined[label[n]] = 1;
                        --remaining;
                    }
                });
            }
        }
    }
}

// Keeps each region's (up to) three largest areas of a clickable size.
// Finally (after the markers) the further islands are tied to them and every
// white area left over is tinted. Returns the kept areas per region.
struct KeptAreas {
    WhiteAreas areas;
    std::vector<int> owner;
    std::vector<std::vector<int>> byRegion;
};

KeptAreas keepLargestAreas(QImage &picture, const QImage &ids, int regionCount, std::vector<int> *tinted)
{
    if (tinted)
        linkIslands(picture, ids, regionCount);
    WhiteAreas areas = labelWhiteAreas(picture);
    const std::vector<int> owner = areaOwners(areas, ids);
    std::vector<std::vector<int>> byRegion(regionCount);
    for (int a = 0; a < areas.count(); ++a) {
        if (owner[a] >= 0)
            byRegion[owner[a]].push_back(a);
    }
    std::vector<char> keep(areas.count(), 0);
    for (int r = 0; r < regionCount; ++r) {
        auto &list = byRegion[r];
        std::stable_sort(list.begin(), list.end(),
                         [&](int a, int b) { return areas.size[a] > areas.size[b]; });
        std::vector<int> kept;
        for (int a : list) {
            if (int(kept.size()) < kMaxAreasPerRegion && areas.size[a] >= kMinAreaPixels)
                kept.push_back(a);
            else if (tinted)
                ++(*tinted)[r];
        }
        for (int a : kept)
            keep[a] = 1;
        list = kept;
    }
    if (!tinted)
        return KeptAreas{std::move(areas), owner, byRegion};
    for (int y = 0; y < areas.height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < areas.width; ++x) {
            const int a = areas.label[static_cast<size_t>(y) * areas.width + x];
            if (a >= 0 && !keep[a])
                line[x] = colour::extraIsland;
        }
    }
    return KeptAreas{std::move(areas), owner, byRegion};
}

// The centre of the largest 8-connected patch of a region's pixels in the id
// picture, so that the marker of a scattered archipelago (Kiribati) stands on
// one of its islands rather than in the sea between them.
std::optional<QPoint> largestPatchCentre(const QImage &ids, int regionIndex)
{
    const int w = ids.width();
    const int h = ids.height();
    std::vector<char> seen(static_cast<size_t>(w) * h, 0);
    auto mine = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h
               && idOf(reinterpret_cast<const QRgb *>(ids.constScanLine(y))[x]) == regionIndex;
    };
    qint64 bestCount = 0;
    QPoint best;
    std::vector<QPoint> stack;
    for (int y0 = 0; y0 < h; ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (seen[static_cast<size_t>(y0) * w + x0] || !mine(x0, y0))
                continue;
            qint64 count = 0, sx = 0, sy = 0;
            seen[static_cast<size_t>(y0) * w + x0] = 1;
            stack.push_back(QPoint(x0, y0));
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++count;
                sx += p.x();
                sy += p.y();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int x = p.x() + dx, y = p.y() + dy;
                        if (mine(x, y) && !seen[static_cast<size_t>(y) * w + x]) {
                            seen[static_cast<size_t>(y) * w + x] = 1;
                            stack.push_back(QPoint(x, y));
                        }
                    }
                }
            }
            if (count > bestCount) {
                bestCount = count;
                best = QPoint(int(sx / count), int(sy / count));
            }
        }
    }
    if (bestCount == 0)
        return std::nullopt;
    return best;
}

// Candidate marker offsets, nearest first, in a fixed order.
const std::vector<QPoint> &spiral()
{
    static const std::vector<QPoint> offsets = [] {
        std::vector<QPoint> v;
        constexpr int kReach = 60;
        for (int dy = -kReach; dy <= kReach; ++dy)
            for (int dx = -kReach; dx <= kReach; ++dx)
                if (dx * dx + dy * dy <= kReach * kReach)
                    v.emplace_back(dx, dy);
        std::stable_sort(v.begin(), v.end(), [](QPoint a, QPoint b) {
            return a.x() * a.x() + a.y() * a.y() < b.x() * b.x() + b.y() * b.y();
        });
        return v;
    }();
    return offsets;
}

void drawMarker(QImage &picture, QImage &ids, QPoint centre, int regionIndex)
{
    drawDisc(picture, centre, kMarkerRadius, colour::region, colour::border);
    drawDisc(ids, centre, kMarkerRadius, idColour(regionIndex), idColour(regionIndex));
}

} // namespace

std::optional<BuiltMap> buildMap(const Recipe &recipe, const BuildFolders &folders, QString *error)
{
    auto fail = [&](const QString &what) {
        *error = QStringLiteral("%1: %2").arg(recipe.path, what);
        return std::nullopt;
    };

    std::optional<FeatureSet> source = FeatureSet::load(recipe.sourceFile(folders.sources, recipe.source),
                                                        recipe.layer, recipe.codeField,
                                                        recipe.nameField, error);
    if (!source)
        return std::nullopt;
    if (!source->applyMoves(recipe, folders.sources, error))
        return fail(*error);
    if (recipe.water) {
        OGRGeometryUniquePtr land = FeatureSet::loadCover(recipe.sourceFile(folders.sources, recipe.water->source),
                                                          recipe.water->layer, error);
        if (!land)
            return std::nullopt;
        // Regions listed first keep the water they share with later ones
        // (a sea before its ocean), so the water bodies never overlap.
        for (const QString &code : recipe.regions) {
            auto f = std::find_if(source->features.begin(), source->features.end(),
                                  [&](const Feature &x) { return x.code == code; });
            if (f == source->features.end())
                continue;
            OGRGeometryUniquePtr body(f->geometry->Difference(land.get()));
            if (!body)
                return fail(QStringLiteral("cannot take the land out of '%1'").arg(code));
            OGRGeometryUniquePtr grown(land->Union(f->geometry.get()));
            if (grown)
                land = std::move(grown);
            f->geometry = std::move(body);
        }
    }
    std::vector<FeatureSet> context;
    for (const ContextLayer &c : recipe.context) {
        std::optional<FeatureSet> set = FeatureSet::load(recipe.sourceFile(folders.sources, c.source), c.layer,
                                                         c.codeField, recipe.nameField, error);
        if (!set)
            return std::nullopt;
        context.push_back(std::move(*set));
    }
    // Lakes are water on the regions and on the land around them alike, so
    // the sea colour under everything shows through.
    if (recipe.lakes) {
        OGRGeometryUniquePtr lakes = FeatureSet::loadCover(recipe.sourceFile(folders.sources, recipe.lakes->source),
                                                           recipe.lakes->layer, error);
        if (!lakes)
            return std::nullopt;
        if (!source->takeOut(*lakes, error))
            return fail(*error);
        for (FeatureSet &set : context) {
            if (!set.takeOut(*lakes, error))
                return fail(*error);
        }
    }

    std::optional<NameTable> names = NameTable::load(recipe.sourceFile(folders.names, recipe.namesTable), error);
    if (!names)
        return std::nullopt;

    // Regions, named and checked before anything is drawn.
    BuiltMap map;
    std::vector<const Feature *> regionFeatures;
    QSet<QString> seenNames;
    for (const QString &code : recipe.regions) {
        const Feature *f = source->find(code);
        if (!f)
            return fail(QStringLiteral("region code '%1' is not in %2").arg(code, recipe.source));
        QString name;
        if (auto it = recipe.renames.find(code); it != recipe.renames.end())
            name = it->second;
        else if (auto n = names->lookup(recipe.namesKey, code, recipe.namesColumn))
            name = *n;
        else
            return fail(QStringLiteral("no name for code '%1' in %2").arg(code, recipe.namesTable));
        const QString fault = regionNameFault(name);
        if (!fault.isEmpty())
            return fail(QStringLiteral("region name '%1': %2").arg(name, fault));
        if (seenNames.contains(name.toCaseFolded()))
            return fail(QStringLiteral("region name '%1' twice").arg(name));
        seenNames.insert(name.toCaseFolded());
        regionFeatures.push_back(f);
        map.regions.push_back(BuiltRegion{name, code, {}, false, 0});
    }
    if (map.regions.size() > 61)
        return fail(QStringLiteral("%1 regions; the game holds at most 61").arg(map.regions.size()));

    const QSet<QString> regionCodes(recipe.regions.begin(), recipe.regions.end());
    const QSet<QString> neighbourCodes(recipe.neighbours.begin(), recipe.neighbours.end());

    std::vector<View> views;
    {
        View main;
        main.rect = QRect(QPoint(0, 0), recipe.size);
        main.projector = Projector::create(recipe.projection, recipe.frame, main.rect, error, recipe.fit);
        if (!main.projector)
            return fail(*error);
        views.push_back(std::move(main));
    }
    for (const Inset &in : recipe.insets) {
        View v;
        v.rect = in.rect;
        v.inset = true;
        v.projector = Projector::create(in.projection, in.frame, in.rect.adjusted(2, 2, -2, -2), error);
        if (!v.projector)
            return fail(*error);
        views.push_back(std::move(v));
    }

    QImage picture(recipe.size, QImage::Format_RGB32);
    picture.fill(colour::sea);
    QImage ids(recipe.size, QImage::Format_RGB32);
    ids.fill(0xFF000000u);
    {
        QPainter pic(&picture);
        QPainter id(&ids);
        for (QPainter *p : {&pic, &id})
            p->setRenderHint(QPainter::Antialiasing, false);
        const QBrush landBrush(QColor::fromRgb(colour::land));
        const QBrush noRegion(QColor::fromRgb(0xFF000000u));

        for (const View &v : views) {
            const QRect inside = v.inset ? v.rect.adjusted(1, 1, -1, -1) : v.rect;
            pic.setClipRect(inside);
            id.setClipRect(inside);
            pic.fillRect(inside, QColor::fromRgb(colour::sea));
            id.fillRect(inside, QColor::fromRgb(0xFF000000u));
            std::vector<std::pair<QPainterPath, QRgb>> outlines;
            auto drawLand = [&](const Feature &f) {
                const QPainterPath path = v.projector->path(*f.geometry);
                if (path.isEmpty())
                    return;
                pic.fillPath(path, landBrush);
                id.fillPath(path, noRegion);
                outlines.push_back({path, colour::coast});
            };
            for (size_t c = 0; c < context.size(); ++c) {
                for (const Feature &f : context[c].features) {
                    if (!recipe.context[c].exclude.contains(f.code))
                        drawLand(f);
                }
            }
            for (const Feature &f : source->features) {
                if (regionCodes.contains(f.code))
                    continue;
                if (recipe.allNeighbours || neighbourCodes.contains(f.code))
                    drawLand(f);
            }
            std::vector<QPainterPath> paths;
            for (size_t r = 0; r < regionFeatures.size(); ++r) {
                paths.push_back(v.projector->path(*regionFeatures[r]->geometry));
                pic.fillPath(paths.back(), QColor::fromRgb(colour::region));
                id.fillPath(paths.back(), QColor::fromRgb(idColour(int(r))));
            }
            // Outlines go on after every fill, straight into the pixels.
            pic.end();
            for (const auto &[path, c] : outlines)
                strokeOutline(picture, path, c, inside);
            for (const QPainterPath &path : paths)
                strokeOutline(picture, path, colour::border, inside);
            if (v.inset) {
                QPainterPath frame;
                frame.addRect(QRectF(v.rect.adjusted(0, 0, -1, -1)));
                strokeOutline(picture, frame, colour::border, v.rect);
            }
            pic.begin(&picture);
            pic.setRenderHint(QPainter::Antialiasing, false);
        }
    }

    const int regionCount = int(map.regions.size());
    std::vector<int> tinted(regionCount, 0);
    const KeptAreas first = keepLargestAreas(picture, ids, regionCount, nullptr);
    std::vector<char> keptArea(first.areas.count(), 0);
    for (const auto &list : first.byRegion)
        for (int a : list)
            keptArea[a] = 1;
    const std::vector<std::vector<int>> &kept = first.byRegion;

    // Regions too small to click get a marker at their place on the map.
    std::vector<QPoint> markers;
    for (int r = 0; r < regionCount; ++r) {
        if (!kept[r].empty())
            continue;
        std::optional<QPoint> place = largestPatchCentre(ids, r);
        // Too small to cover a single pixel: the inner point of its largest polygon.
        if (!place) {
            if (auto inner = mainPoint(*regionFeatures[r]->geometry)) {
                // Insets first: a place shown in a box is drawn there.
                for (size_t i = views.size(); i-- > 0;) {
                    auto px = views[i].projector->point(inner->getX(), inner->getY());
                    if (px && views[i].rect.contains(px->toPoint())) {
                        place = px->toPoint();
                        break;
                    }
                }
            }
        }
        if (!place)
            return fail(QStringLiteral("region '%1' lies outside the picture").arg(map.regions[r].name));
        const QRect bounds = QRect(QPoint(0, 0), recipe.size).adjusted(kMarkerRadius + 2, kMarkerRadius + 2,
                                                                      -kMarkerRadius - 2, -kMarkerRadius - 2);
        std::optional<QPoint> chosen;
        for (const QPoint off : spiral()) {
            const QPoint c = *place + off;
            if (!bounds.contains(c))
                continue;
            const bool clash = std::any_of(markers.begin(), markers.end(), [&](QPoint m) {
                const QPoint d = m - c;
                return d.x() * d.x() + d.y() * d.y() < (2 * kMarkerRadius + 4) * (2 * kMarkerRadius + 4);
            });
            // A marker may sit on a large neighbour (the Vatican on Italy) but
            // must not eat a small one's only area.
            bool covers = false;
            for (int dy = -kMarkerRadius - 1; dy <= kMarkerRadius + 1 && !covers; ++dy) {
                for (int dx = -kMarkerRadius - 1; dx <= kMarkerRadius + 1 && !covers; ++dx) {
                    const int a = first.areas.areaAt(c.x() + dx, c.y() + dy);
                    covers = a >= 0 && keptArea[a] && first.owner[a] != r
                             && first.areas.size[a] < kMarkerNeighbourMinPixels;
                }
            }
            if (!clash && !covers) {
                chosen = c;
                break;
            }
        }
        if (!chosen)
            return fail(QStringLiteral("no room for the marker of '%1'").arg(map.regions[r].name));
        markers.push_back(*chosen);
        drawMarker(picture, ids, *chosen, r);
        map.regions[r].marker = true;
    }
    keepLargestAreas(picture, ids, regionCount, &tinted);

    const WhiteAreas finalAreas = labelWhiteAreas(picture);
    const std::vector<QPoint> deepest = deepestPoints(finalAreas);
    const std::vector<int> owner = areaOwners(finalAreas, ids);
    std::vector<std::vector<int>> areasOf(regionCount);
    for (int a = 0; a < finalAreas.count(); ++a) {
        if (owner[a] >= 0)
            areasOf[owner[a]].push_back(a);
    }
    for (int r = 0; r < regionCount; ++r) {
        auto &list = areasOf[r];
        std::stable_sort(list.begin(), list.end(),
                         [&](int a, int b) { return finalAreas.size[a] > finalAreas.size[b]; });
        if (list.empty())
            return fail(QStringLiteral("region '%1' has no area left").arg(map.regions[r].name));
        for (int a : list)
            map.regions[r].seeds.push_back(deepest[a]);
        map.regions[r].extraIslands = tinted[r];
    }

    std::stable_sort(map.regions.begin(), map.regions.end(), [](const BuiltRegion &a, const BuiltRegion &b) {
        return collationKey(a.name) < collationKey(b.name);
    });
    map.picture = picture;
    return map;
}

std::optional<QByteArray> coordinatesFileBytes(const Recipe &recipe, const BuiltMap &map, QString *error)
{
    QString text = recipe.picture + QStringLiteral("\r\n") + recipe.prompt + QStringLiteral("\r\n");
    for (const BuiltRegion &r : map.regions) {
        QString line = r.name + u',';
        for (int i = 0; i < kMaxAreasPerRegion; ++i) {
            const QPoint p = i < int(r.seeds.size()) ? r.seeds[i] : QPoint(0, 0);
            line += QStringLiteral("%1,%2,").arg(p.x()).arg(p.y());
        }
        text += line + QStringLiteral("\r\n");
    }
    QString unmappable;
    const QByteArray bytes = textfile::encodeWindows1252(text, &unmappable);
    if (!unmappable.isEmpty()) {
        *error = QStringLiteral("%1: text outside Windows-1252").arg(recipe.path);
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> pictureBytes(const QImage &picture, QString *error)
{
    const QList<QRgb> table = {colour::sea, colour::land, colour::extraIsland, colour::border,
                               colour::coast, colour::region};
    QImage indexed(picture.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const qsizetype i = table.indexOf(in[x] | 0xFF000000u);
            if (i < 0) {
                *error = QStringLiteral("picture has a stray colour %1 at %2,%3")
                             .arg(in[x] & 0xFFFFFF, 6, 16, QChar(u'0')).arg(x).arg(y);
                return std::nullopt;
            }
            out[x] = static_cast<uchar>(i);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(0); // smallest file: PNG quality only sets the zlib effort
    if (!writer.write(indexed)) {
        *error = writer.errorString();
        return std::nullopt;
    }
    return bytes;
}

QByteArray manifestBytes(const Recipe &recipe, const BuiltMap &map)
{
    QString text = QStringLiteral("# Regiones del mapa \u00AB%1\u00BB (%2), escrito por mapurix-forge build.\n"
                                  "# codigo es la clave de la columna \"clave\" en la tabla de nombres \"tabla\".\n")
                       .arg(recipe.title, QFileInfo(recipe.path).fileName());
    text += QStringLiteral("nombre\tcodigo\ttabla\tclave\tmarcador\tfuente\n");
    for (const BuiltRegion &r : map.regions) {
        text += QStringList{r.name, r.code, recipe.namesTable, recipe.namesKey,
                            r.marker ? QStringLiteral("si") : QStringLiteral("no"), recipe.sourceLabel}
                    .join(u'\t')
              + u'\n';
    }
    return text.toUtf8();
}

} // namespace forge
