#include "newmap.h"

#include "checker.h"
#include "featureset.h"
#include "mapbuilder.h"
#include "recipe.h"
#include "regionnames.h"

#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <gdal_utils.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace forge {

namespace {

// Room around the data, so that no border runs along the picture's edge.
constexpr double kFrameMargin = 0.04;
// The atlas's own bound on its pictures, inside what the screen allows.
constexpr QSize kAtlasSize{1000, 600};
constexpr QSize kMinimumSize{320, 200};

bool writeBytes(const QString &path, const QByteArray &bytes, NewMapReport &report)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        report.error = QStringLiteral("%1: cannot write").arg(path);
        return false;
    }
    report.written << path;
    return true;
}

QString quoted(const QString &word)
{
    return u'"' + word + u'"';
}

QString number(double v)
{
    return QString::number(v, 'f', 4);
}

// "A", "A y B", "A, B y C".
QString spanishList(QStringList items)
{
    if (items.size() < 2)
        return items.value(0);
    const QString last = items.takeLast();
    return items.join(QStringLiteral(", ")) + QStringLiteral(" y ") + last;
}

struct Source {
    QString path;   // what the recipe reads, in longitude/latitude
    QString layer;
};

// The layer to read, turned into longitude/latitude GeoJSON beside the
// recipe when the file is in projected coordinates (a UTM shapefile).
std::optional<Source> lonLatSource(const NewMapOptions &o, const QString &outFolder, const QString &slug,
                                   NewMapReport &report)
{
    GDALAllRegister();
    std::unique_ptr<GDALDataset> ds(
        GDALDataset::Open(o.file.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!ds) {
        report.error = QStringLiteral("%1: cannot open as vector data").arg(o.file);
        return std::nullopt;
    }
    OGRLayer *layer = o.layer.isEmpty() ? ds->GetLayer(0) : ds->GetLayerByName(o.layer.toUtf8().constData());
    if (!layer) {
        report.error = QStringLiteral("%1: no layer '%2'").arg(o.file, o.layer);
        return std::nullopt;
    }
    OGRFeatureDefn *defn = layer->GetLayerDefn();
    if (defn->GetFieldIndex(o.nameField.toUtf8().constData()) < 0) {
        QStringList fields;
        for (int i = 0; i < defn->GetFieldCount(); ++i)
            fields << QString::fromUtf8(defn->GetFieldDefn(i)->GetNameRef());
        report.error = QStringLiteral("%1: no field '%2'; its fields are: %3")
                           .arg(o.file, o.nameField, fields.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    Source source{o.file, QString::fromUtf8(layer->GetName())};
    const OGRSpatialReference *srs = layer->GetSpatialRef();
    if (!srs || srs->IsGeographic())
        return source;

    const QString converted = QDir(outFolder).filePath(slug + QStringLiteral(".geojson"));
    QDir().mkpath(outFolder);
    QFile::remove(converted);
    const QByteArray layerName = source.layer.toUtf8();
    const QByteArray slugName = slug.toUtf8();
    const char *args[] = {"-f", "GeoJSON", "-t_srs", "EPSG:4326", "-lco", "RFC7946=YES", "-nln",
                          slugName.constData(), layerName.constData(), nullptr};
    GDALVectorTranslateOptions *opts = GDALVectorTranslateOptionsNew(const_cast<char **>(args), nullptr);
    GDALDatasetH input = ds.get();
    int usageError = 0;
    GDALDatasetH out = GDALVectorTranslate(converted.toUtf8().constData(), nullptr, 1, &input, opts, &usageError);
    GDALVectorTranslateOptionsFree(opts);
    if (!out) {
        report.error = QStringLiteral("%1: cannot turn it into longitude and latitude").arg(o.file);
        return std::nullopt;
    }
    GDALClose(out);
    report.written << converted;
    report.notes << QStringLiteral("%1 is in projected coordinates; the recipe reads %2, in longitude and latitude")
                        .arg(o.file, converted);
    return Source{converted, slug};
}

// A first guess for the name table, which the teacher reviews: a leading
// article says it ("Las Vegas"), else a first word in -a is feminine.
std::pair<QString, QString> guessGenderAndNumber(const QString &name)
{
    const QString first = name.section(u' ', 0, 0).toLower();
    if (first == u"los")
        return {QStringLiteral("m"), QStringLiteral("p")};
    if (first == u"las")
        return {QStringLiteral("f"), QStringLiteral("p")};
    if (first == u"la" || first.endsWith(u'a'))
        return {QStringLiteral("f"), QStringLiteral("s")};
    return {QStringLiteral("m"), QStringLiteral("s")};
}

QByteArray cardSkeleton(const QString &name, const QStringList &neighbours)
{
    QString text = QStringLiteral("%1 es … (escribe aquí qué es y de qué lugar forma parte).\n\n"
                                  "Su capital es … (escribe aquí su capital o cabecera).\n\n")
                       .arg(name);
    text += neighbours.isEmpty() ? QStringLiteral("No limita con ningún otro lugar de este mapa.\n")
                                 : QStringLiteral("Limita con %1.\n").arg(spanishList(neighbours));
    text.replace(u'\n', QStringLiteral("\r\n"));
    // The game reads cards as UTF-8 or Windows-1252; names already fit the latter.
    QString unmappable;
    const QByteArray bytes = textfile::encodeWindows1252(text, &unmappable);
    return unmappable.isEmpty() ? bytes : text.toUtf8();
}

} // namespace

QSize fitPictureSize(double extentWidth, double extentHeight, QSize bounds, QSize minimum)
{
    if (!(extentWidth > 0 && extentHeight > 0))
        return bounds;
    const double aspect = extentWidth / extentHeight;
    int w = bounds.width();
    int h = int(std::lround(w / aspect));
    if (h > bounds.height()) {
        h = bounds.height();
        w = int(std::lround(h * aspect));
    }
    return QSize(std::clamp(w, minimum.width(), bounds.width()), std::clamp(h, minimum.height(), bounds.height()));
}

QString cleanRegionName(const QString &name)
{
    QString out;
    for (const QChar c : name) {
        const bool refused = c.unicode() < 0x20 || QStringLiteral("<>:\"/\\|?*,#").contains(c);
        out += refused ? QChar(u' ') : c;
    }
    out = out.simplified();
    while (out.endsWith(u'.'))
        out.chop(1);
    return out.trimmed();
}

QString slugOf(const QString &title)
{
    QString slug;
    for (const QChar c : title.toLower().normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c.unicode() < 0x80 && c.isLetterOrNumber())
            slug += c;
        else if (!slug.isEmpty() && !slug.endsWith(u'-'))
            slug += u'-';
    }
    while (slug.endsWith(u'-'))
        slug.chop(1);
    return slug.isEmpty() ? QStringLiteral("mapa") : slug;
}

NewMapReport makeNewMap(const NewMapOptions &o)
{
    NewMapReport report;
    if (o.title.isEmpty() || regionNameFault(o.title).size() > 0) {
        report.error = QStringLiteral("the title '%1' cannot be a file name: %2")
                           .arg(o.title, o.title.isEmpty() ? QStringLiteral("empty") : regionNameFault(o.title));
        return report;
    }
    const QString slug = slugOf(o.title);
    const QString outFolder = QDir::cleanPath(
        QFileInfo(o.outFolder.isEmpty() ? QFileInfo(o.file).absolutePath() : o.outFolder).absoluteFilePath());
    const std::optional<Source> source = lonLatSource(o, outFolder, slug, report);
    if (!source)
        return report;

    QString error;
    std::optional<FeatureSet> features = FeatureSet::load(source->path, source->layer, o.nameField, o.nameField, &error);
    if (!features) {
        report.error = error;
        return report;
    }
    if (features->features.empty()) {
        report.error = QStringLiteral("%1: no area has a name in field '%2'").arg(o.file, o.nameField);
        return report;
    }
    if (features->features.size() > 61) {
        report.error = QStringLiteral("%1: %2 named areas; a map holds at most 61 (split the file, or use a coarser field)")
                           .arg(o.file)
                           .arg(features->features.size());
        return report;
    }

    // Names: the raw value is the code the recipe looks up; the cleaned one is what the learner reads.
    std::map<QString, QString> nameOf;
    QSet<QString> seen;
    for (const Feature &f : features->features) {
        if (f.code.contains(u'"') || f.code.contains(u'#') || f.code.contains(u'\t')) {
            report.error = QStringLiteral("%1: the name '%2' has a \", # or tab; change it in the file").arg(o.file, f.code);
            return report;
        }
        const QString clean = cleanRegionName(f.code);
        const QString fault = regionNameFault(clean);
        if (!fault.isEmpty()) {
            report.error = QStringLiteral("%1: the name '%2': %3").arg(o.file, f.code, fault);
            return report;
        }
        if (seen.contains(clean.toCaseFolded())) {
            report.error = QStringLiteral("%1: two areas are named '%2'; give them different names").arg(o.file, clean);
            return report;
        }
        seen.insert(clean.toCaseFolded());
        if (clean != f.code)
            report.notes << QStringLiteral("'%1' is written '%2' (a file name cannot hold some characters)").arg(f.code, clean);
        nameOf[f.code] = clean;
    }

    // The frame: the data's extent with a margin; a stereographic projection
    // centred on it keeps a small area's shapes and angles true.
    OGREnvelope all;
    for (const Feature &f : features->features) {
        OGREnvelope e;
        f.geometry->getEnvelope(&e);
        all.Merge(e);
    }
    const double padLon = std::max((all.MaxX - all.MinX) * kFrameMargin, 0.001);
    const double padLat = std::max((all.MaxY - all.MinY) * kFrameMargin, 0.001);
    const GeoBox frame{all.MinX - padLon, std::max(-89.9, all.MinY - padLat), all.MaxX + padLon,
                       std::min(89.9, all.MaxY + padLat)};
    const double lon0 = (frame.lon0 + frame.lon1) / 2;
    const double lat0 = (frame.lat0 + frame.lat1) / 2;
    const QString projection =
        QStringLiteral("+proj=stere +lat_0=%1 +lon_0=%2 +datum=WGS84").arg(number(lat0), number(lon0));

    OGRSpatialReference geographic;
    geographic.SetWellKnownGeogCS("WGS84");
    geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference projected;
    projected.importFromProj4(projection.toUtf8().constData());
    projected.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> ct(OGRCreateCoordinateTransformation(&geographic, &projected));
    double minX = std::numeric_limits<double>::max(), minY = minX, maxX = -minX, maxY = -minX;
    constexpr int kSteps = 16;
    for (int i = 0; i <= kSteps && ct; ++i) {
        for (int j = 0; j <= kSteps; ++j) {
            double x = frame.lon0 + (frame.lon1 - frame.lon0) * i / kSteps;
            double y = frame.lat0 + (frame.lat1 - frame.lat0) * j / kSteps;
            if (!ct->Transform(1, &x, &y))
                continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    report.size = fitPictureSize(maxX - minX, maxY - minY, largestPicture().boundedTo(kAtlasSize), kMinimumSize);

    // The name table, in the atlas's format, for the teacher to review.
    std::vector<QString> codes;
    for (const auto &[code, name] : nameOf)
        codes.push_back(code);
    std::sort(codes.begin(), codes.end(),
              [&](const QString &a, const QString &b) { return collationKey(nameOf[a]) < collationKey(nameOf[b]); });
    QString table = QStringLiteral("# Nombres del mapa \u00AB%1\u00BB, tomados del campo %2 de %3 por mapurix-forge new.\n"
                                   "# Revísalos: \"nombre\" es lo que lee el alumno; genero (m/f), numero (s/p), articulo\n"
                                   "# y tipo sirven para escribir las fichas. \"codigo\" es el nombre en el archivo: no lo cambies.\n"
                                   "codigo\tnombre\tgenero\tnumero\tarticulo\ttipo\n")
                        .arg(o.title, o.nameField, QFileInfo(o.file).fileName());
    for (const QString &code : codes) {
        const QString &name = nameOf[code];
        const auto [gender, grammaticalNumber] = guessGenderAndNumber(name);
        table += QStringList{code, name, gender, grammaticalNumber, QString(), o.type}
                     .join(u'\t')
               + u'\n';
    }

    const QString recipePath = QDir(outFolder).filePath(slug + QStringLiteral(".recipe"));
    QString recipe = QStringLiteral("# \u00AB%1\u00BB, hecho por mapurix-forge new a partir de %2.\n"
                                    "# Tras revisar %3.tsv, rehazlo con mapurix-forge build (véase tools/forge/README.md).\n")
                         .arg(o.title, QFileInfo(o.file).fileName(), slug);
    recipe += QStringLiteral("title = %1\npicture = %2.png\nprompt = Pinta\nsize = %3 %4\n")
                  .arg(o.title, slug)
                  .arg(report.size.width())
                  .arg(report.size.height());
    recipe += QStringLiteral("source = %1 %2\nsource-label = %3\n")
                  .arg(quoted(QDir(outFolder).relativeFilePath(QFileInfo(source->path).absoluteFilePath())), quoted(source->layer),
                       QFileInfo(o.file).fileName());
    recipe += QStringLiteral("code-field = %1\nname-field = %1\nnames = %2.tsv codigo\n").arg(o.nameField, slug);
    recipe += QStringLiteral("projection = %1\nframe = %2 %3 %4 %5\n")
                  .arg(projection, number(frame.lon0), number(frame.lat0), number(frame.lon1), number(frame.lat1));
    for (const QString &code : codes)
        recipe += QStringLiteral("regions = %1\n").arg(quoted(code));

    if (!writeBytes(QDir(outFolder).filePath(slug + QStringLiteral(".tsv")), table.toUtf8(), report)
        || !writeBytes(recipePath, recipe.toUtf8(), report))
        return report;
    report.recipePath = recipePath;

    // Build it exactly as `mapurix-forge build` will rebuild it.
    const RecipeResult parsed = parseRecipe(recipe.toUtf8(), recipePath);
    if (!parsed.recipe) {
        report.error = parsed.error;
        return report;
    }
    const std::optional<BuiltMap> map = buildMap(*parsed.recipe, BuildFolders{outFolder, outFolder}, &error);
    if (!map) {
        report.error = error;
        return report;
    }
    const auto coordinates = coordinatesFileBytes(*parsed.recipe, *map, &error);
    const auto png = coordinates ? pictureBytes(map->picture, &error) : std::nullopt;
    if (!coordinates || !png) {
        report.error = error;
        return report;
    }
    const QDir data(o.dataFolder);
    if (!writeBytes(data.filePath(QStringLiteral("Mapas/") + parsed.recipe->picture), *png, report)
        || !writeBytes(data.filePath(QStringLiteral("Coordenadas/") + o.title), *coordinates, report)
        || !writeBytes(QDir(outFolder).filePath(QStringLiteral("regiones/") + slug + QStringLiteral(".tsv")),
                       manifestBytes(*parsed.recipe, *map), report))
        return report;
    report.regions = int(map->regions.size());

    // A card per region, with its neighbours found from the boundaries; a
    // card the teacher already wrote is kept.
    for (const BuiltRegion &r : map->regions) {
        const Feature *self = features->find(r.code);
        QStringList neighbours;
        for (const BuiltRegion &other : map->regions) {
            const Feature *f = features->find(other.code);
            if (f == self || !self || !f || !self->geometry->Intersects(f->geometry.get()))
                continue;
            // Areas that only meet at a corner are not neighbours.
            const OGRGeometryUniquePtr shared{self->geometry->Intersection(f->geometry.get())};
            if (shared && !shared->IsEmpty() && shared->getDimension() >= 1)
                neighbours << other.name;
        }
        const QString card = data.filePath(QStringLiteral("textos/") + r.name + QStringLiteral(".txt"));
        if (QFileInfo::exists(card)) {
            report.notes << QStringLiteral("%1 exists and was kept").arg(card);
            continue;
        }
        if (!writeBytes(card, cardSkeleton(r.name, neighbours), report))
            return report;
    }
    return report;
}

} // namespace forge
