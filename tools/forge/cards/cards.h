// `mapurix-forge cards`: writes the text, locator picture and flag of every
// region of every map in a data folder (textos/, imagenes/, banderas/).
#pragma once

#include <QList>
#include <QPoint>
#include <QStringList>
#include <optional>

// args are the words after "cards". Returns the process exit code.
int runCardsCommand(const QStringList &args);

namespace cards {

struct MapRegion {
    QString name;
    QList<QPoint> seeds; // one for each area the region has
};

struct AtlasMap {
    QString file;    // coordinates file name
    QString picture; // file in Mapas/
    QList<MapRegion> regions;
};

// Reads a coordinates file with the game's own parser, so that a file the
// game refuses is refused here too rather than turned into cards. On a fault,
// *error names the file, the line and the field.
std::optional<AtlasMap> readCoordinates(const QString &path, QString *error);

} // namespace cards
