// A teacher's own map from one vector file: the recipe and name table to
// review, the picture, the coordinates file and a text card per region.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace forge {

struct NewMapOptions {
    QString file;        // any vector file OGR reads (GeoJSON, Shapefile, GeoPackage, KML…)
    QString layer;       // empty: the first layer
    QString nameField;   // the field holding each area's name
    QString title;       // the map's name in the game's catalogue
    QString dataFolder;  // program folder that gets Mapas/, Coordenadas/ and textos/
    QString outFolder;   // where the recipe and the name table go; empty: beside the file
    QString type = QStringLiteral("comarca");  // the Spanish noun for one area, for the name table
};

struct NewMapReport {
    QString error;         // empty on success
    QStringList written;   // files written, in order
    QStringList notes;     // names cleaned up, cards kept: what the teacher should review
    QString recipePath;
    QSize size;
    int regions = 0;
};

// The largest picture inside `bounds` with the aspect of a projected extent
// `extentWidth` × `extentHeight` (never thinner than `minimum` either way).
QSize fitPictureSize(double extentWidth, double extentHeight, QSize bounds, QSize minimum);

// A file-name-safe form of a region name: characters the game or Windows
// refuse become blanks, runs of blanks one, no trailing dot.
QString cleanRegionName(const QString &name);

// A lower-case ASCII slug of a title, for the recipe and picture file names.
QString slugOf(const QString &title);

NewMapReport makeNewMap(const NewMapOptions &options);

} // namespace forge
