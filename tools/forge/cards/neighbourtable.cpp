#include "neighbourtable.h"

#include "facttable.h"

#include <QDir>
#include <QFileInfo>

namespace cards {

bool parseNeighbourTable(const QString &text, const QString &file, const std::function<bool(const QString &)> &sourceKnown,
                         NeighbourTable *into, QStringList *errors)
{
    const QStringList header{QStringLiteral("codigo"), QStringLiteral("vecinos"), QStringLiteral("paises"),
                             QStringLiteral("fuente"), QStringLiteral("nota")};
    const qsizetype before = errors->size();
    const auto rows = tableRows(text, header, file, errors);
    if (!rows)
        return false;
    auto fault = [&](int line, const QString &what) {
        errors->append(file + u':' + QString::number(line) + QStringLiteral(": ") + what);
    };
    for (const auto &[n, f] : *rows) {
        const QString &code = f[0];
        if (code.isEmpty()) {
            fault(n, QStringLiteral("a row needs a code"));
            continue;
        }
        if (into->contains(code)) {
            fault(n, QStringLiteral("%1 has a row already (line %2)").arg(code).arg(into->value(code).line));
            continue;
        }
        if (!sourceKnown(f[3])) {
            fault(n, QStringLiteral("source \"%1\" is not defined in fuentes/").arg(f[3]));
            continue;
        }
        NeighbourRow row;
        row.neighbours = f[1].split(u' ', Qt::SkipEmptyParts);
        row.countries = f[2].split(u' ', Qt::SkipEmptyParts);
        row.source = f[3];
        row.note = f[4].trimmed();
        row.line = n;
        if (row.neighbours.contains(code)) {
            fault(n, code + QStringLiteral(" lists itself"));
            continue;
        }
        if (row.neighbours.removeDuplicates() || row.countries.removeDuplicates())
            fault(n, code + QStringLiteral(" lists a neighbour twice"));
        for (const QString &c : row.countries)
            if (c.size() != 3 || c != c.toUpper())
                fault(n, QStringLiteral("\"%1\" is no ISO alpha-3 country code").arg(c));
        into->insert(code, row);
    }
    return errors->size() == before;
}

QStringList neighbourTableFaults(const NeighbourTable &table, const QString &file)
{
    QStringList faults;
    QStringList codes = table.keys();
    codes.sort();
    for (const QString &a : codes) {
        const NeighbourRow &row = table.value(a);
        for (const QString &b : row.neighbours) {
            const auto other = table.constFind(b);
            const QString where = file + u':' + QString::number(row.line) + QStringLiteral(": ");
            if (other == table.constEnd())
                faults << where + QStringLiteral("%1 lists %2, which has no row").arg(a, b);
            else if (!other->neighbours.contains(a))
                faults << where + QStringLiteral("%1 lists %2, but %2 does not list %1").arg(a, b);
        }
    }
    return faults;
}

bool NeighbourTables::load(const QString &tablesDir, const std::function<bool(const QString &)> &sourceKnown,
                           QStringList *errors)
{
    const qsizetype before = errors->size();
    const QDir dir(QDir(tablesDir).filePath(QStringLiteral("vecinos")));
    for (const QFileInfo &fi : dir.entryInfoList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        QString error;
        const QString text = readTableText(fi.filePath(), &error);
        if (!error.isEmpty()) {
            errors->append(fi.filePath() + QStringLiteral(": ") + error);
            continue;
        }
        NeighbourTable &t = byTable[fi.completeBaseName()];
        if (parseNeighbourTable(text, fi.filePath(), sourceKnown, &t, errors))
            errors->append(neighbourTableFaults(t, fi.filePath()));
    }
    return errors->size() == before;
}

const NeighbourRow *NeighbourTables::row(const QString &table, const QString &code) const
{
    const auto t = byTable.constFind(table);
    if (t == byTable.constEnd())
        return nullptr;
    const auto r = t->constFind(code);
    return r == t->constEnd() ? nullptr : &*r;
}

const NeighbourTable &NeighbourTables::table(const QString &name) const
{
    static const NeighbourTable none;
    const auto t = byTable.constFind(name);
    return t == byTable.constEnd() ? none : *t;
}

} // namespace cards
