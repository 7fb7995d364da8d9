// Readers for what the cards are made from: the reviewed tables (TSV),
// world-countries' JSON, TopoJSON boundaries (for areas and neighbours)
// and the Spanish names that ICU carries from CLDR.
#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace cards {

// A tab-separated table with '#' comment lines and a header row.
struct TsvTable {
    QStringList header;
    QList<QStringList> rows;

    int column(const QString &name) const { return static_cast<int>(header.indexOf(name)); }
    QString value(const QStringList &row, const QString &name) const;
    // Rows keyed by one column (later rows win).
    QHash<QString, QStringList> indexBy(const QString &name) const;
};

std::optional<TsvTable> readTsv(const QString &path, QString *error);
TsvTable parseTsv(const QString &text);

struct WorldCountry {
    QString cca2, cca3, ccn3;
    QStringList capitals;
    double area = -1;
    QStringList borders;
    QString region, subregion;
    QStringList languages;   // ISO 639-3 codes as the source gives them
    QStringList currencies;  // ISO 4217
    bool landlocked = false;
    bool independent = false;
    QString spanishName;     // the source's own translation, used only to recognise names
};

std::optional<QList<WorldCountry>> readWorldCountries(const QString &path, QString *error);

// One feature of a TopoJSON object: its area on the sphere and the features
// that share a boundary arc with it (land neighbours, not corners).
struct TopoFeature {
    QString id;
    QString name;
    double areaKm2 = 0;
    QStringList neighbours;
};

std::optional<QList<TopoFeature>> readTopoFeatures(const QString &path, const QString &object,
                                                   QString *error);

// Area in km² of a ring of lon/lat points on a sphere of the Earth's mean radius.
double sphericalRingArea(const QList<QPointF> &lonLat);

// Spanish names from ICU (CLDR).
namespace icu_es {
QString country(const QString &alpha2);
// Empty when ICU has no Spanish name for the code (it would echo the code).
QString language(const QString &code);
QString currency(const QString &code);
// Sorts as a Spanish dictionary does (accents after plain letters).
void sortSpanish(QStringList &names);
} // namespace icu_es

} // namespace cards
