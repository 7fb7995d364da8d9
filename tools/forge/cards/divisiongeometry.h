// What a division card tells from the boundaries a map is drawn from: its
// area, which places touch it by land, and whether it reaches the sea.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace cards {

struct DivisionShape {
    double areaKm2 = -1;
    QStringList neighbours;  // codes of the same source that touch it
    QStringList foreign;     // "alpha2:XX" for a division of another country in the
                             // same source, "context:CODE" for a country of the recipe's context
    bool coast = false;      // part of its outline touches nothing but sea
    int pieces = 0;          // polygons (islands and mainland)
};

// Reads the recipe's source (with its moves) and context layers, relative to
// `sourcesRoot`, and measures every code asked for. Codes missing from the
// source are left out of the result.
std::optional<QHash<QString, DivisionShape>> measureDivisions(const QString &recipePath, const QString &sourcesRoot,
                                                              const QStringList &codes, QString *error);

} // namespace cards
