// The sourced facts of the regions: one reviewed row a fact in
// tables/hechos/<name table>.tsv, each naming a source defined in
// tables/fuentes/. A card states a figure or a fact only when a row holds it;
// nothing here is measured on the maps.
#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace cards {

struct SourcedFigure {
    double value = -1;     // negative when no row gives it
    QString detail;        // superficie: "total" or "tierra"; poblacion: "censo" or "estimacion"
    int year = 0;
    QString source;        // key into the sources
    bool known() const { return value >= 0; }
};

struct Coast {
    QString water;         // "océano Pacífico", "lago Titicaca", as running text writes it
    bool lake = false;     // a lake's or an estuary's shore ("a orillas de"), not a sea coast
};

struct RegionFacts {
    SourcedFigure area;         // km²
    SourcedFigure population;
    QString demonym, demonymFeminine;
    QString largestCity;        // when it is not the seat
    QString highestPoint;
    int highestMetres = -1;
    QString river, lake;
    QList<Coast> coasts;
    bool noCoast = false;       // a row says it has none
    QStringList remarks;        // "dato": sentences of our own
    QStringList changes;        // "cambio"
    QString kindNote;           // "tipo": what its kind of division means
    QStringList languages;      // "lengua": official and co-official languages
    int capitalFixed = -1;      // "capital_fija": 1 fixed by law, 0 not, -1 not told
    QStringList sources;        // every source key its rows name, in order
};

struct Source {
    QString key, description, link;
};

// All the facts tables and sources of one tables folder.
class FactTables {
public:
    // Reads tables/hechos/*.tsv and tables/fuentes/*.tsv. A malformed row, an
    // unknown kind of fact, a figure that is not a number or a source key
    // that is not defined is an error naming the file and the line.
    bool load(const QString &tablesDir, QStringList *errors);

    // The facts of region `code` of name table `table` ("ecuador", "EC-P");
    // empty facts when no row names it.
    RegionFacts facts(const QString &table, const QString &code) const;
    // The facts that hold for a whole map (code "*").
    RegionFacts mapFacts(const QString &table) const { return facts(table, QStringLiteral("*")); }
    bool hasTable(const QString &table) const { return byTable.contains(table); }
    QStringList tables() const { return byTable.keys(); }
    QStringList codes(const QString &table) const { return byTable.value(table).keys(); }

    const QList<Source> &sources() const { return sourceList; }
    Source source(const QString &key) const;

private:
    QHash<QString, QHash<QString, RegionFacts>> byTable;
    QList<Source> sourceList;
    QHash<QString, int> sourceIndex;
};

// The text of a table file, read as UTF-8; `error` is set when it cannot be read.
QString readTableText(const QString &path, QString *error);
// A table's data lines (comments and blank lines dropped), split at tabs,
// each with its line number for messages.
QList<QPair<int, QStringList>> tableLines(const QString &text);

// A table's rows under its header line, each with its line number. A header
// other than `header` (then nothing is returned) or a row with another
// number of fields is reported in `errors` as "file:line: what"; such rows
// are left out.
std::optional<QList<QPair<int, QStringList>>> tableRows(const QString &text, const QStringList &header,
                                                       const QString &file, QStringList *errors);

// Reads one facts table's text into `into`; exposed for tests. `known`
// holds the defined source keys; errors name `file` and the line.
bool parseFactTable(const QString &text, const QString &file, const QHash<QString, int> &known,
                    QHash<QString, RegionFacts> *into, QStringList *errors);

} // namespace cards
