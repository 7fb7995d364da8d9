// mapurix-forge: builds the atlas's maps from vector data and checks a
// program folder's maps the way the game reads them.
#include "checker.h"
#include "mapbuilder.h"
#include "newmap.h"
#include "placement.h"
#include "recipe.h"

#include "cards.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

const char *const kUsage =
    "Uso:\n"
    "  mapurix-forge new ARCHIVO --name-field CAMPO --title TÍTULO [opciones]\n"
    "      Hace un mapa jugable con las áreas de un archivo vectorial (GeoJSON,\n"
    "      Shapefile, GeoPackage, KML...): el dibujo, el archivo de coordenadas,\n"
    "      una ficha y una imagen de situación por región, la tabla de nombres\n"
    "      para revisar y la receta. No sobrescribe nada que no hiciera él mismo\n"
    "      para este mapa, y al acabar comprueba la carpeta como 'check'.\n"
    "      --data CARPETA        carpeta del juego (por omisión, data/ del repositorio)\n"
    "      --out CARPETA         dónde van la receta y la tabla (por omisión, junto al archivo)\n"
    "      --layer CAPA          la capa, si el archivo tiene varias\n"
    "      --keep CAMPO=VALOR    solo las áreas con ese valor (se puede repetir)\n"
    "      --where CONDICIÓN     solo las áreas que la cumplen (SQL de OGR: \"pais = 'PT'\")\n"
    "      --skip NOMBRE         deja fuera un área (se puede repetir)\n"
    "      --tipo NOMBRE         qué es cada área: comarca, provincia... (por omisión, comarca)\n"
    "      --sobrescribir        reemplaza archivos que ya existen y usan otros mapas\n"
    "  mapurix-forge check CARPETA [--recipes DIR] [--manifests DIR] [--places DIR]\n"
    "      Comprueba los mapas de una carpeta del juego (y que cada región esté donde está\n"
    "      su capital); sale con 1 si hay fallos.\n"
    "  mapurix-forge build [--data DIR] [--manifests DIR] [--sources DIR] [--names DIR]\n"
    "                      [--verify] [RECETA-O-CARPETA...]\n"
    "  mapurix-forge cards ...\n"
    "  mapurix-forge --help | --help-en\n";

const char *const kUsageEnglish =
    "usage:\n"
    "  mapurix-forge new FILE --name-field FIELD --title TITLE [--layer LAYER] [--data DIR]\n"
    "                    [--out DIR] [--tipo NOUN] [--keep FIELD=VALUE]... [--where SQL]\n"
    "                    [--skip NAME]... [--sobrescribir]\n"
    "  mapurix-forge check DATA_FOLDER [--recipes DIR] [--manifests DIR] [--places DIR]\n"
    "  mapurix-forge build [--data DIR] [--manifests DIR] [--sources DIR] [--names DIR]\n"
    "                      [--verify] [RECIPE-OR-FOLDER...]\n"
    "  mapurix-forge cards ...\n";

int usage()
{
    err() << QString::fromUtf8(kUsage);
    err().flush();
    return 2;
}

// A word as a POSIX shell reads it back unchanged.
QString shellWord(const QString &word)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    QString w = word;
    w.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + w + u'\'';
}

QString commandLine(const QStringList &words)
{
    QStringList out;
    for (const QString &w : words)
        out << shellWord(w);
    return out.join(u' ');
}

// Writes `bytes` to `path`, or with `verify` compares them with what is there.
bool writeOrVerify(const QString &path, const QByteArray &bytes, bool verify, QStringList &differences)
{
    if (verify) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly) || f.readAll() != bytes)
            differences << path;
        return true;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        err() << path << ": cannot write\n";
        return false;
    }
    return true;
}

