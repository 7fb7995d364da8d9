#include "secondreading.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace cards {
namespace {

QString reviewKey(const QString &table, const QString &code, const QString &fact)
{
    return table + u'|' + code + u'|' + fact;
}

// "de más: X; de menos: Y" between the table's list and the geometry's.
QString listDifference(const QStringList &table, const QStringList &geometry)
{
    QStringList extra, missing;
    for (const QString &t : table)
        if (!geometry.contains(t))
            extra << t;
    for (const QString &g : geometry)
        if (!table.contains(g))
            missing << g;
    if (extra.isEmpty() && missing.isEmpty())
        return {};
    extra.sort();
    missing.sort();
    QStringList parts;
    if (!extra.isEmpty())
        parts << QStringLiteral("the table has %1, the boundaries do not").arg(extra.join(u' '));
    if (!missing.isEmpty())
        parts << QStringLiteral("the boundaries show %1, the table does not").arg(missing.join(u' '));
    return parts.join(QStringLiteral("; "));
}

} // namespace

QString Disagreement::text() const
{
    return QStringLiteral("%1 %2 %3: %4").arg(table, code, fact, detail);
}

QList<Disagreement> compareReading(const QString &table, const QString &code, const NeighbourRow *row,
                                   const RegionFacts &facts, const GeometryReading &reading)
{
    QList<Disagreement> out;
    if (row && row->note.isEmpty()) {
        if (reading.neighbours) {
            const QString d = listDifference(row->neighbours, *reading.neighbours);
            if (!d.isEmpty())
                out.append({table, code, QStringLiteral("vecinos"), d});
        }
        if (reading.countries) {
            const QString d = listDifference(row->countries, *reading.countries);
            if (!d.isEmpty())
                out.append({table, code, QStringLiteral("paises"), d});
        }
    }
    if (reading.areaKm2 >= 0 && facts.area.known() && facts.area.value > 0) {
        const double share = std::abs(reading.areaKm2 - facts.area.value) / facts.area.value;
        if (share > kAreaTolerance)
            out.append({table, code, QStringLiteral("superficie"),
                        QStringLiteral("the table says %1 km², the boundaries %2 km² (%3 %)")
                            .arg(std::llround(facts.area.value))
                            .arg(std::llround(reading.areaKm2))
                            .arg(std::llround(100 * share))});
    }
    if (reading.coast) {
        const bool seaCoast = std::any_of(facts.coasts.begin(), facts.coasts.end(), [](const Coast &c) { return !c.lake; });
        if (*reading.coast && !seaCoast)
            out.append({table, code, QStringLiteral("costa"),
                        QStringLiteral("the boundaries reach open water, the table gives no sea coast")});
        else if (!*reading.coast && seaCoast)
            out.append({table, code, QStringLiteral("costa"),
                        QStringLiteral("the table gives a sea coast, the boundaries show none")});
    }
    return out;
}

bool Reviews::load(const QString &path, QStringList *errors)
{
    QString error;
    const QString text = readTableText(path, &error);
    if (!error.isEmpty()) {
        errors->append(path + QStringLiteral(": ") + error);
        return false;
    }
    return parse(text, path, errors);
}

bool Reviews::parse(const QString &text, const QString &path, QStringList *errors)
{
    file = path;
    const QStringList header{QStringLiteral("tabla"), QStringLiteral("codigo"), QStringLiteral("hecho"),
                             QStringLiteral("motivo")};
    const qsizetype before = errors->size();
    const auto lines = tableRows(text, header, path, errors);
    if (!lines)
        return false;
    auto fault = [&](int line, const QString &what) {
        errors->append(path + u':' + QString::number(line) + QStringLiteral(": ") + what);
    };
    static const QSet<QString> facts{QStringLiteral("superficie"), QStringLiteral("costa")};
    for (const auto &[n, f] : *lines) {
        if (f[0].isEmpty() || f[1].isEmpty()) {
            fault(n, QStringLiteral("a review is: tabla, codigo, hecho, motivo"));
            continue;
        }
        if (!facts.contains(f[2])) {
            fault(n, QStringLiteral("\"%1\" is reviewed here only for superficie or costa; neighbours are reviewed in "
                                    "their own row's note")
                         .arg(f[2]));
            continue;
        }
        if (f[3].trimmed().isEmpty()) {
            fault(n, QStringLiteral("a review must say why the boundaries are not right"));
            continue;
        }
        const QString key = reviewKey(f[0], f[1], f[2]);
        if (rows.contains(key)) {
            fault(n, QStringLiteral("reviewed twice (line %1)").arg(rows.value(key).line));
            continue;
        }
        rows.insert(key, Row{f[3], n});
    }
    return errors->size() == before;
}

bool Reviews::covers(const Disagreement &d) const
{
    const auto it = rows.constFind(reviewKey(d.table, d.code, d.fact));
    if (it == rows.constEnd())
        return false;
    it->used = true;
    return true;
}

QStringList Reviews::unused() const
{
    QStringList out;
    for (auto it = rows.constBegin(); it != rows.constEnd(); ++it)
        if (!it->used)
            out << file + u':' + QString::number(it->line) + QStringLiteral(": ") + it.key()
                    + QStringLiteral(" answers no difference");
    out.sort();
    return out;
}

} // namespace cards
