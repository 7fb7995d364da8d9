#include "cardsources.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointF>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/ucurr.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace cards {

QString TsvTable::value(const QStringList &row, const QString &name) const
{
    const int c = column(name);
    return c >= 0 && c < row.size() ? row.at(c) : QString();
}

QHash<QString, QStringList> TsvTable::indexBy(const QString &name) const
{
    QHash<QString, QStringList> out;
    for (const QStringList &row : rows)
        out.insert(value(row, name), row);
    return out;
}

TsvTable parseTsv(const QString &text)
{
    TsvTable table;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString &line : normalised.split(u'\n')) {
        if (line.startsWith(u'#') || line.trimmed().isEmpty())
            continue;
        const QStringList cells = line.split(u'\t');
        if (table.header.isEmpty())
            table.header = cells;
        else
            table.rows << cells;
    }
    return table;
}

std::optional<TsvTable> readTsv(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    return parseTsv(QString::fromUtf8(file.readAll()));
}

namespace {

QStringList stringList(const QJsonValue &v)
{
    QStringList out;
    for (const QJsonValue &x : v.toArray())
        out << x.toString();
    return out;
}

std::optional<QJsonDocument> readJson(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    QJsonParseError parseError;
    QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull()) {
        if (error)
            *error = path + QStringLiteral(": ") + parseError.errorString();
        return std::nullopt;
    }
    return doc;
}

QString fromIcu(const icu::UnicodeString &s)
{
    return QString(reinterpret_cast<const QChar *>(s.getBuffer()), s.length());
}

} // namespace

std::optional<QList<WorldCountry>> readWorldCountries(const QString &path, QString *error)
{
    const auto doc = readJson(path, error);
    if (!doc)
        return std::nullopt;
    QList<WorldCountry> out;
    for (const QJsonValue &v : doc->array()) {
        const QJsonObject o = v.toObject();
        WorldCountry c;
        c.cca2 = o.value(QStringLiteral("cca2")).toString();
        c.cca3 = o.value(QStringLiteral("cca3")).toString();
        c.ccn3 = o.value(QStringLiteral("ccn3")).toString();
        c.capitals = stringList(o.value(QStringLiteral("capital")));
        c.area = o.value(QStringLiteral("area")).toDouble(-1);
        c.borders = stringList(o.value(QStringLiteral("borders")));
        c.region = o.value(QStringLiteral("region")).toString();
        c.subregion = o.value(QStringLiteral("subregion")).toString();
        c.languages = o.value(QStringLiteral("languages")).toObject().keys();
        // keys() sorts; the source's own order carries no meaning either.
        const QJsonValue currencies = o.value(QStringLiteral("currencies"));
        if (currencies.isObject())
            c.currencies = currencies.toObject().keys();
        c.landlocked = o.value(QStringLiteral("landlocked")).toBool();
        c.independent = o.value(QStringLiteral("independent")).toBool();
        c.spanishName = o.value(QStringLiteral("translations")).toObject().value(QStringLiteral("spa")).toObject()
                            .value(QStringLiteral("common")).toString();
        out << c;
    }
    return out;
}

double sphericalRingArea(const QList<QPointF> &p)
{
    constexpr double kEarthRadiusKm = 6371.0088;
    constexpr double kDeg = 3.14159265358979323846 / 180.0;
    double sum = 0;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QPointF &a = p.at(i);
        const QPointF &b = p.at((i + 1) % p.size());
        sum += (b.x() - a.x()) * kDeg * (2 + std::sin(a.y() * kDeg) + std::sin(b.y() * kDeg));
    }
    return std::fabs(sum * kEarthRadiusKm * kEarthRadiusKm / 2);
}

