// Vector data read through GDAL/OGR: the features of one layer keyed by their
// code, in longitude/latitude.
#pragma once

#include "recipe.h"

#include <QString>

#include <ogr_geometry.h>

#include <optional>
#include <vector>

namespace forge {

struct Feature {
    QString code;  // the code field, or "name:NAME" for a feature without one
    OGRGeometryUniquePtr geometry;  // longitude/latitude
};

class FeatureSet {
public:
    // Features that share a code (an island group stored twice) are merged.
    static std::optional<FeatureSet> load(const QString &path, const QString &layer,
                                          const QString &codeField, const QString &nameField,
                                          QString *error);

    // Everything a layer covers, as one geometry, whatever its fields.
    static OGRGeometryUniquePtr loadCover(const QString &path, const QString &layer, QString *error);

    // Takes what `cover` covers out of every feature (lakes out of the land
    // around them). A feature wholly covered is left empty.
    bool takeOut(const OGRGeometry &cover, QString *error);

    const Feature *find(const QString &code) const;
    // `knife` is what the layer of a `cut-by` move covers; other moves need none.
    bool apply(const FeatureMove &move, QString *error, const OGRGeometry *knife = nullptr);
    // Every move of a recipe, in order, reading the layers `cut-by` names.
    bool applyMoves(const Recipe &recipe, const QString &sourcesRoot, QString *error);

    std::vector<Feature> features;

private:
    Feature *findMutable(const QString &code);
    bool cut(Feature &from, const FeatureMove &move, const OGRGeometry &knife, QString *error);
};

} // namespace forge