int runBuild(const QStringList &args)
{
    const QString forgeDir = QStringLiteral(MAPURIX_FORGE_DIR);
    QString data = QStringLiteral(MAPURIX_SOURCE_ROOT "/data");
    QString manifests = forgeDir + QStringLiteral("/maps/regions");
    forge::BuildFolders folders{forgeDir + QStringLiteral("/.npm-cache"), forgeDir + QStringLiteral("/names")};
    bool verify = false;
    QStringList inputs;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&](QString &target) {
            if (i + 1 >= args.size())
                return false;
            target = args[++i];
            return true;
        };
        if (a == u"--data") {
            if (!value(data))
                return usage();
        } else if (a == u"--manifests") {
            if (!value(manifests))
                return usage();
        } else if (a == u"--sources") {
            if (!value(folders.sources))
                return usage();
        } else if (a == u"--names") {
            if (!value(folders.names))
                return usage();
        } else if (a == u"--verify") {
            verify = true;
        } else if (a.startsWith(u"--")) {
            return usage();
        } else {
            inputs << a;
        }
    }
    if (inputs.isEmpty())
        inputs << forgeDir + QStringLiteral("/maps");
    QStringList recipes;
    for (const QString &in : inputs) {
        if (QFileInfo(in).isDir()) {
            const QDir dir(in);
            for (const QString &n : dir.entryList({QStringLiteral("*.recipe")}, QDir::Files, QDir::Name))
                recipes << dir.filePath(n);
        } else {
            recipes << in;
        }
    }

    if (!QFileInfo(folders.sources).isDir()) {
        err() << folders.sources << ": no such folder; run tools/forge/fetch-sources.sh first\n";
        return 1;
    }
    QStringList differences;
    int failures = 0;
    for (const QString &path : recipes) {
        const forge::RecipeResult loaded = forge::loadRecipe(path);
        if (!loaded.recipe) {
            err() << loaded.error << '\n';
            ++failures;
            continue;
        }
        const forge::Recipe &recipe = *loaded.recipe;
        QString error;
        const std::optional<forge::BuiltMap> map = forge::buildMap(recipe, folders, &error);
        if (!map) {
            err() << error << '\n';
            ++failures;
            continue;
        }
        const auto coordinates = forge::coordinatesFileBytes(recipe, *map, &error);
        const auto png = coordinates ? forge::pictureBytes(map->picture, &error) : std::nullopt;
        if (!coordinates || !png) {
            err() << recipe.path << ": " << error << '\n';
            ++failures;
            continue;
        }
        const QDir dataDir(data);
        const bool written =
            writeOrVerify(dataDir.filePath(QStringLiteral("Mapas/") + recipe.picture), *png, verify, differences)
            && writeOrVerify(dataDir.filePath(QStringLiteral("Coordenadas/") + recipe.title), *coordinates, verify, differences)
            && writeOrVerify(QDir(manifests).filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".tsv")),
                    forge::manifestBytes(recipe, *map), verify, differences);
        if (!written) {
            ++failures;
            continue;
        }
        QStringList markers;
        int extra = 0;
        for (const forge::BuiltRegion &r : map->regions) {
            if (r.marker)
                markers << r.name;
            extra += r.extraIslands;
        }
        out() << recipe.title << ": " << map->regions.size() << " regions, " << map->picture.width() << 'x'
              << map->picture.height() << ", " << extra << " small areas tinted, markers: "
              << (markers.isEmpty() ? QStringLiteral("none") : markers.join(QStringLiteral(", "))) << '\n';
        out().flush();
    }
    for (const QString &d : differences)
        err() << d << ": differs from the rebuilt file\n";
    if (failures > 0 || !differences.isEmpty()) {
        err() << failures << " maps failed, " << differences.size() << " files differ\n";
        return 1;
    }
    return 0;
}

int runCheck(const QStringList &args)
{
    const QString forgeDir = QStringLiteral(MAPURIX_FORGE_DIR);
    forge::PlacementFolders placement{forgeDir + QStringLiteral("/maps"), forgeDir + QStringLiteral("/maps/regions"),
                                      forgeDir + QStringLiteral("/places")};
    QString dataFolder;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        QString *target = a == u"--recipes"   ? &placement.recipes
                        : a == u"--manifests" ? &placement.manifests
                        : a == u"--places"    ? &placement.places
                                              : nullptr;
        if (target) {
            if (i + 1 >= args.size())
                return usage();
            *target = args[++i];
        } else if (a.startsWith(u"--") || !dataFolder.isEmpty()) {
            return usage();
        } else {
            dataFolder = a;
        }
    }
    if (dataFolder.isEmpty())
        return usage();
    forge::CheckReport report = forge::checkDataFolder(dataFolder);
    const forge::PlacementReport placed = forge::checkPlacement(dataFolder, placement);
    report.faults << placed.faults;
    for (const QString &line : report.coverage)
        out() << line << '\n';
    for (const QString &line : report.windows)
        out() << line << '\n';
    for (const QString &line : placed.notes)
        out() << line << '\n';
    for (const QString &fault : report.faults)
        out() << "FAULT " << fault << '\n';
    out() << report.maps << " maps, " << report.regions << " regions, " << placed.points
          << " reference points placed, " << report.faults.size() << " faults\n";
    out().flush();
    return report.faults.isEmpty() && report.maps > 0 ? 0 : 1;
}

