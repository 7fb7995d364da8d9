// Arc stitching follows the TopoJSON format: arc i is used forwards, ~i
// backwards, and consecutive arcs of a ring share their joining point.
#include "topojson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace topojson {
namespace {

std::vector<Ring> decodeArcs(const QJsonArray &arcs, const QJsonObject &transform)
{
    const QJsonArray scale = transform.value("scale").toArray();
    const QJsonArray translate = transform.value("translate").toArray();
    const bool quantised = !scale.isEmpty();
    std::vector<Ring> decoded;
    decoded.reserve(size_t(arcs.size()));
    for (const QJsonValue &arcValue : arcs) {
        Ring ring;
        double x = 0, y = 0;
        for (const QJsonValue &pointValue : arcValue.toArray()) {
            const QJsonArray p = pointValue.toArray();
            if (quantised) {
                x += p.at(0).toDouble();
                y += p.at(1).toDouble();
                ring.emplace_back(x * scale.at(0).toDouble() + translate.at(0).toDouble(),
                                  y * scale.at(1).toDouble() + translate.at(1).toDouble());
            } else {
                ring.emplace_back(p.at(0).toDouble(), p.at(1).toDouble());
            }
        }
        decoded.push_back(std::move(ring));
    }
    return decoded;
}

Ring stitch(const QJsonArray &arcIndices, const std::vector<Ring> &arcs)
{
    Ring ring;
    for (const QJsonValue &value : arcIndices) {
        const int index = value.toInt();
        const Ring &arc = arcs.at(size_t(index >= 0 ? index : ~index));
        Ring piece = arc;
        if (index < 0)
            std::reverse(piece.begin(), piece.end());
        ring.insert(ring.end(), piece.begin() + (ring.empty() ? 0 : 1), piece.end());
    }
    return ring;
}

std::vector<Ring> polygon(const QJsonArray &rings, const std::vector<Ring> &arcs)
{
    std::vector<Ring> result;
    for (const QJsonValue &ring : rings)
        result.push_back(stitch(ring.toArray(), arcs));
    return result;
}

} // namespace

std::vector<Feature> readObject(const QString &path, const QString &object, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + ": " + file.errorString();
        return {};
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (document.isNull()) {
        *error = path + ": " + parseError.errorString();
        return {};
    }
    const QJsonObject root = document.object();
    const std::vector<Ring> arcs =
        decodeArcs(root.value("arcs").toArray(), root.value("transform").toObject());
    const QJsonObject collection = root.value("objects").toObject().value(object).toObject();
    if (collection.isEmpty()) {
        *error = path + ": no object " + object;
        return {};
    }
    std::vector<Feature> features;
    for (const QJsonValue &value : collection.value("geometries").toArray()) {
        const QJsonObject geometry = value.toObject();
        Feature feature;
        feature.id = geometry.value("id").toString();
        feature.name = geometry.value("properties").toObject().value("name").toString();
        const QString type = geometry.value("type").toString();
        const QJsonArray parts = geometry.value("arcs").toArray();
        if (type == "Polygon") {
            feature.polygons.push_back(polygon(parts, arcs));
        } else if (type == "MultiPolygon") {
            for (const QJsonValue &part : parts)
                feature.polygons.push_back(polygon(part.toArray(), arcs));
        } else {
            continue;
        }
        features.push_back(std::move(feature));
    }
    return features;
}

} // namespace topojson
