#include "facttable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cards {
namespace {

bool parseNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && *value >= 0;
}

} // namespace

QString readTableText(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = f.errorString();
        return {};
    }
    return QString::fromUtf8(f.readAll());
}

QList<QPair<int, QStringList>> tableLines(const QString &text)
{
    QList<QPair<int, QStringList>> lines;
    int number = 0;
    for (QString line : text.split(u'\n')) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        lines.append({number, line.split(u'\t')});
    }
    return lines;
}

std::optional<QList<QPair<int, QStringList>>> tableRows(const QString &text, const QStringList &header,
                                                       const QString &file, QStringList *errors)
{
    auto lines = tableLines(text);
    auto fault = [&](int line, const QString &what) {
        errors->append(file + u':' + QString::number(line) + QStringLiteral(": ") + what);
    };
    if (lines.isEmpty() || lines.first().second != header) {
        fault(lines.isEmpty() ? 1 : lines.first().first,
              QStringLiteral("the header must be: ") + header.join(QStringLiteral(" | ")));
        return std::nullopt;
    }
    lines.removeFirst();
    QList<QPair<int, QStringList>> rows;
    for (const auto &line : lines) {
        if (line.second.size() == header.size())
            rows.append(line);
        else
            fault(line.first, QStringLiteral("%1 fields, not %2").arg(line.second.size()).arg(header.size()));
    }
    return rows;
}

bool parseFactTable(const QString &text, const QString &file, const QHash<QString, int> &known,
                    QHash<QString, RegionFacts> *into, QStringList *errors)
{
    const QStringList header{QStringLiteral("codigo"), QStringLiteral("hecho"), QStringLiteral("valor"),
                             QStringLiteral("detalle"), QStringLiteral("año"), QStringLiteral("fuente")};
    const qsizetype before = errors->size();
    const auto rows = tableRows(text, header, file, errors);
    if (!rows)
        return false;
    auto fault = [&](int line, const QString &what) {
        errors->append(file + u':' + QString::number(line) + QStringLiteral(": ") + what);
    };
    for (const auto &[n, f] : *rows) {
        const QString &code = f[0], &kind = f[1], &value = f[2], &detail = f[3], &source = f[5];
        if (code.isEmpty() || value.isEmpty()) {
            fault(n, QStringLiteral("a code and a value are needed"));
            continue;
        }
        if (!known.contains(source)) {
            fault(n, QStringLiteral("source \"%1\" is not defined in fuentes/").arg(source));
            continue;
        }
        int year = 0;
        if (!f[4].isEmpty()) {
            bool ok = false;
            year = f[4].toInt(&ok);
            if (!ok || year < 1000 || year > 2026) {
                fault(n, QStringLiteral("year \"%1\" is not a year up to 2026").arg(f[4]));
                continue;
            }
        }
        RegionFacts &r = (*into)[code];
        auto figure = [&](SourcedFigure *to, const QStringList &details) {
            double v = 0;
            if (!parseNumber(value, &v)) {
                fault(n, QStringLiteral("\"%1\" is not a number").arg(value));
                return;
            }
            if (!details.contains(detail)) {
                fault(n, QStringLiteral("%1 takes %2 as its detail").arg(kind, details.join(QStringLiteral(" or "))));
                return;
            }
            if (to->known()) {
                fault(n, QStringLiteral("a second %1 for %2").arg(kind, code));
                return;
            }
            *to = SourcedFigure{v, detail, year, source};
        };
        if (kind == QStringLiteral("superficie")) {
            figure(&r.area, {QStringLiteral("total"), QStringLiteral("tierra")});
        } else if (kind == QStringLiteral("poblacion")) {
            figure(&r.population, {QStringLiteral("censo"), QStringLiteral("estimacion")});
            if (year == 0)
                fault(n, QStringLiteral("a population needs its year"));
        } else if (kind == QStringLiteral("gentilicio")) {
            r.demonym = value;
            r.demonymFeminine = detail;
        } else if (kind == QStringLiteral("ciudad_mayor")) {
            r.largestCity = value;
        } else if (kind == QStringLiteral("punto_alto")) {
            bool ok = false;
            const int metres = detail.toInt(&ok);
            if (!ok || metres < 0 || metres > 9000) {
                fault(n, QStringLiteral("the height \"%1\" is not a whole number of metres").arg(detail));
                continue;
            }
            r.highestPoint = value;
            r.highestMetres = metres;
        } else if (kind == QStringLiteral("rio")) {
            r.river = value;
        } else if (kind == QStringLiteral("lago")) {
            r.lake = value;
        } else if (kind == QStringLiteral("costa")) {
            if (value == QStringLiteral("ninguna"))
                r.noCoast = true;
            else if (detail == QStringLiteral("mar") || detail == QStringLiteral("lago")
                     || detail == QStringLiteral("orilla"))
                r.coasts.append(Coast{value, detail != QStringLiteral("mar")});
            else
                fault(n, QStringLiteral("a coast's detail is \"mar\", \"lago\" or \"orilla\""));
        } else if (kind == QStringLiteral("dato")) {
            r.remarks << value;
        } else if (kind == QStringLiteral("cambio")) {
            r.changes << value;
        } else if (kind == QStringLiteral("tipo")) {
            r.kindNote = value;
        } else if (kind == QStringLiteral("capital_fija")) {
            if (value != QStringLiteral("si") && value != QStringLiteral("no")) {
                fault(n, QStringLiteral("capital_fija is \"si\" or \"no\""));
                continue;
            }
            r.capitalFixed = value == QStringLiteral("si") ? 1 : 0;
        } else if (kind == QStringLiteral("lengua")) {
            r.languages << value;
        } else {
            fault(n, QStringLiteral("unknown kind of fact \"%1\"").arg(kind));
            continue;
        }
        if (!r.sources.contains(source))
            r.sources << source;
    }
    for (auto it = into->begin(); it != into->end(); ++it)
        if (it->noCoast && !it->coasts.isEmpty())
            errors->append(file + QStringLiteral(": %1 has coasts and \"ninguna\"").arg(it.key()));
    return errors->size() == before;
}

