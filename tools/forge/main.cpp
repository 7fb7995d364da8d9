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

int usage()
{
    err() << "usage:\n"
             "  mapurix-forge build [--data DIR] [--manifests DIR] [--sources DIR] [--names DIR]\n"
             "                      [--verify] [RECIPE-OR-FOLDER...]\n"
             "  mapurix-forge check DATA_FOLDER [--recipes DIR] [--manifests DIR] [--places DIR]\n"
             "  mapurix-forge new FILE --name-field FIELD --title TITLE [--layer LAYER] [--data DIR]\n"
             "                    [--out DIR] [--tipo NOUN]\n"
             "  mapurix-forge cards ...\n"
          ;
    err().flush();
    return 2;
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
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        QString *target = a == u"--name-field" ? &o.nameField
                        : a == u"--title"      ? &o.title
                        : a == u"--layer"      ? &o.layer
                        : a == u"--data"       ? &o.dataFolder
                        : a == u"--out"        ? &o.outFolder
                        : a == u"--tipo"       ? &o.type
                                               : nullptr;
        if (target) {
            if (i + 1 >= args.size())
                return usage();
            *target = args[++i];
        } else if (a.startsWith(u"--") || !o.file.isEmpty()) {
            return usage();
        } else {
            o.file = a;
        }
    }
    if (o.file.isEmpty() || o.nameField.isEmpty() || o.title.isEmpty())
        return usage();
    const forge::NewMapReport report = forge::makeNewMap(o);
    for (const QString &path : report.written)
        out() << "wrote " << path << '\n';
    for (const QString &note : report.notes)
        out() << "note: " << note << '\n';
    out().flush();
    if (!report.error.isEmpty()) {
        err() << report.error << '\n';
        return 1;
    }
    const QString folder = QFileInfo(report.recipePath).absolutePath();
    out() << o.title << ": " << report.regions << " regions, " << report.size.width() << 'x' << report.size.height()
          << "\nReview the names, then rebuild with:\n  mapurix-forge build --sources " << folder << " --names "
          << folder << " --manifests " << folder << "/regiones --data " << o.dataFolder << ' ' << report.recipePath
          << '\n';
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
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
