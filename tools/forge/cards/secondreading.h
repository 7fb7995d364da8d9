// The boundaries read a second time. What the source's geometry says about a
// region's neighbours, area and coast is set against the reviewed tables;
// a difference is never a fact for a card, only a question for a person,
// and the card run fails until a review answers it: the neighbour row's
// note, or a row of tables/segunda-lectura.tsv for an area or a coast.
#pragma once

#include "facttable.h"
#include "neighbourtable.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace cards {

// An area farther than this share from the table's figure is flagged.
constexpr double kAreaTolerance = 0.15;

// What the geometry says about one region.
struct GeometryReading {
    std::optional<QStringList> neighbours; // codes of the same table
    std::optional<QStringList> countries;  // ISO alpha-3 across a land border
    double areaKm2 = -1;                   // negative when not measured
    std::optional<bool> coast;             // reaches the sea
};

struct Disagreement {
    QString table, code;
    QString fact; // "vecinos", "paises", "superficie" or "costa"
    QString detail;
    QString text() const;
};

// The differences between the tables and one region's reading. A neighbour
// row with a note has been reviewed and yields none for neighbours or
// countries.
QList<Disagreement> compareReading(const QString &table, const QString &code, const NeighbourRow *row,
                                   const RegionFacts &facts, const GeometryReading &reading);

// tables/segunda-lectura.tsv: `tabla codigo hecho motivo`, one reviewed
// difference of area or coast a row.
class Reviews {
public:
    bool load(const QString &path, QStringList *errors);
    bool parse(const QString &text, const QString &file, QStringList *errors);
    bool covers(const Disagreement &d) const;
    // Rows that answered nothing in this run: stale once a table is mended.
    QStringList unused() const;

private:
    struct Row {
        QString reason;
        int line = 0;
        mutable bool used = false;
    };
    QHash<QString, Row> rows; // "tabla|codigo|hecho"
    QString file;
};

} // namespace cards
