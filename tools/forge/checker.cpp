#include "checker.h"

#include "mapraster.h"
#include "regionnames.h"

#include "mapdata/coordinatesfile.h"
#include "mapdata/maplayout.h"
#include "platform/units.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QSet>

#include <algorithm>

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

bool WindowFootprint::fits(QSize screen) const
{
    return quiz.width() <= screen.width() && quiz.height() <= screen.height() && study.width() <= screen.width()
        && study.height() <= screen.height();
}

bool WindowFootprint::showsTopRow() const
{
    return quiz.width() >= units::toPixels(mapwindow::kLabel2Left + mapwindow::kLabel2Width);
}

WindowFootprint windowFootprint(QSize picture)
{
    const MapWindowSize client = mapWindowSize(picture);
    const QSize titleBar(0, kTitleBarPixels);
    return WindowFootprint{client.quiz + titleBar, client.study + titleBar};
}

QSize largestPicture(QSize screen)
{
    // A side the others cannot affect: the picture's other side stays small.
    constexpr int kOtherSide = 100;
    int width = screen.width();
    while (width > 0) {
        const WindowFootprint w = windowFootprint(QSize(width, kOtherSide));
        if (std::max(w.quiz.width(), w.study.width()) <= screen.width())
            break;
        --width;
    }
    int height = screen.height();
    while (height > 0) {
        const WindowFootprint w = windowFootprint(QSize(kOtherSide, height));
        if (std::max(w.quiz.height(), w.study.height()) <= screen.height())
            break;
        --height;
    }
    return QSize(width, height);
}

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
        const WindowFootprint window = windowFootprint(picture.size());
        const QString windowSizes = QStringLiteral("quiz %1x%2, study %3x%4")
                                        .arg(window.quiz.width()).arg(window.quiz.height())
                                        .arg(window.study.width()).arg(window.study.height());
        // Too narrow a window hides the quiz's mark but leaves the game
        // playable: a note, not a fault.
        report.windows << QStringLiteral("%1: picture %2x%3; window with title bar: %4%5")
                              .arg(fileName).arg(picture.width()).arg(picture.height()).arg(windowSizes,
                                   window.showsTopRow() ? QString()
                                                        : QStringLiteral("; too narrow for the quiz's counters and mark"));
        if (!window.fits(kSmallestScreen))
            fault(QStringLiteral("the %1x%2 picture makes a window (%3) that does not fit %4x%5")
                      .arg(picture.width()).arg(picture.height()).arg(windowSizes)
                      .arg(kSmallestScreen.width()).arg(kSmallestScreen.height()));

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
        // The forge tints only specks too small to make out, and pieces of a
        // region cut off inside other regions' land; a tinted island (with the
        // sea just beyond its outline) of a visible size is one that no seed's
        // fill reaches.
        constexpr QRgb kTintedIsland = 0xFFFBF1CC;
        constexpr QRgb kSea = 0xFFC6E2F5;
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        const WhiteAreas tinted = labelAreasOfColour(rgb, kTintedIsland);
        std::vector<char> nearSea(tinted.count(), 0);
        for (int y = 0; y < rgb.height(); ++y) {
            for (int x = 0; x < rgb.width(); ++x) {
                const int a = tinted.areaAt(x, y);
                if (a < 0 || nearSea[a] || tinted.size[a] < kLinkedIslandPixels)
                    continue;
                for (int dy = -2; dy <= 2 && !nearSea[a]; ++dy)
                    for (int dx = -2; dx <= 2 && !nearSea[a]; ++dx)
                        if (rgb.rect().contains(x + dx, y + dy)
                            && (rgb.pixel(x + dx, y + dy) | 0xFF000000u) == kSea)
                            nearSea[a] = 1;
            }
        }
        for (int a = 0; a < tinted.count(); ++a) {
            if (nearSea[a])
                fault(QStringLiteral("an island of %1 pixels at (%2,%3) is tinted: no seed's fill reaches it")
                          .arg(tinted.size[a]).arg(tinted.first[a] % tinted.width).arg(tinted.first[a] / tinted.width));
        }
    }
    return report;
}

} // namespace forge
