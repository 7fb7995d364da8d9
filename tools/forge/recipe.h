// A map recipe: one small text file that says how to turn vector data into a
// map of the atlas. Lines are `key = value`; `#` starts a comment.
#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace forge {

// A longitude/latitude box. lon1 may exceed 180 for a box that crosses the
// antimeridian (the Pacific).
struct GeoBox {
    double lon0 = 0;
    double lat0 = 0;
    double lon1 = 0;
    double lat1 = 0;
};

// A file and a layer the recipe reads besides its source.
struct LayerRef {
    QString source;
    QString layer;
};

// Where a feature's polygons go before drawing: all of them, only the parts
// whose inner point lies in a box (Crimea out of Russia's feature), the piece
// inside a lon/lat polygon, cut along its edge (a division newer than the
// data, split off along a border the recipe draws), or the piece that another
// file's layer covers, cut along that layer's own boundary (a municipality
// that moved to another division after the source was made).
struct FeatureMove {
    QString from;
    QString to;
    std::optional<GeoBox> box;
    std::vector<QPointF> cut;
    std::optional<LayerRef> cutBy;
};

// A framed box of the picture that shows another place at its own scale.
struct Inset {
    QRect rect;
    QString projection;
    GeoBox frame;
};

// Extra land drawn under the regions, from another file.
struct ContextLayer {
    QString source;
    QString layer;
    QString codeField = QStringLiteral("id");
    QStringList exclude;
};

struct Recipe {
    QString path;
    QString title;        // catalogue file name in Coordenadas/
    QString picture;      // picture file name in Mapas/
    QString prompt = QStringLiteral("Pinta");
    QSize size{900, 700};
    QString source;
    QString sourceLabel;  // how the manifest names the source
    QString layer;
    QString codeField = QStringLiteral("id");
    QString nameField = QStringLiteral("name");
    QString namesTable;
    QString namesKey;
    QString namesColumn = QStringLiteral("nombre");
    QString projection;
    GeoBox frame;
    // Places that must show, when the frame's corners would waste the picture
    // (a conic or azimuthal view of a continent): lon lat pairs.
    std::vector<QPointF> fit;
    QStringList regions;
    bool allNeighbours = true;
    QStringList neighbours;
    std::vector<ContextLayer> context;
    // A map of water bodies: each region loses what this layer's features
    // cover (the land) and what regions listed before it took.
    std::optional<ContextLayer> water;
    // Lakes drawn as water: every feature of the source and of the context
    // loses what this layer covers.
    std::optional<ContextLayer> lakes;
    std::vector<FeatureMove> moves;
    std::map<QString, QString> renames;
    std::vector<Inset> insets;

    // A source path as the recipe gives it, made a file path: relative to the
    // sources folder `root`, or to the recipe's own folder when it starts
    // with "./" (data the project draws itself).
    QString sourceFile(const QString &root, const QString &file) const;
};

struct RecipeResult {
    std::optional<Recipe> recipe;
    QString error;  // "file:line: what" when recipe is empty
};

RecipeResult parseRecipe(const QByteArray &text, const QString &path);
RecipeResult loadRecipe(const QString &path);

// Splits on blanks, keeping "double quoted" words together.
QStringList splitWords(const QString &text);

} // namespace forge
