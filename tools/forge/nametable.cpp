#include "nametable.h"

#include <QFile>

namespace forge {

std::optional<NameTable> NameTable::load(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: cannot read").arg(path);
        return std::nullopt;
    }
    NameTable t;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList cells = line.split(u'\t');
        if (t.columns.isEmpty())
            t.columns = cells;
        else
            t.rows.push_back(cells);
    }
    if (t.columns.isEmpty()) {
        *error = QStringLiteral("%1: no header line").arg(path);
        return std::nullopt;
    }
    return t;
}

std::optional<QString> NameTable::lookup(const QString &key, const QString &code,
                                         const QString &column) const
{
    const qsizetype k = columns.indexOf(key);
    const qsizetype c = columns.indexOf(column);
    if (k < 0 || c < 0)
        return std::nullopt;
    for (const QStringList &row : rows) {
        if (row.size() > std::max(k, c) && row[k] == code)
            return row[c];
    }
    return std::nullopt;
}

} // namespace forge
