// Who borders whom: one reviewed row a region in tables/vecinos/<name
// table>.tsv, for every map of divisions (Spain's provinces and communities,
// the United States, each country's divisions). The cards name neighbours
// only from here; the boundaries are read again only to flag rows that
// disagree with them (see secondreading.h).
#pragma once

#include <QHash>
#include <functional>
#include <QString>
#include <QStringList>

namespace cards {

struct NeighbourRow {
    QStringList neighbours; // codes of the same table that touch it by land
    QStringList countries;  // ISO alpha-3 of the countries across a land border
    QString source;         // key into the sources
    QString note;           // why the row departs from what the boundaries show
    int line = 0;
};

using NeighbourTable = QHash<QString, NeighbourRow>;

// Reads one table's text into `into`. A malformed row, a code listed twice,
// an undefined source or a region listing itself is an error naming `file`
// and the line. `sourceKnown` tells whether a source key is defined.
bool parseNeighbourTable(const QString &text, const QString &file, const std::function<bool(const QString &)> &sourceKnown,
                         NeighbourTable *into, QStringList *errors);

// "A lists B, B does not list A", and neighbours that are no row of the
// table: each pair once, named by `file`.
QStringList neighbourTableFaults(const NeighbourTable &table, const QString &file);

class NeighbourTables {
public:
    // Reads every tables/vecinos/*.tsv; false with messages on any fault,
    // including a table that is not symmetric.
    bool load(const QString &tablesDir, const std::function<bool(const QString &)> &sourceKnown, QStringList *errors);
    bool hasTable(const QString &table) const { return byTable.contains(table); }
    // The row of `code`, or null when the table has none.
    const NeighbourRow *row(const QString &table, const QString &code) const;
    QStringList tables() const { return byTable.keys(); }
    const NeighbourTable &table(const QString &name) const;

private:
    QHash<QString, NeighbourTable> byTable;
};

} // namespace cards
