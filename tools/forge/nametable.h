// The Spanish name tables of names/: tab-separated, '#' comment lines first,
// then a header line naming the columns.
#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace forge {

class NameTable {
public:
    static std::optional<NameTable> load(const QString &path, QString *error);

    // The value of column `column` in the row whose column `key` is `code`.
    std::optional<QString> lookup(const QString &key, const QString &code, const QString &column) const;
    const QStringList &header() const { return columns; }

private:
    QStringList columns;
    std::vector<QStringList> rows;
};

} // namespace forge
