// A teacher's own map from one vector file: the recipe and name table to
// review, the picture, the coordinates file and, per region, a one-sentence
// card and a locator picture. It never overwrites a file it did not make for
// this same map unless told to, and checks the folder when done.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace forge {

struct NewMapOptions {
    QString file;        // any vector file OGR reads (GeoJSON, Shapefile, GeoPackage, KML…)
    QString layer;       // empty: the only layer (a file with several must name one)
    QString nameField;   // the field holding each area's name
    QString title;       // the map's name in the game's catalogue
    QString dataFolder;  // program folder that gets Mapas/, Coordenadas/, textos/ and imagenes/
    QString outFolder;   // where the recipe and the name table go; empty: beside the file
    QString type = QStringLiteral("comarca");  // the Spanish noun for one area, for the name table
    QStringList keep;    // FIELD=VALUE: only areas with that value (values of one field add up)
    QString where;       // an OGR SQL condition on the fields, as ogr2ogr -where takes it
    QStringList skip;    // names of areas to leave out (drawn as land around the map)
    bool overwrite = false;  // replace files that other maps use (--sobrescribir)
    QString worldOutline;    // countries drawn as land around the map; empty: none
};

struct NewMapReport {
    QString error;         // empty on success; in Spanish, naming the file
    QStringList written;   // files written, in order
    QStringList removed;   // files of this map that a rename or a removal left over
    QStringList notes;     // names cleaned up, cards kept: what the teacher should review
    QStringList warnings;  // a map that is hard to read, files overwritten on request
    QStringList checkFaults;  // what `check` finds in the data folder afterwards
    QString checkSummary;
    QString recipePath;
    QString outFolder;
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

// The card's one sentence, from what the file tells: whom the region borders.
// Empty when it borders no other region of the map (the game then says it has
// no text yet). `article` and `plural` come from the name table.
struct CardName {
    QString name;
    QString article;
    bool plural = false;
};
QString neighbourSentence(const CardName &region, const QList<CardName> &neighbours);

NewMapReport makeNewMap(const NewMapOptions &options);

} // namespace forge