std::optional<QList<TopoFeature>> readTopoFeatures(const QString &path, const QString &object,
                                                   QString *error)
{
    const auto doc = readJson(path, error);
    if (!doc)
        return std::nullopt;
    const QJsonObject topo = doc->object();
    const QJsonObject transform = topo.value(QStringLiteral("transform")).toObject();
    const QJsonArray scale = transform.value(QStringLiteral("scale")).toArray();
    const QJsonArray translate = transform.value(QStringLiteral("translate")).toArray();
    const bool quantized = scale.size() == 2;
    QList<QList<QPointF>> arcs;
    for (const QJsonValue &arcValue : topo.value(QStringLiteral("arcs")).toArray()) {
        QList<QPointF> points;
        double x = 0, y = 0;
        for (const QJsonValue &pv : arcValue.toArray()) {
            const QJsonArray pa = pv.toArray();
            if (quantized) {
                x += pa.at(0).toDouble();
                y += pa.at(1).toDouble();
                points << QPointF(x * scale.at(0).toDouble() + translate.at(0).toDouble(),
                                  y * scale.at(1).toDouble() + translate.at(1).toDouble());
            } else {
                points << QPointF(pa.at(0).toDouble(), pa.at(1).toDouble());
            }
        }
        arcs << points;
    }
    auto ring = [&](const QJsonArray &indices) {
        QList<QPointF> pts;
        for (const QJsonValue &iv : indices) {
            const int i = iv.toInt();
            const int a = i >= 0 ? i : ~i;
            if (a < 0 || a >= arcs.size())
                continue;
            QList<QPointF> part = arcs.at(a);
            if (i < 0)
                std::reverse(part.begin(), part.end());
            pts += pts.isEmpty() ? part : part.mid(1);
        }
        return pts;
    };

    const QJsonObject obj = topo.value(QStringLiteral("objects")).toObject().value(object).toObject();
    if (obj.isEmpty()) {
        if (error)
            *error = path + QStringLiteral(": no object ") + object;
        return std::nullopt;
    }
    QList<TopoFeature> features;
    QList<QSet<int>> arcSets;
    for (const QJsonValue &gv : obj.value(QStringLiteral("geometries")).toArray()) {
        const QJsonObject g = gv.toObject();
        TopoFeature f;
        const QJsonValue id = g.value(QStringLiteral("id"));
        f.id = id.isString() ? id.toString() : QString::number(id.toInt());
        f.name = g.value(QStringLiteral("properties")).toObject().value(QStringLiteral("name")).toString();
        const QString type = g.value(QStringLiteral("type")).toString();
        QJsonArray polygons;
        if (type == QStringLiteral("Polygon"))
            polygons.append(g.value(QStringLiteral("arcs")));
        else if (type == QStringLiteral("MultiPolygon"))
            polygons = g.value(QStringLiteral("arcs")).toArray();
        QSet<int> used;
        for (const QJsonValue &pv : polygons) {
            const QJsonArray rings = pv.toArray();
            for (int r = 0; r < rings.size(); ++r) {
                const QJsonArray indices = rings.at(r).toArray();
                for (const QJsonValue &iv : indices)
                    used.insert(iv.toInt() >= 0 ? iv.toInt() : ~iv.toInt());
                const double a = sphericalRingArea(ring(indices));
                f.areaKm2 += r == 0 ? a : -a; // later rings are holes
            }
        }
        features << f;
        arcSets << used;
    }
    // Two features are neighbours when they share a boundary arc; TopoJSON
    // stores a shared boundary once, so this needs no geometry at all.
    QHash<int, QList<int>> users;
    for (int i = 0; i < arcSets.size(); ++i)
        for (int a : arcSets.at(i))
            users[a] << i;
    for (int i = 0; i < features.size(); ++i) {
        QSet<int> near;
        for (int a : arcSets.at(i))
            for (int j : users.value(a))
                if (j != i)
                    near.insert(j);
        QList<int> sorted(near.begin(), near.end());
        std::sort(sorted.begin(), sorted.end());
        for (int j : sorted)
            features[i].neighbours << features.at(j).id;
    }
    return features;
}

namespace icu_es {

QString country(const QString &alpha2)
{
    icu::UnicodeString s;
    icu::Locale(nullptr, alpha2.toLatin1().constData()).getDisplayCountry(icu::Locale("es"), s);
    const QString name = fromIcu(s);
    return name == alpha2 ? QString() : name;
}

QString language(const QString &code)
{
    icu::Locale locale = icu::Locale::createCanonical(code.toLatin1().constData());
    icu::UnicodeString s;
    locale.getDisplayLanguage(icu::Locale("es"), s);
    const QString name = fromIcu(s);
    if (name == QString::fromLatin1(locale.getLanguage()))
        return {};
    return name;
}

QString currency(const QString &code)
{
    if (code.size() != 3)
        return {};
    UChar iso[4] = {code.at(0).unicode(), code.at(1).unicode(), code.at(2).unicode(), 0};
    UErrorCode status = U_ZERO_ERROR;
    UBool isChoiceFormat = false;
    int32_t length = 0;
    const UChar *name = ucurr_getName(iso, "es", UCURR_LONG_NAME, &isChoiceFormat, &length, &status);
    if (U_FAILURE(status) || !name)
        return {};
    const QString out(reinterpret_cast<const QChar *>(name), length);
    return out == code ? QString() : out;
}

void sortSpanish(QStringList &names)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale("es"), status));
    if (U_FAILURE(status) || !collator) {
        names.sort();
        return;
    }
    std::sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
        UErrorCode s = U_ZERO_ERROR;
        const icu::UnicodeString ua(reinterpret_cast<const UChar *>(a.utf16()), static_cast<int32_t>(a.size()));
        const icu::UnicodeString ub(reinterpret_cast<const UChar *>(b.utf16()), static_cast<int32_t>(b.size()));
        return collator->compare(ua, ub, s) == UCOL_LESS;
    });
}

} // namespace icu_es
} // namespace cards
