#include "newmap.h"

#include "checker.h"
#include "featureset.h"
#include "gifwriter.h"
#include "mapbuilder.h"
#include "pictures.h"
#include "recipe.h"
#include "regionnames.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
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
#include <map>
#include <memory>

namespace forge {

namespace {

// Room around the data, so that no border runs along the picture's edge.
constexpr double kFrameMargin = 0.04;
// The atlas's own bound on its pictures, inside what the screen allows.
constexpr QSize kAtlasSize{1000, 600};
constexpr QSize kMinimumSize{320, 200};
constexpr int kMaxRegions = 61;
// Beyond these spans (degrees) the regions of a map turn into specks.
constexpr double kWideLongitude = 90;
constexpr double kWideLatitude = 60;
// Regions covering less of the picture than this are hard to click.
constexpr double kLeastRegionShare = 0.05;

QString q(const QString &s)
{
    return QStringLiteral("\u00AB%1\u00BB").arg(s);
}

QString number(double v)
{
    return QString::number(v, 'f', 4);
}

QString quoted(const QString &word)
{
    return u'"' + word + u'"';
}

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// "A", "A y B", "A, B y C".
QString spanishList(QStringList items)
{
    if (items.size() < 2)
        return items.value(0);
    const QString last = items.takeLast();
    return items.join(QStringLiteral(", ")) + QStringLiteral(" y ") + last;
}

// The file of `dir` named `name` ignoring letter case, as the game finds it;
// its own spelling, or empty.
QString entryIgnoringCase(const QDir &dir, const QString &name)
{
    for (const QString &n : dir.entryList(QDir::Files | QDir::Hidden))
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

// What `new` made for one map: each data file (relative to the data folder)
// with the region code it belongs to and the SHA-256 it had when written, so
// that a later run knows which files are its own and which the teacher edited.
struct Ledger {
    QString title;
    QString data;
    struct Entry {
        QString code;
        QByteArray hash;
    };
    std::map<QString, Entry> files;

    static Ledger read(const QString &path, const QString &title, const QString &data)
    {
        Ledger l;
        const QStringList lines = QString::fromUtf8(readAll(path)).split(u'\n');
        QString fileTitle, fileData;
        for (const QString &line : lines) {
            const QStringList cells = line.split(u'\t');
            if (cells.value(0) == u"mapa")
                fileTitle = cells.value(1);
            else if (cells.value(0) == u"datos")
                fileData = cells.value(1);
            else if (cells.value(0) == u"archivo" && cells.size() == 4)
                l.files[cells[2]] = Entry{cells[1], cells[3].toLatin1()};
        }
        // Files made for another title or another folder are not this map's.
        if (fileTitle != title || fileData != data)
            l.files.clear();
        l.title = title;
        l.data = data;
        return l;
    }

    bool owns(const QString &relative) const { return files.count(relative) > 0; }

    QByteArray bytes() const
    {
        QString text = QStringLiteral("# Archivos que hizo mapurix-forge new para este mapa, con su SHA-256 al\n"
                                      "# escribirlos: los que cambies a mano no se vuelven a escribir. No lo edites.\n");
        text += QStringLiteral("mapa\t%1\ndatos\t%2\n").arg(title, data);
        for (const auto &[path, e] : files)
            text += QStringLiteral("archivo\t%1\t%2\t%3\n").arg(e.code, path, QString::fromLatin1(e.hash));
        return text.toUtf8();
    }
};

// One row of the name table.
struct NameRow {
    QString code;
    QString name;
    QString gender;
    QString number;
    QString article;
    QString type;
    bool fromTeacher = false;  // read from a table already there
};

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

// The rows of a name table the teacher may have edited, by code.
std::map<QString, NameRow> readNameTable(const QString &path)
{
    std::map<QString, NameRow> rows;
    QStringList header;
    for (QString line : QString::fromUtf8(readAll(path)).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList cells = line.split(u'\t');
        if (header.isEmpty()) {
            header = cells;
            continue;
        }
        auto cell = [&](const char *column) { return cells.value(header.indexOf(QLatin1String(column))); };
        NameRow row{cell("codigo"), cell("nombre"), cell("genero"), cell("numero"), cell("articulo"), cell("tipo"), true};
        if (!row.code.isEmpty())
            rows[row.code] = row;
    }
    return rows;
}

struct Scan {
    QString sourcePath;   // what the recipe reads, in longitude/latitude
    QString sourceLayer;
    QStringList codes;    // named areas kept, as the file spells them
    int unnamed = 0;
    QStringList pointsOrLines;
    QStringList filterHints;  // "--keep FIELD=…" suggestions
};

QString sqlQuote(const QString &value)
{
    QString v = value;
    v.replace(u'\'', QStringLiteral("''"));
    return u'\'' + v + u'\'';
}

// The OGR SQL condition that --keep and --where give, or an error.
std::optional<QString> filterCondition(const NewMapOptions &o, OGRFeatureDefn *defn, QStringList fields, QString *error)
{
    std::map<QString, QStringList> byField;
    for (const QString &k : o.keep) {
        const qsizetype eq = k.indexOf(u'=');
        if (eq <= 0) {
            *error = QStringLiteral("--keep %1: escríbelo CAMPO=VALOR, por ejemplo --keep pais=Portugal").arg(k);
            return std::nullopt;
        }
        const QString field = k.left(eq).trimmed();
        const int index = defn->GetFieldIndex(field.toUtf8().constData());
        if (index < 0) {
            *error = QStringLiteral("--keep %1: %2 no tiene el campo %3; sus campos son: %4")
                         .arg(k, o.file, q(field), fields.join(QStringLiteral(", ")));
            return std::nullopt;
        }
        const OGRFieldType type = defn->GetFieldDefn(index)->GetType();
        const QString value = k.mid(eq + 1).trimmed();
        const bool numeric = type == OFTInteger || type == OFTInteger64 || type == OFTReal;
        bool isNumber = false;
        value.toDouble(&isNumber);
        if (numeric && !isNumber) {
            *error = QStringLiteral("--keep %1: el campo %2 guarda números").arg(k, q(field));
            return std::nullopt;
        }
        byField[field] << (u'"' + field + QStringLiteral("\" = ") + (numeric ? value : sqlQuote(value)));
    }
    QStringList parts;
    for (const auto &[field, alternatives] : byField)
        parts << u'(' + alternatives.join(QStringLiteral(" OR ")) + u')';
    if (!o.where.trimmed().isEmpty())
        parts << u'(' + o.where + u')';
    return parts.join(QStringLiteral(" AND "));
}

// Reads the layer: which named areas there are once filtered, which are not
// areas at all, and the longitude/latitude file the recipe will read (a
// filtered or projected file is written beside the recipe as SLUG.geojson).
std::optional<Scan> scanSource(const NewMapOptions &o, const QString &outFolder, const QString &slug,
                               NewMapReport &report)
{
    GDALAllRegister();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    struct PopHandler {
        ~PopHandler() { CPLPopErrorHandler(); }
    } popHandler;
    std::unique_ptr<GDALDataset> ds(
        GDALDataset::Open(o.file.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!ds) {
        report.error = QStringLiteral("%1: no se puede abrir como archivo de mapa vectorial "
                                      "(GeoJSON, Shapefile, GeoPackage, KML…)").arg(o.file);
        return std::nullopt;
    }
    QStringList layers;
    for (int i = 0; i < ds->GetLayerCount(); ++i)
        layers << QString::fromUtf8(ds->GetLayer(i)->GetName());
    if (layers.isEmpty()) {
        report.error = QStringLiteral("%1: el archivo no tiene ninguna capa").arg(o.file);
        return std::nullopt;
    }
    if (o.layer.isEmpty() && layers.size() > 1) {
        report.error = QStringLiteral("%1 tiene %2 capas (%3): elige una con --layer CAPA")
                           .arg(o.file).arg(layers.size()).arg(layers.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    OGRLayer *layer = o.layer.isEmpty() ? ds->GetLayer(0) : ds->GetLayerByName(o.layer.toUtf8().constData());
    if (!layer) {
        report.error = QStringLiteral("%1 no tiene la capa %2; sus capas son: %3")
                           .arg(o.file, q(o.layer), layers.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    OGRFeatureDefn *defn = layer->GetLayerDefn();
    QStringList fields;
    for (int i = 0; i < defn->GetFieldCount(); ++i)
        fields << QString::fromUtf8(defn->GetFieldDefn(i)->GetNameRef());
    const int nameIndex = defn->GetFieldIndex(o.nameField.toUtf8().constData());
    if (nameIndex < 0) {
        report.error = QStringLiteral("%1 no tiene el campo %2; sus campos son: %3")
                           .arg(o.file, q(o.nameField), fields.join(QStringLiteral(", ")));
        return std::nullopt;
    }

    // Fields whose few values could pick part of the file, for the warning
    // about a map spread too wide.
    std::map<int, QSet<QString>> distinct;
    layer->ResetReading();
    for (auto &f : *layer) {
        for (int i = 0; i < defn->GetFieldCount(); ++i)
            if (i != nameIndex && defn->GetFieldDefn(i)->GetType() == OFTString && f->IsFieldSetAndNotNull(i)
                && distinct[i].size() <= 40)
                distinct[i].insert(QString::fromUtf8(f->GetFieldAsString(i)));
    }
    Scan scan;
    for (const auto &[i, values] : distinct) {
        if (values.size() < 2 || values.size() > 40)
            continue;
        QStringList sorted = values.values();
        std::sort(sorted.begin(), sorted.end());
        scan.filterHints << QStringLiteral("--keep %1=%2 (el campo %1 tiene %3 valores: %4%5)")
                                .arg(fields[i], sorted.first())
                                .arg(sorted.size())
                                .arg(sorted.mid(0, 5).join(QStringLiteral(", ")), sorted.size() > 5 ? QStringLiteral("…") : QString());
    }

    const std::optional<QString> condition = filterCondition(o, defn, fields, &report.error);
    if (!condition)
        return std::nullopt;
    if (!condition->isEmpty() && layer->SetAttributeFilter(condition->toUtf8().constData()) != OGRERR_NONE) {
        report.error = QStringLiteral("%1: el filtro %2 no es válido: %3")
                           .arg(o.file, q(*condition), QString::fromUtf8(CPLGetLastErrorMsg()));
        return std::nullopt;
    }
    QSet<QString> seen;
    layer->ResetReading();
    for (auto &f : *layer) {
        const OGRGeometry *g = f->GetGeometryRef();
        if (!g || g->IsEmpty())
            continue;
        const QString name = f->IsFieldSetAndNotNull(nameIndex) ? QString::fromUtf8(f->GetFieldAsString(nameIndex)) : QString();
        // "" or blanks are no name: the area is left out, as an unnamed one.
        if (name.trimmed().isEmpty()) {
            ++scan.unnamed;
            continue;
        }
        if (o.skip.contains(name))
            continue;
        const OGRwkbGeometryType type = wkbFlatten(g->getGeometryType());
        if (type != wkbPolygon && type != wkbMultiPolygon && type != wkbGeometryCollection) {
            scan.pointsOrLines << name;
            continue;
        }
        if (!seen.contains(name))
            scan.codes << name;
        seen.insert(name);
    }
    if (condition->isEmpty() && layer->GetFeatureCount() == 0) {
        report.error = QStringLiteral("%1: la capa no tiene ningún elemento").arg(o.file);
        return std::nullopt;
    }

    scan.sourcePath = QFileInfo(o.file).absoluteFilePath();
    scan.sourceLayer = QString::fromUtf8(layer->GetName());
    const OGRSpatialReference *srs = layer->GetSpatialRef();
    const bool projected = srs && !srs->IsGeographic();
    if (!projected && condition->isEmpty())
        return scan;

    // Only the areas kept, in longitude and latitude, beside the recipe: the
    // rebuild then reads exactly what this map was made from.
    const QString converted = QDir(outFolder).filePath(slug + QStringLiteral(".geojson"));
    QDir().mkpath(outFolder);
    QFile::remove(converted);
    const QByteArray layerName = scan.sourceLayer.toUtf8();
    const QByteArray slugName = slug.toUtf8();
    const QByteArray where = condition->toUtf8();
    std::vector<const char *> args{"-f", "GeoJSON", "-t_srs", "EPSG:4326", "-lco", "RFC7946=YES", "-nln", slugName.constData()};
    if (!where.isEmpty()) {
        args.push_back("-where");
        args.push_back(where.constData());
    }
    args.push_back(layerName.constData());
    args.push_back(nullptr);
    layer->SetAttributeFilter(nullptr);
    GDALVectorTranslateOptions *opts = GDALVectorTranslateOptionsNew(const_cast<char **>(args.data()), nullptr);
    GDALDatasetH input = ds.get();
    int usageError = 0;
    GDALDatasetH out = GDALVectorTranslate(converted.toUtf8().constData(), nullptr, 1, &input, opts, &usageError);
    GDALVectorTranslateOptionsFree(opts);
    if (!out) {
        report.error = QStringLiteral("%1: no se pudo pasar a longitud y latitud en %2").arg(o.file, converted);
        return std::nullopt;
    }
    GDALClose(out);
    report.written << converted;
    report.notes << (projected ? QStringLiteral("%1 está en coordenadas proyectadas; la receta lee %2, en longitud y latitud")
                                     .arg(o.file, converted)
                               : QStringLiteral("las áreas elegidas con el filtro están en %1, que lee la receta").arg(converted));
    scan.sourcePath = converted;
    scan.sourceLayer = slug;
    return scan;
}

// The map that uses a picture of Mapas/, or a card's region, for a message.
QString mapsUsing(const QDir &data, const QString &picture, const QString &region)
{
    QStringList maps;
    const QDir coordinates(data.filePath(QStringLiteral("Coordenadas")));
    for (const QString &n : coordinates.entryList(QDir::Files, QDir::Name)) {
        QFile f(coordinates.filePath(n));
        if (!f.open(QIODevice::ReadOnly) || f.size() > (1 << 20))
            continue;
        const QList<QByteArray> lines = f.readAll().split('\n');
        bool uses = false;
        if (!picture.isEmpty())
            uses = QString::fromLatin1(lines.value(0).trimmed()).compare(picture, Qt::CaseInsensitive) == 0;
        for (int i = 2; i < lines.size() && !uses && !region.isEmpty(); ++i) {
            const QByteArray first = lines[i].split(',').value(0).trimmed();
            uses = QString::fromUtf8(first).compare(region, Qt::CaseInsensitive) == 0
                || QString::fromLatin1(first).compare(region, Qt::CaseInsensitive) == 0;
        }
        if (uses)
            maps << q(n);
    }
    return maps.isEmpty() ? QString() : maps.join(QStringLiteral(", "));
}

bool writeBytes(const QString &path, const QByteArray &bytes, NewMapReport &report)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        report.error = QStringLiteral("%1: no se puede escribir").arg(path);
        return false;
    }
    report.written << path;
    return true;
}

QString capitalised(QString s)
{
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

QString withArticle(const CardName &n)
{
    return n.article.isEmpty() ? n.name : n.article + u' ' + n.name;
}

} // namespace

QString neighbourSentence(const CardName &region, const QList<CardName> &neighbours)
{
    if (neighbours.isEmpty())
        return QString();
    QStringList names;
    for (const CardName &n : neighbours)
        names << withArticle(n);
    return QStringLiteral("%1 %2 con %3.")
        .arg(capitalised(withArticle(region)), region.plural ? QStringLiteral("limitan") : QStringLiteral("limita"),
             spanishList(names));
}

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
    if (o.title.isEmpty() || !regionNameFault(o.title).isEmpty()) {
        report.error = QStringLiteral("el título %1 no puede ser nombre de archivo (%2): quita las comas, "
                                      "/ \\ : * ? \" < > | y el punto final")
                           .arg(q(o.title), o.title.isEmpty() ? QStringLiteral("está vacío") : regionNameFault(o.title));
        return report;
    }
    const QString slug = slugOf(o.title);
    const QString outFolder = QDir::cleanPath(
        QFileInfo(o.outFolder.isEmpty() ? QFileInfo(o.file).absolutePath() : o.outFolder).absoluteFilePath());
    report.outFolder = outFolder;
    const QString dataPath = QDir::cleanPath(QFileInfo(o.dataFolder).absoluteFilePath());
    const QDir data(dataPath);
    const QDir out(outFolder);
    const QString sourceBytesHash = QString::fromLatin1(sha256(readAll(o.file)));

    const Ledger ledger = Ledger::read(out.filePath(slug + QStringLiteral(".archivos")), o.title, dataPath);
    // Nothing is written over a file that this command did not make for this
    // map, unless the teacher asks for it.
    const QString picture = slug + QStringLiteral(".png");
    QStringList clashes;
    auto claim = [&](const QString &folder, const QString &name, const QString &what) {
        const QString existing = entryIgnoringCase(QDir(data.filePath(folder)), name);
        const QString relative = folder + u'/' + existing;
        if (existing.isEmpty() || ledger.owns(relative))
            return;
        clashes << QStringLiteral("%1 (%2)").arg(data.filePath(relative), what);
    };
    {
        const QString users = mapsUsing(data, picture, QString());
        claim(QStringLiteral("Mapas"), picture,
              users.isEmpty() ? QStringLiteral("no es de este mapa") : QStringLiteral("es el dibujo de %1").arg(users));
        claim(QStringLiteral("Coordenadas"), o.title,
              QStringLiteral("es el mapa %1").arg(q(entryIgnoringCase(data.filePath(QStringLiteral("Coordenadas")), o.title))));
    }
    if (!clashes.isEmpty() && !o.overwrite) {
        const bool one = clashes.size() == 1;
        report.error = QStringLiteral("no se escribe nada: %1 ya %2 y no %3 hizo mapurix-forge new para este mapa:\n  %4\n"
                                      "Elige otro título (--title) u otra carpeta (--data); para reemplazar%3 de verdad, "
                                      "añade --sobrescribir")
                           .arg(one ? QStringLiteral("este archivo") : QStringLiteral("estos archivos"),
                                one ? QStringLiteral("existe") : QStringLiteral("existen"),
                                one ? QStringLiteral("lo") : QStringLiteral("los"), clashes.join(QStringLiteral("\n  ")));
        return report;
    }
    for (const QString &c : clashes)
        report.warnings << QStringLiteral("se sobrescribe, como pediste, %1").arg(c);

    const std::optional<Scan> scan = scanSource(o, outFolder, slug, report);
    if (!scan)
        return report;
    if (!scan->pointsOrLines.isEmpty()) {
        report.error = QStringLiteral("%1: %2 %3 un punto o una línea, no un área: el juego pinta áreas. Usa un archivo "
                                      "de polígonos (los contornos de las comarcas, de los municipios…) o deja fuera "
                                      "esos elementos con --skip NOMBRE o --keep CAMPO=VALOR")
                           .arg(o.file, spanishList([&] {
                                    QStringList names;
                                    for (const QString &n : scan->pointsOrLines.mid(0, 5))
                                        names << q(n);
                                    if (scan->pointsOrLines.size() > 5)
                                        names << QStringLiteral("%1 más").arg(scan->pointsOrLines.size() - 5);
                                    return names;
                                }()),
                                scan->pointsOrLines.size() > 1 ? QStringLiteral("son cada uno") : QStringLiteral("es"));
        return report;
    }
    if (!o.skip.isEmpty()) {
        // A skipped name is in the file but not among the areas kept.
        QString error;
        const auto all = FeatureSet::load(scan->sourcePath, scan->sourceLayer, o.nameField, o.nameField, &error);
        for (const QString &s : o.skip) {
            if (!all || !all->find(s)) {
                report.error = QStringLiteral("--skip %1: ningún área de %2 se llama así (escribe el nombre como lo "
                                              "trae el campo %3)").arg(q(s), o.file, o.nameField);
                return report;
            }
        }
    }
    if (scan->unnamed > 0)
        report.notes << QStringLiteral("%1 %2 sin nombre en el campo %3 se %4 fuera del mapa (se dibuja%5 como tierra)")
                            .arg(scan->unnamed)
                            .arg(scan->unnamed == 1 ? QStringLiteral("área") : QStringLiteral("áreas"), o.nameField,
                                 scan->unnamed == 1 ? QStringLiteral("deja") : QStringLiteral("dejan"),
                                 scan->unnamed == 1 ? QString() : QStringLiteral("n"));
    if (scan->codes.isEmpty()) {
        report.error = QStringLiteral("%1: ningún área tiene nombre en el campo %2%3").arg(o.file, q(o.nameField),
                                      o.keep.isEmpty() && o.where.isEmpty() ? QString() : QStringLiteral(" con ese filtro"));
        return report;
    }
    if (scan->codes.size() > kMaxRegions) {
        report.error = QStringLiteral("%1: %2 áreas con nombre; un mapa tiene como mucho %3. Elige una parte con "
                                      "--keep CAMPO=VALOR o --where, o usa un campo que las agrupe%4")
                           .arg(o.file).arg(scan->codes.size()).arg(kMaxRegions)
                           .arg(scan->filterHints.isEmpty() ? QString()
                                                            : QStringLiteral(", por ejemplo ") + scan->filterHints.first());
        return report;
    }

    QString error;
    std::optional<FeatureSet> features =
        FeatureSet::load(scan->sourcePath, scan->sourceLayer, o.nameField, o.nameField, &error);
    if (!features) {
        report.error = error;
        return report;
    }

    // Names: the table the teacher may have edited is kept; new areas are
    // added with a cleaned name and a guessed grammar, old ones dropped.
    const QString tablePath = out.filePath(slug + QStringLiteral(".tsv"));
    const std::map<QString, NameRow> previous = readNameTable(tablePath);
    const QDir texts(data.filePath(QStringLiteral("textos")));
    auto ownedCard = [&](const QString &name) {
        return ledger.owns(QStringLiteral("textos/") + name + QStringLiteral(".txt"));
    };
    std::vector<NameRow> rows;
    QSet<QString> seen;
    for (const QString &code : scan->codes) {
        if (code.contains(u'"') || code.contains(u'#') || code.contains(u'\t')) {
            report.error = QStringLiteral("%1: el nombre %2 tiene \", # o un tabulador; cámbialo en el archivo").arg(o.file, q(code));
            return report;
        }
        NameRow row;
        if (auto it = previous.find(code); it != previous.end()) {
            row = it->second;
        } else {
            row.code = code;
            row.name = cleanRegionName(code);
            std::tie(row.gender, row.number) = guessGenderAndNumber(row.name);
            row.type = o.type;
            if (row.name != code)
                report.notes << QStringLiteral("%1 se escribe %2 (un nombre de archivo no admite algunos caracteres)")
                                    .arg(q(code), q(row.name));
            // A card already there belongs to another region (Georgia the
            // country, not the state): this region gets a name of its own.
            const QString existing = entryIgnoringCase(texts, row.name + QStringLiteral(".txt"));
            if (!existing.isEmpty() && !ownedCard(existing.chopped(4))) {
                const QString own = QStringLiteral("%1 (%2)").arg(row.name, o.title);
                const QString users = mapsUsing(data, QString(), row.name);
                report.notes << QStringLiteral("ya hay una ficha textos/%1%2: no es de este mapa, así que la región se "
                                               "llama %3. Si es el mismo lugar, pon %4 en %5.tsv y compartirá esa ficha")
                                    .arg(existing, users.isEmpty() ? QString() : QStringLiteral(" (la usa %1)").arg(users),
                                         q(own), q(row.name), slug);
                row.name = own;
            }
        }
        const QString fault = regionNameFault(row.name);
        if (!fault.isEmpty()) {
            report.error = QStringLiteral("%1: el nombre %2 no sirve como nombre de región (%3)").arg(tablePath, q(row.name), fault);
            return report;
        }
        if (seen.contains(row.name.toCaseFolded())) {
            report.error = QStringLiteral("%1: dos áreas se llaman %2; dales nombres distintos").arg(o.file, q(row.name));
            return report;
        }
        seen.insert(row.name.toCaseFolded());
        rows.push_back(row);
    }
    for (const auto &[code, row] : previous)
        if (std::none_of(rows.begin(), rows.end(), [&](const NameRow &r) { return r.code == code; }))
            report.notes << QStringLiteral("%1 ya no está entre las áreas del mapa: se quita de %2.tsv").arg(q(code), slug);
    std::sort(rows.begin(), rows.end(),
              [](const NameRow &a, const NameRow &b) { return collationKey(a.name) < collationKey(b.name); });

    // The frame: the regions' extent with a margin; a stereographic
    // projection centred on it keeps a small area's shapes and angles true.
    OGREnvelope all;
    std::vector<std::pair<QString, QPointF>> centres;
    for (const NameRow &row : rows) {
        const Feature *f = features->find(row.code);
        if (!f)
            continue;
        OGREnvelope e;
        f->geometry->getEnvelope(&e);
        all.Merge(e);
        centres.emplace_back(row.code, QPointF((e.MinX + e.MaxX) / 2, (e.MinY + e.MaxY) / 2));
    }
    const double padLon = std::max((all.MaxX - all.MinX) * kFrameMargin, 0.001);
    const double padLat = std::max((all.MaxY - all.MinY) * kFrameMargin, 0.001);
    const GeoBox frame{all.MinX - padLon, std::max(-89.9, all.MinY - padLat), all.MaxX + padLon,
                       std::min(89.9, all.MaxY + padLat)};
    const bool wide = all.MaxX - all.MinX > kWideLongitude || all.MaxY - all.MinY > kWideLatitude;
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
    QString table = QStringLiteral("# Nombres del mapa \u00AB%1\u00BB, tomados del campo %2 de %3 por mapurix-forge new.\n"
                                   "# Revísalos: \"nombre\" es lo que lee el alumno; genero (m/f), numero (s/p), articulo\n"
                                   "# y tipo sirven para escribir las fichas. \"codigo\" es el nombre en el archivo: no lo cambies.\n"
                                   "# Si vuelves a hacer el mapa, lo que cambies aquí se conserva.\n"
                                   "codigo\tnombre\tgenero\tnumero\tarticulo\ttipo\n")
                        .arg(o.title, o.nameField, QFileInfo(o.file).fileName());
    for (const NameRow &r : rows)
        table += QStringList{r.code, r.name, r.gender, r.number, r.article, r.type}.join(u'\t') + u'\n';

    const QString recipePath = out.filePath(slug + QStringLiteral(".recipe"));
    QString recipe = QStringLiteral("# \u00AB%1\u00BB, hecho por mapurix-forge new.\n"
                                    "# Fuente: %2\n# SHA-256 de la fuente: %3\n")
                         .arg(o.title, QFileInfo(o.file).absoluteFilePath(), sourceBytesHash);
    if (!o.keep.isEmpty() || !o.where.isEmpty())
        recipe += QStringLiteral("# Filtro: %1\n").arg((QStringList{o.where} + o.keep).join(u' ').trimmed());
    if (!o.skip.isEmpty())
        recipe += QStringLiteral("# Fuera del mapa (--skip): %1\n").arg(o.skip.join(QStringLiteral(", ")));
    recipe += QStringLiteral("# Tras revisar %1.tsv, rehazlo con la orden que escribió mapurix-forge new.\n").arg(slug);
    recipe += QStringLiteral("title = %1\npicture = %2\nprompt = Pinta\nsize = %3 %4\n")
                  .arg(o.title, picture)
                  .arg(report.size.width())
                  .arg(report.size.height());
    recipe += QStringLiteral("source = %1 %2\nsource-label = %3\n")
                  .arg(quoted(scan->sourcePath), quoted(scan->sourceLayer), QFileInfo(o.file).fileName());
    recipe += QStringLiteral("code-field = %1\nname-field = %1\nnames = %2.tsv codigo\n").arg(o.nameField, slug);
    recipe += QStringLiteral("projection = %1\nframe = %2 %3 %4 %5\n")
                  .arg(projection, number(frame.lon0), number(frame.lat0), number(frame.lon1), number(frame.lat1));
    // The countries around, drawn as land as on the atlas's maps.
    if (!o.worldOutline.isEmpty())
        recipe += QStringLiteral("context = %1 countries\n").arg(quoted(QFileInfo(o.worldOutline).absoluteFilePath()));
    for (const NameRow &r : rows)
        recipe += QStringLiteral("regions = %1\n").arg(quoted(r.code));

    if (!writeBytes(tablePath, table.toUtf8(), report) || !writeBytes(recipePath, recipe.toUtf8(), report))
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

    Ledger made;
    made.title = o.title;
    made.data = dataPath;
    auto writeData = [&](const QString &relative, const QByteArray &bytes, const QString &code) {
        made.files[relative] = Ledger::Entry{code, sha256(bytes)};
        return writeBytes(data.filePath(relative), bytes, report);
    };
    // A file of the old spelling ("australia.png" when the title was
    // "Australia") would be found by the game before the new one.
    for (const auto &[relative, entry] : ledger.files) {
        if (!entry.code.isEmpty())
            continue;
        const bool current = relative == QStringLiteral("Mapas/") + picture || relative == QStringLiteral("Coordenadas/") + o.title;
        if (!current && QFile::remove(data.filePath(relative)))
            report.removed << data.filePath(relative);
    }
    for (const QString &folder : {QStringLiteral("Mapas"), QStringLiteral("Coordenadas")}) {
        const QString name = folder == u"Mapas" ? picture : o.title;
        const QString existing = entryIgnoringCase(QDir(data.filePath(folder)), name);
        if (!existing.isEmpty() && existing != name)
            QFile::remove(data.filePath(folder + u'/' + existing));
    }
    if (!writeData(QStringLiteral("Mapas/") + picture, *png, QString())
        || !writeData(QStringLiteral("Coordenadas/") + o.title, *coordinates, QString())
        || !writeBytes(out.filePath(QStringLiteral("regiones/") + slug + QStringLiteral(".tsv")),
                       manifestBytes(*parsed.recipe, *map), report))
        return report;
    report.regions = int(map->regions.size());

    // Per region, a card of one true sentence (whom it borders, from the
    // boundaries) or none, and a locator picture drawn from this map.
    std::map<QString, const NameRow *> rowOf;
    for (const NameRow &r : rows)
        rowOf[r.code] = &r;
    auto cardName = [&](const QString &code) {
        const NameRow *r = rowOf.count(code) ? rowOf[code] : nullptr;
        return r ? CardName{r->name, r->article, r->number == u"p"} : CardName{code, QString(), false};
    };
    const QImage mapPicture = QImage::fromData(*png);
    std::map<QString, std::vector<QString>> oldFilesOf;  // code -> its card files made before
    for (const auto &[relative, entry] : ledger.files)
        if (!entry.code.isEmpty())
            oldFilesOf[entry.code].push_back(relative);
    for (const BuiltRegion &r : map->regions) {
        const Feature *self = features->find(r.code);
        QList<CardName> neighbours;
        for (const BuiltRegion &other : map->regions) {
            const Feature *f = features->find(other.code);
            if (f == self || !self || !f || !self->geometry->Intersects(f->geometry.get()))
                continue;
            // Areas that only meet at a corner are not neighbours.
            const OGRGeometryUniquePtr shared{self->geometry->Intersection(f->geometry.get())};
            if (shared && !shared->IsEmpty() && shared->getDimension() >= 1)
                neighbours << cardName(other.code);
        }
        const QString sentence = neighbourSentence(cardName(r.code), neighbours);
        const QString cardFile = QStringLiteral("textos/") + r.name + QStringLiteral(".txt");
        const QString locatorFile = QStringLiteral("imagenes/") + r.name + QStringLiteral(".gif");

        // What this command made for the region before, under whatever name.
        QString oldCard, oldLocator;
        for (const QString &relative : oldFilesOf[r.code])
            (relative.startsWith(QStringLiteral("textos/")) ? oldCard : oldLocator) = relative;
        auto edited = [&](const QString &relative) {
            return QFileInfo::exists(data.filePath(relative))
                && sha256(readAll(data.filePath(relative))) != ledger.files.at(relative).hash;
        };

        const QString existingCard = entryIgnoringCase(texts, r.name + QStringLiteral(".txt"));
        if (!oldCard.isEmpty() && edited(oldCard)) {
            // The teacher's own words stay, under the region's current name.
            if (oldCard.compare(cardFile, Qt::CaseInsensitive) != 0) {
                if (existingCard.isEmpty() && QFile::rename(data.filePath(oldCard), data.filePath(cardFile))) {
                    report.notes << QStringLiteral("la ficha %1 pasa a llamarse %2, como la región").arg(data.filePath(oldCard), data.filePath(cardFile));
                    made.files[cardFile] = Ledger::Entry{r.code, ledger.files.at(oldCard).hash};
                } else {
                    made.files[oldCard] = ledger.files.at(oldCard);
                }
            } else {
                report.notes << QStringLiteral("%1 tiene tu texto y se conserva").arg(data.filePath(oldCard));
                made.files[cardFile] = ledger.files.at(oldCard);
            }
        } else {
            if (!oldCard.isEmpty() && QFileInfo::exists(data.filePath(oldCard))
                && oldCard.compare(cardFile, Qt::CaseInsensitive) != 0 && QFile::remove(data.filePath(oldCard)))
                report.removed << data.filePath(oldCard);
            const bool ours = existingCard.isEmpty() || oldCard.compare(cardFile, Qt::CaseInsensitive) == 0;
            if (!ours) {
                report.notes << QStringLiteral("%1 usa la ficha textos/%2, que ya existía: no se toca").arg(q(r.name), existingCard);
            } else if (sentence.isEmpty()) {
                if (QFileInfo::exists(data.filePath(cardFile)) && QFile::remove(data.filePath(cardFile)))
                    report.removed << data.filePath(cardFile);
            } else if (!writeData(cardFile, (sentence + QStringLiteral("\r\n")).toUtf8(), r.code)) {
                return report;
            }
        }

        if (!oldLocator.isEmpty() && oldLocator.compare(locatorFile, Qt::CaseInsensitive) != 0
            && QFile::remove(data.filePath(oldLocator)))
            report.removed << data.filePath(oldLocator);
        const QString existingLocator = entryIgnoringCase(QDir(data.filePath(QStringLiteral("imagenes"))), r.name + QStringLiteral(".gif"));
        if (!existingLocator.isEmpty() && oldLocator.compare(locatorFile, Qt::CaseInsensitive) != 0) {
            report.notes << QStringLiteral("%1 ya tiene imagen de situación (imagenes/%2), que se conserva").arg(q(r.name), existingLocator);
            continue;
        }
        QList<QPoint> seeds(r.seeds.begin(), r.seeds.end());
        const QImage locator = cards::locatorPicture(mapPicture, cards::regionMask(mapPicture, seeds));
        QDir().mkpath(data.filePath(QStringLiteral("imagenes")));
        QString gifError;
        if (!gifwriter::write(data.filePath(locatorFile), {gifwriter::Frame{locator, 0}}, gifwriter::PlayOnce, &gifError)) {
            report.error = gifError;
            return report;
        }
        report.written << data.filePath(locatorFile);
        made.files[locatorFile] = Ledger::Entry{r.code, sha256(readAll(data.filePath(locatorFile)))};
    }
    // Regions no longer on the map: their unedited card files go.
    for (const auto &[code, files] : oldFilesOf) {
        if (rowOf.count(code))
            continue;
        for (const QString &relative : files) {
            const QString path = data.filePath(relative);
            if (!QFileInfo::exists(path))
                continue;
            if (sha256(readAll(path)) == ledger.files.at(relative).hash) {
                if (QFile::remove(path))
                    report.removed << path;
            } else {
                report.notes << QStringLiteral("%1 tiene tu texto y se conserva, aunque %2 ya no está en el mapa").arg(path, q(code));
            }
        }
    }
    if (!writeBytes(out.filePath(slug + QStringLiteral(".archivos")), made.bytes(), report))
        return report;

    // Whether the map is worth playing: the regions must not be specks.
    qint64 white = 0;
    for (int y = 0; y < map->picture.height(); ++y)
        for (int x = 0; x < map->picture.width(); ++x)
            white += map->picture.pixel(x, y) == colour::region;
    const double share = double(white) / (double(map->picture.width()) * map->picture.height());
    if (wide || share < kLeastRegionShare) {
        QString advice;
        // Regions far from the rest (islands overseas) are the usual cause.
        if (centres.size() >= 6) {
            std::vector<double> xs, ys;
            for (const auto &c : centres) {
                xs.push_back(c.second.x());
                ys.push_back(c.second.y());
            }
            std::nth_element(xs.begin(), xs.begin() + xs.size() / 2, xs.end());
            std::nth_element(ys.begin(), ys.begin() + ys.size() / 2, ys.end());
            const QPointF middle(xs[xs.size() / 2], ys[ys.size() / 2]);
            QStringList far;
            for (const auto &c : centres)
                if (std::hypot(c.second.x() - middle.x(), c.second.y() - middle.y()) > 20)
                    far << QStringLiteral("--skip %1").arg(c.first.contains(u' ') ? quoted(c.first) : c.first);
            if (!far.isEmpty() && far.size() <= qsizetype(centres.size() / 3))
                advice = QStringLiteral(" Algunas áreas quedan muy lejos de las demás: prueba %1.").arg(far.join(u' '));
        }
        if (advice.isEmpty() && centres.size() < 6)
            advice = QStringLiteral(" Con tan pocas regiones, quizá %1 no es el campo de los nombres: prueba otro --name-field.")
                         .arg(q(o.nameField));
        else if (advice.isEmpty() && !scan->filterHints.isEmpty())
            advice = QStringLiteral(" Elige una parte del archivo, por ejemplo %1, o usa --where.").arg(scan->filterHints.first());
        if (advice.isEmpty())
            advice = QStringLiteral(" Elige una parte del archivo con --keep CAMPO=VALOR o --where, o otro --name-field.");
        report.warnings << QStringLiteral("el mapa abarca %1° de longitud y %2° de latitud y las regiones ocupan el %3 % "
                                          "del dibujo: costará verlas y pintarlas.%4")
                               .arg(QString::number(all.MaxX - all.MinX, 'f', 0), QString::number(all.MaxY - all.MinY, 'f', 0),
                                    QString::number(share * 100, 'f', 1).replace(u'.', u','), advice);
    }

    // The same checks as `mapurix-forge check`, on the whole folder.
    const CheckReport check = checkDataFolder(dataPath);
    report.checkFaults = check.faults;
    report.checkSummary = QStringLiteral("%1: %2 %3, %4 regiones, %5 %6")
                              .arg(dataPath)
                              .arg(check.maps)
                              .arg(check.maps == 1 ? QStringLiteral("mapa") : QStringLiteral("mapas"))
                              .arg(check.regions)
                              .arg(check.faults.size())
                              .arg(check.faults.size() == 1 ? QStringLiteral("fallo") : QStringLiteral("fallos"));
    return report;
}

} // namespace forge
