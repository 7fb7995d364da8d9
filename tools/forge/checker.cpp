#include "checker.h"

#include "mapraster.h"
#include "regionnames.h"

#include "mapdata/coordinatesfile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QSet>

namespace forge {

namespace {

constexpr int kMaxRegions = 61;

// File names of a folder, lower-cased, because the game finds files
// ignoring letter case.
QSet<QString> lowerCaseNames(const QDir &dir)
{
    QSet<QString> names;
    for (const QString &n : dir.entryList(QDir::Files))
        names.insert(n.toLower());
    return names;
}

QString findIgnoringCase(const QDir &dir, const QString &name)
{
    for (const QString &n : dir.entryList(QDir::Files)) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(n);
    }
    return QString();
}

} // namespace

CheckReport checkDataFolder(const QString &dataFolder)
{
    CheckReport report;
    const QDir data(dataFolder);
    const QDir coordinates(data.filePath(QStringLiteral("Coordenadas")));
    const QDir pictures(data.filePath(QStringLiteral("Mapas")));
    if (!coordinates.exists()) {
        report.faults << QStringLiteral("%1: no Coordenadas folder").arg(dataFolder);
        return report;
    }
    const QSet<QString> texts = lowerCaseNames(QDir(data.filePath(QStringLiteral("textos"))));
    const QSet<QString> images = lowerCaseNames(QDir(data.filePath(QStringLiteral("imagenes"))));
    const QSet<QString> flags = lowerCaseNames(QDir(data.filePath(QStringLiteral("banderas"))));

    for (const QString &fileName : coordinates.entryList(QDir::Files, QDir::Name)) {
        ++report.maps;
        auto fault = [&](const QString &what) { report.faults << QStringLiteral("%1: %2").arg(fileName, what); };
        QFile file(coordinates.filePath(fileName));
        if (!file.open(QIODevice::ReadOnly)) {
            fault(QStringLiteral("cannot be read"));
            continue;
        }
        const auto parsed = parseCoordinatesFile(file.readAll(), file.fileName());
        if (const auto *error = std::get_if<LoadError>(&parsed)) {
            fault(error->message());
            continue;
        }
        const MapDescription &map = std::get<MapDescription>(parsed);
        const int count = int(map.regions.size());
        report.regions += count;
        if (count > kMaxRegions)
            fault(QStringLiteral("%1 regions; the game holds at most %2").arg(count).arg(kMaxRegions));
        if (count == 0)
            fault(QStringLiteral("no regions"));

        QHash<QString, QString> seenNames;
        int withText = 0, withImage = 0, withFlag = 0;
        for (const RegionRecord &r : map.regions) {
            const QString nameFault = regionNameFault(r.regionName);
            if (!nameFault.isEmpty())
                fault(QStringLiteral("region '%1': %2").arg(r.regionName, nameFault));
            const QString folded = r.regionName.toCaseFolded();
            if (seenNames.contains(folded))
                fault(QStringLiteral("region '%1' has the same name as '%2'").arg(r.regionName, seenNames[folded]));
            seenNames.insert(folded, r.regionName);
            withText += texts.contains((r.regionName + QStringLiteral(".txt")).toLower());
            withImage += images.contains((r.regionName + QStringLiteral(".gif")).toLower());
            withFlag += flags.contains((r.regionName + QStringLiteral(".gif")).toLower());
        }
        report.coverage << QStringLiteral("%1: %2 regions; cards: textos %3/%2, imagenes %4/%2, banderas %5/%2")
                               .arg(fileName).arg(count).arg(withText).arg(withImage).arg(withFlag);

        const QString picturePath = findIgnoringCase(pictures, map.mapPictureFile);
        if (picturePath.isEmpty()) {
            fault(QStringLiteral("picture '%1' is not in Mapas").arg(map.mapPictureFile));
            continue;
        }
        const QImage picture(picturePath);
        if (picture.isNull()) {
            fault(QStringLiteral("picture '%1' cannot be loaded").arg(map.mapPictureFile));
            continue;
        }
        const WhiteAreas areas = labelWhiteAreas(picture);
        QHash<int, int> areaRegion;  // white area -> region index that seeds it
        for (int i = 0; i < count; ++i) {
            const RegionRecord &r = map.regions[i];
            for (int s = 0; s < RegionRecord::kAreas; ++s) {
                if (!r.hasArea(s))
                    continue;
                const QPoint p = r.seed(s);
                const QString where = QStringLiteral("region '%1' seed %2 (%3,%4)").arg(r.regionName).arg(s + 1).arg(p.x()).arg(p.y());
                if (p.x() < 0 || p.y() < 0 || p.x() >= picture.width() || p.y() >= picture.height()) {
                    fault(where + QStringLiteral(" lies outside the %1x%2 picture").arg(picture.width()).arg(picture.height()));
                    continue;
                }
                const int area = areas.areaAt(p.x(), p.y());
                if (area < 0) {
                    fault(where + QStringLiteral(" is not on a white pixel"));
                    continue;
                }
                if (areas.size[area] < kMinAreaPixels)
                    fault(where + QStringLiteral(" is in an area of %1 pixels, under %2").arg(areas.size[area]).arg(kMinAreaPixels));
                if (areaRegion.contains(area)) {
                    const int other = areaRegion[area];
                    if (other == i)
                        fault(where + QStringLiteral(" shares its white area with another seed of the region"));
                    else
                        fault(where + QStringLiteral(" shares its white area with region '%1'").arg(map.regions[other].regionName));
                } else {
                    areaRegion.insert(area, i);
                }
            }
        }
    }
    return report;
}

} // namespace forge
