#include "flagtable.h"

#include <QDir>

namespace cards::flagtable {

QString resolve(const QString &file, const QString &npmCache, const QString &ownCopy)
{
    const QString own = QString::fromUtf16(kOwnPrefix);
    if (file.startsWith(own))
        return QDir(ownCopy).filePath(file.mid(own.size()));
    return QDir(npmCache).filePath(file);
}

QString lookup(const TsvTable &table, const QString &kind, const QString &code)
{
    for (const QStringList &row : table.rows)
        if (table.value(row, QStringLiteral("tipo")) == kind && table.value(row, QStringLiteral("codigo")) == code)
            return table.value(row, QStringLiteral("fichero"));
    return {};
}

int renderWidth(const QString &file, int fourByThreeWidth)
{
    // flag-icons draws every flag on a 4:3 field, which its drawings fill.
    return file.startsWith(QStringLiteral("flag-icons/")) || file.contains(QStringLiteral("/flag-icons/"))
        ? fourByThreeWidth
        : 0;
}

} // namespace cards::flagtable