bool FactTables::load(const QString &tablesDir, QStringList *errors)
{
    const qsizetype before = errors->size();
    const QDir sourcesDir(QDir(tablesDir).filePath(QStringLiteral("fuentes")));
    for (const QFileInfo &fi : sourcesDir.entryInfoList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        QString error;
        const QString text = readTableText(fi.filePath(), &error);
        if (!error.isEmpty()) {
            errors->append(fi.filePath() + QStringLiteral(": ") + error);
            continue;
        }
        const auto lines = tableLines(text);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QStringList &f = lines.at(i).second;
            const QString where = fi.filePath() + u':' + QString::number(lines.at(i).first) + QStringLiteral(": ");
            if (f.size() != 3 || f[0].isEmpty() || f[1].isEmpty()) {
                errors->append(where + QStringLiteral("a source is: clave, descripcion, enlace"));
                continue;
            }
            const Source s{f[0], f[1], f[2]};
            if (sourceIndex.contains(s.key)) {
                const Source &old = sourceList.at(sourceIndex.value(s.key));
                if (old.description != s.description || old.link != s.link)
                    errors->append(where + QStringLiteral("source \"%1\" is defined twice, differently").arg(s.key));
                continue;
            }
            sourceIndex.insert(s.key, static_cast<int>(sourceList.size()));
            sourceList.append(s);
        }
    }
    const QDir factsDir(QDir(tablesDir).filePath(QStringLiteral("hechos")));
    for (const QFileInfo &fi : factsDir.entryInfoList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        QString error;
        const QString text = readTableText(fi.filePath(), &error);
        if (!error.isEmpty()) {
            errors->append(fi.filePath() + QStringLiteral(": ") + error);
            continue;
        }
        parseFactTable(text, fi.filePath(), sourceIndex, &byTable[fi.completeBaseName()], errors);
    }
    return errors->size() == before;
}

RegionFacts FactTables::facts(const QString &table, const QString &code) const
{
    return byTable.value(table).value(code);
}

Source FactTables::source(const QString &key) const
{
    const int i = sourceIndex.value(key, -1);
    return i < 0 ? Source{} : sourceList.at(i);
}

} // namespace cards
