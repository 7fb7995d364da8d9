// The table of division flags (tables/banderas-subdivisiones.tsv): which
// drawing each community, province, state or division gets, and where that
// drawing lies — in the pinned npm cache or in the repository's own copy of
// freely licensed files (tools/forge/cards/banderas/).
#pragma once

#include "cardsources.h"

#include <QString>

namespace cards::flagtable {

// A `fichero` that begins with this lies in the repository's own copy.
inline constexpr char16_t kOwnPrefix[] = u"banderas/";

// The path of a row's drawing: a `banderas/NAME` file inside ownCopy, any
// other one inside npmCache.
QString resolve(const QString &file, const QString &npmCache, const QString &ownCopy);

// The `fichero` of the row of this kind (comunidad, provincia, estado,
// division) and code, or an empty string. A code names a flag only within its
// kind: the community 05 and the province 05 are different places.
QString lookup(const TsvTable &table, const QString &kind, const QString &code);

// The width to draw a flag at for a given height: the sets drawn on a fixed
// 4:3 field get that field, every other drawing keeps its own proportions (0).
int renderWidth(const QString &file, int fourByThreeWidth);

} // namespace cards::flagtable