int runNew(const QStringList &args)
{
    forge::NewMapOptions o;
    o.dataFolder = QStringLiteral(MAPURIX_SOURCE_ROOT "/data");
    o.worldOutline = QStringLiteral(MAPURIX_WORLD_OUTLINE);
    auto refuse = [](const QString &why) {
        err() << "mapurix-forge new: " << why << "\n(mapurix-forge --help explica cada opción)\n";
        err().flush();
        return 2;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        QString value;
        const bool takesValue = QStringList{u"--name-field"_qs, u"--title"_qs, u"--layer"_qs, u"--data"_qs, u"--out"_qs,
                                            u"--tipo"_qs, u"--keep"_qs, u"--where"_qs, u"--skip"_qs}
                                    .contains(a);
        if (takesValue) {
            if (i + 1 >= args.size())
                return refuse(QStringLiteral("falta el valor de %1").arg(a));
            value = args[++i];
        }
        if (a == u"--name-field")
            o.nameField = value;
        else if (a == u"--title")
            o.title = value;
        else if (a == u"--layer")
            o.layer = value;
        else if (a == u"--data")
            o.dataFolder = value;
        else if (a == u"--out")
            o.outFolder = value;
        else if (a == u"--tipo")
            o.type = value;
        else if (a == u"--keep")
            o.keep << value;
        else if (a == u"--where")
            o.where = value;
        else if (a == u"--skip")
            o.skip << value;
        else if (a == u"--sobrescribir")
            o.overwrite = true;
        else if (a.startsWith(u"--"))
            return refuse(QStringLiteral("no conozco la opción %1").arg(a));
        else if (!o.file.isEmpty())
            return refuse(QStringLiteral("sobra %1: solo se hace un mapa de un archivo cada vez").arg(a));
        else
            o.file = a;
    }
    if (o.file.isEmpty())
        return refuse(QStringLiteral("falta el archivo con las áreas"));
    if (o.nameField.isEmpty())
        return refuse(QStringLiteral("falta --name-field CAMPO, el campo con el nombre de cada área"));
    if (o.title.isEmpty())
        return refuse(QStringLiteral("falta --title TÍTULO, el nombre del mapa en el juego"));
    const forge::NewMapReport report = forge::makeNewMap(o);
    // Cards and locator pictures are counted, not listed one by one.
    const QString dataFolder = QDir::cleanPath(QFileInfo(o.dataFolder).absoluteFilePath());
    int cards = 0, locators = 0;
    for (const QString &path : report.written) {
        if (path.startsWith(dataFolder + QStringLiteral("/textos/")))
            ++cards;
        else if (path.startsWith(dataFolder + QStringLiteral("/imagenes/")))
            ++locators;
        else
            out() << "escrito " << path << '\n';
    }
    if (cards > 0)
        out() << "escrita" << (cards == 1 ? " " : "s ") << cards << (cards == 1 ? " ficha en " : " fichas en ") << dataFolder
              << "/textos\n";
    if (locators > 0)
        out() << "escrita" << (locators == 1 ? " " : "s ") << locators
              << (locators == 1 ? " imagen de situación en " : " imágenes de situación en ") << dataFolder << "/imagenes\n";
    for (const QString &path : report.removed)
        out() << "borrado " << path << '\n';
    for (const QString &note : report.notes)
        out() << "nota: " << note << '\n';
    for (const QString &warning : report.warnings)
        out() << "aviso: " << warning << '\n';
    out().flush();
    if (!report.error.isEmpty()) {
        err() << "mapurix-forge new: " << report.error << '\n';
        return 1;
    }
    out() << "Comprobación de " << report.checkSummary << '\n';
    for (const QString &fault : report.checkFaults)
        out() << "FALLO " << fault << '\n';
    out() << o.title << ": " << report.regions << (report.regions == 1 ? " región" : " regiones") << ", dibujo de "
          << report.size.width() << " × " << report.size.height() << " píxeles\n";

    // The same command with absolute paths, to run again after editing the
    // names: it keeps the edits, follows renames and remakes the cards.
    const QString self = QCoreApplication::applicationFilePath();
    auto absolute = [](const QString &p) { return QDir::cleanPath(QFileInfo(p).absoluteFilePath()); };
    QStringList again{self, QStringLiteral("new"), absolute(o.file), QStringLiteral("--name-field"), o.nameField,
                      QStringLiteral("--title"), o.title};
    if (!o.layer.isEmpty())
        again << QStringLiteral("--layer") << o.layer;
    for (const QString &k : o.keep)
        again << QStringLiteral("--keep") << k;
    if (!o.where.isEmpty())
        again << QStringLiteral("--where") << o.where;
    for (const QString &s : o.skip)
        again << QStringLiteral("--skip") << s;
    if (o.type != u"comarca")
        again << QStringLiteral("--tipo") << o.type;
    again << QStringLiteral("--data") << absolute(o.dataFolder) << QStringLiteral("--out") << report.outFolder;
    const QString folder = report.outFolder;
    const QStringList build{self, QStringLiteral("build"), QStringLiteral("--sources"), folder, QStringLiteral("--names"),
                            folder, QStringLiteral("--manifests"), folder + QStringLiteral("/regiones"),
                            QStringLiteral("--data"), absolute(o.dataFolder), report.recipePath};
    out() << "Revisa los nombres en " << QDir(folder).filePath(QFileInfo(report.recipePath).completeBaseName())
          << ".tsv y vuelve a hacer el mapa con:\n  " << commandLine(again)
          << "\nSolo el dibujo y las coordenadas, desde la receta:\n  " << commandLine(build) << '\n';
    out().flush();
    return report.checkFaults.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == u"--help" || command == u"-h" || command == u"ayuda" || args.contains(u"--help"_qs)) {
        out() << QString::fromUtf8(kUsage);
        return 0;
    }
    if (command == u"--help-en") {
        out() << kUsageEnglish;
        return 0;
    }
    if (command == u"build")
        return runBuild(args);
    if (command == u"check")
        return runCheck(args);
    if (command == u"new")
        return runNew(args);
    if (command == u"cards")
        return runCardsCommand(args);
    return usage();
}
