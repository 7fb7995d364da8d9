// Makes the region cards of a data folder from the pinned sources and the
// reviewed tables. Texts always; locator pictures from the maps themselves;
// flags for countries (and the few subdivisions whose flags were checked).
#include "cards.h"

#include "cardsources.h"
#include "flagtable.h"
#include "cardtext.h"
#include "cardwords.h"
#include "divisiongeometry.h"
#include "facttable.h"
#include "neighbourtable.h"
#include "secondreading.h"
#include "gifwriter.h"
#include "pictures.h"
#include "spanish.h"

#include "mapdata/coordinatesfile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <map>

namespace cards {

std::optional<AtlasMap> readCoordinates(const QString &path, QString *error)
{
    const auto bytes = textfile::readBytes(path);
    if (!bytes) {
        *error = LoadError{path, 0, {}, QStringLiteral("cannot be read")}.message();
        return std::nullopt;
    }
    const auto parsed = parseCoordinatesFile(*bytes, path);
    if (const auto *fault = std::get_if<LoadError>(&parsed)) {
        *error = fault->message();
        return std::nullopt;
    }
    const auto &description = std::get<MapDescription>(parsed);
    AtlasMap map;
    map.file = QFileInfo(path).fileName();
    map.picture = description.mapPictureFile;
    for (const RegionRecord &region : description.regions) {
        MapRegion r;
        r.name = region.regionName;
        for (int area = 0; area < RegionRecord::kAreas; ++area) {
            if (region.hasArea(area))
                r.seeds << region.seed(area);
        }
        map.regions << r;
    }
    return map;
}

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


enum class Kind { Country, Province, Community, State, Division, Sea };

// A division's entity code: its name table and its code there.
QString divisionKey(const QString &table, const QString &code)
{
    return table + u'|' + code;
}

struct Entity {
    Kind kind;
    QString code; // world-countries alpha-3, INE code, or USPS code
    bool operator==(const Entity &o) const { return kind == o.kind && code == o.code; }
};

Noun withoutLabel(Noun n)
{
    const qsizetype bracket = n.name.indexOf(QStringLiteral(" ("));
    if (bracket > 0 && n.name.endsWith(u')'))
        n.name.truncate(bracket);
    return n;
}

void sortNouns(QList<Noun> &nouns)
{
    QStringList names;
    for (const Noun &n : nouns)
        names << n.name;
    icu_es::sortSpanish(names);
    QList<Noun> sorted;
    for (const QString &name : names)
        for (const Noun &n : nouns)
            if (n.name == name) {
                sorted << n;
                break;
            }
    nouns = sorted;
}

struct Options {
    QString data;
    QString sources = QStringLiteral("tools/forge/.npm-cache");
    QString tables = QStringLiteral("tools/forge/cards/tables");
    QString ownFlags = QStringLiteral("tools/forge/cards/banderas");
    QString names = QStringLiteral("tools/forge/names");
    QString regions = QStringLiteral("tools/forge/maps/regions");
    QString recipes = QStringLiteral("tools/forge/maps");
    bool texts = true;
    bool pictures = true;
    bool flags = true;
    bool prune = false;
    QString neighbourDrafts; // folder for draft neighbour tables read from the boundaries
};

class CardMaker {
public:
    explicit CardMaker(Options o) : opt(std::move(o)) {}
    bool load();
    bool run();

private:
    bool table(const QString &dir, const QString &file, TsvTable *t);
    void addName(const QString &name, const Entity &e);
    bool loadRegionLists();
    QList<Entity> candidates(const QString &name) const;
    QString countryName(const QString &cca3) const;
    Noun countryNoun(const QString &cca3) const;
    static Noun nounOf(const TsvTable &t, const QStringList &row);
    QString languageName(const QString &code);
    QString currencyName(const QString &code);
    QString correction(const QString &cca3, const QString &field, bool *found) const;

    CountryFacts countryFacts(const QString &cca3);
    ProvinceFacts provinceFacts(const QString &ine);
    CommunityFacts communityFacts(const QString &ine);
    StateFacts stateFacts(const QString &usps);
    DivisionFacts divisionFacts(const QString &key);
    SeaFacts seaFacts(const QString &key);
    bool measureDivisionMaps();
    Noun countryByAnyCode(const QString &code) const;
    QStringList textFor(const QList<Entity> &entities);
    QString flagFor(const QList<Entity> &entities) const;

    Options opt;
    QList<WorldCountry> countries;
    QHash<QString, int> byCca3, byCca2;
    TsvTable forgeCountries, forgeProvinces, forgeCommunities, forgeStates;
    TsvTable capitals, corrections, territories, subregions, languageNames, currencyNames;
    TsvTable provinceData, communityData, stateData, subdivisionFlags;
    QHash<QString, TopoFeature> provinceTopo, communityTopo, stateTopo;
    QHash<QString, QList<Entity>> nameIndex;
    QHash<QString, QList<Entity>> regionIndex; // from the forge's per-map region lists
    // Divisions of any country: name tables with a `tipo` column, their facts
    // tables, the recipe each map is drawn from, and what the boundaries say.
    QHash<QString, TsvTable> divisionNames, divisionData;
    QHash<QString, QString> divisionSource;            // division key -> manifest's source label
    std::map<QString, QStringList> divisionCodesByRecipe; // recipe path -> codes
    QHash<QString, QString> recipeTable;               // recipe path -> name table
    QHash<QString, DivisionShape> divisionShapes;      // division key -> measures
    // Seas, gulfs and oceans: rows of a name table whose `tipo` is a kind of
    // water, told from their facts table in aguas/.
    QHash<QString, TsvTable> seaData;                  // name table -> facts
    FactTables facts;
    QList<SizeReference> spainSizes; // communities and provinces, by their sourced areas
    double spainArea = -1;
    void loadSizes();
    bool writeSourcesFile(const QString &path);
    QString flagSources() const;
    QString nationalCapital(const QString &alpha2);
    double countryArea(const WorldCountry &c) const;
    QStringList warnings;

    // Neighbours come from the reviewed tables; the boundaries are read
    // again only to flag what disagrees with them.
    NeighbourTables neighbourTables;
    Reviews reviews;
    std::map<QString, std::map<QString, GeometryReading>> geometryReadings() const;
    QList<Noun> neighbourCountries(const NeighbourRow *row) const;
    const NeighbourRow *neighbourRow(const QString &table, const QString &code);
    QString alpha3Of(const QString &code) const;
    QString communityTopoId(const QString &ine) const;
    bool secondReading();
    bool writeNeighbourDrafts();
};

bool CardMaker::table(const QString &dir, const QString &file, TsvTable *t)
{
    QString error;
    auto read = readTsv(QDir(dir).filePath(file), &error);
    if (!read) {
        err() << "error: " << error << Qt::endl;
        return false;
    }
    *t = *read;
    return true;
}

QString fold(const QString &s)
{
    return s.trimmed().toCaseFolded();
}

void CardMaker::addName(const QString &name, const Entity &e)
{
    if (name.trimmed().isEmpty())
        return;
    QList<Entity> &list = nameIndex[fold(name)];
    if (!list.contains(e))
        list << e;
}

QList<Entity> CardMaker::candidates(const QString &name) const
{
    return nameIndex.value(fold(name));
}

bool CardMaker::load()
{
    QString error;
    auto wc = readWorldCountries(QDir(opt.sources).filePath(QStringLiteral("world-countries/countries.json")), &error);
    if (!wc) {
        err() << "error: " << error << "\n(run tools/forge/cards/fetch-sources.sh first)" << Qt::endl;
        return false;
    }
    countries = *wc;
    for (int i = 0; i < countries.size(); ++i) {
        byCca3.insert(countries.at(i).cca3, i);
        byCca2.insert(countries.at(i).cca2, i);
    }
    bool ok = table(opt.names, QStringLiteral("paises.tsv"), &forgeCountries)
        && table(opt.names, QStringLiteral("provincias.tsv"), &forgeProvinces)
        && table(opt.names, QStringLiteral("comunidades.tsv"), &forgeCommunities)
        && table(opt.names, QStringLiteral("estados-unidos.tsv"), &forgeStates)
        && table(opt.tables, QStringLiteral("capitales.tsv"), &capitals)
        && table(opt.tables, QStringLiteral("correcciones.tsv"), &corrections)
        && table(opt.tables, QStringLiteral("territorios.tsv"), &territories)
        && table(opt.tables, QStringLiteral("subregiones.tsv"), &subregions)
        && table(opt.tables, QStringLiteral("nombres-lenguas.tsv"), &languageNames)
        && table(opt.tables, QStringLiteral("nombres-monedas.tsv"), &currencyNames)
        && table(opt.tables, QStringLiteral("provincias-datos.tsv"), &provinceData)
        && table(opt.tables, QStringLiteral("comunidades-datos.tsv"), &communityData)
        && table(opt.tables, QStringLiteral("estados-datos.tsv"), &stateData)
        && table(opt.tables, QStringLiteral("banderas-subdivisiones.tsv"), &subdivisionFlags);
    if (!ok)
        return false;

    auto topo = [&](const QString &file, const QString &object, QHash<QString, TopoFeature> *into) {
        auto features = readTopoFeatures(QDir(opt.sources).filePath(file), object, &error);
        if (!features) {
            err() << "error: " << error << Qt::endl;
            return false;
        }
        for (const TopoFeature &f : *features)
            into->insert(f.id, f);
        return true;
    };
    if (!topo(QStringLiteral("es-atlas/es/provinces.json"), QStringLiteral("provinces"), &provinceTopo)
        || !topo(QStringLiteral("es-atlas/es/provinces.json"), QStringLiteral("autonomous_regions"), &communityTopo)
        || !topo(QStringLiteral("us-atlas/states-10m.json"), QStringLiteral("states"), &stateTopo))
        return false;

    QStringList factErrors;
    if (!facts.load(opt.tables, &factErrors)) {
        for (const QString &e : factErrors)
            err() << "error: " << e << Qt::endl;
        return false;
    }
    loadSizes();

    QStringList tableErrors;
    auto sourceKnown = [this](const QString &key) { return !facts.source(key).key.isEmpty(); };
    const bool drafting = !opt.neighbourDrafts.isEmpty();
    if ((!neighbourTables.load(opt.tables, sourceKnown, &tableErrors) && !drafting)
        || !reviews.load(QDir(opt.tables).filePath(QStringLiteral("segunda-lectura.tsv")), &tableErrors)) {
        for (const QString &e : tableErrors)
            err() << "error: " << e << Qt::endl;
        return false;
    }

    if (!loadRegionLists())
        return false;
    if (!measureDivisionMaps())
        return false;

    // Names by which a region may appear in a coordinates file.
    for (const QStringList &row : forgeCountries.rows) {
        const int i = byCca2.value(forgeCountries.value(row, QStringLiteral("alpha2")), -1);
        if (i >= 0)
            addName(forgeCountries.value(row, QStringLiteral("nombre")), {Kind::Country, countries.at(i).cca3});
    }
    for (const WorldCountry &c : countries) {
        addName(icu_es::country(c.cca2), {Kind::Country, c.cca3});
        addName(c.spanishName, {Kind::Country, c.cca3});
    }
    for (const QStringList &row : forgeProvinces.rows) {
        const Entity e{Kind::Province, forgeProvinces.value(row, QStringLiteral("ine"))};
        addName(forgeProvinces.value(row, QStringLiteral("nombre")), e);
        for (const QString &part : forgeProvinces.value(row, QStringLiteral("oficial")).split(u'/'))
            addName(part, e);
    }
    for (const QStringList &row : forgeCommunities.rows) {
        const Entity e{Kind::Community, forgeCommunities.value(row, QStringLiteral("ine"))};
        addName(forgeCommunities.value(row, QStringLiteral("nombre")), e);
        for (const QString &part : forgeCommunities.value(row, QStringLiteral("oficial")).split(u'/'))
            addName(part, e);
    }
    for (const QStringList &row : forgeStates.rows) {
        const QString usps = forgeStates.value(row, QStringLiteral("usps"));
        if (forgeStates.value(row, QStringLiteral("fips")).toInt() > 56)
            continue; // island territories are countries' cards, not states'
        addName(forgeStates.value(row, QStringLiteral("nombre")), {Kind::State, usps});
    }
    return true;
}

// The forge writes, for each map, which table row every region comes from;
// that settles names such as "Granada (Antillas)" that no name table holds.
bool CardMaker::loadRegionLists()
{
    const QDir dir(opt.regions);
    if (!dir.exists())
        return true;
    for (const QString &file : dir.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        TsvTable list;
        if (!table(opt.regions, file, &list))
            return false;
        for (const QStringList &row : list.rows) {
            const QString name = list.value(row, QStringLiteral("nombre"));
            const QString code = list.value(row, QStringLiteral("codigo"));
            const QString source = list.value(row, QStringLiteral("tabla"));
            const QString key = list.value(row, QStringLiteral("clave"));
            std::optional<Entity> e;
            auto find = [&](const TsvTable &t, const QString &wanted) -> QStringList {
                for (const QStringList &r : t.rows)
                    if (t.value(r, key) == code)
                        return QStringList{t.value(r, wanted)};
                return {};
            };
            if (source == QStringLiteral("paises.tsv")) {
                const QStringList alpha2 = find(forgeCountries, QStringLiteral("alpha2"));
                if (!alpha2.isEmpty() && byCca2.contains(alpha2.first()))
                    e = Entity{Kind::Country, countries.at(byCca2.value(alpha2.first())).cca3};
            } else if (source == QStringLiteral("provincias.tsv")) {
                const QStringList ine = find(forgeProvinces, QStringLiteral("ine"));
                if (!ine.isEmpty())
                    e = Entity{Kind::Province, ine.first()};
            } else if (source == QStringLiteral("comunidades.tsv")) {
                const QStringList ine = find(forgeCommunities, QStringLiteral("ine"));
                if (!ine.isEmpty())
                    e = Entity{Kind::Community, ine.first()};
            } else if (source == QStringLiteral("estados-unidos.tsv")) {
                const QStringList usps = find(forgeStates, QStringLiteral("usps"));
                if (!usps.isEmpty())
                    e = Entity{Kind::State, usps.first()};
            } else if (!source.isEmpty()) {
                // Any other name table with a `tipo` column lists first-level
                // divisions: a new map needs no code, only its tables.
                if (!divisionNames.contains(source)) {
                    TsvTable names;
                    if (!table(opt.names, source, &names))
                        return false;
                    divisionNames.insert(source, names);
                    TsvTable data;
                    const QString dataPath = QDir(opt.tables).filePath(QStringLiteral("divisiones/") + source);
                    if (QFileInfo::exists(dataPath) && !table(QDir(opt.tables).filePath(QStringLiteral("divisiones")), source, &data))
                        return false;
                    const bool water = !names.rows.isEmpty()
                        && isWaterKind(names.value(names.rows.first(), QStringLiteral("tipo")));
                    if (!QFileInfo::exists(dataPath) && names.column(QStringLiteral("tipo")) >= 0 && !water)
                        warnings << QStringLiteral("no facts table divisiones/") + source + QStringLiteral(": cards without capitals");
                    divisionData.insert(source, data);
                }
                const TsvTable &names = divisionNames[source];
                const QStringList tipo = find(names, QStringLiteral("tipo"));
                if (!tipo.isEmpty() && isWaterKind(tipo.first())) {
                    if (!seaData.contains(source)) {
                        TsvTable facts;
                        if (!table(QDir(opt.tables).filePath(QStringLiteral("aguas")), source, &facts))
                            return false;
                        seaData.insert(source, facts);
                    }
                    e = Entity{Kind::Sea, divisionKey(source, code)};
                } else if (names.column(QStringLiteral("tipo")) >= 0 && !find(names, QStringLiteral("nombre")).isEmpty()) {
                    e = Entity{Kind::Division, divisionKey(source, code)};
                    divisionSource.insert(e->code, list.value(row, QStringLiteral("fuente")));
                    const QString recipe = QDir(opt.recipes).filePath(QFileInfo(file).completeBaseName()
                                                                      + QStringLiteral(".recipe"));
                    divisionCodesByRecipe[recipe] << code;
                    recipeTable.insert(recipe, source);
                }
            }
            if (!e) {
                warnings << file + QStringLiteral(": cannot place \"") + name + QStringLiteral("\" (") + source
                        + u' ' + key + u' ' + code + u')';
                continue;
            }
            QList<Entity> &known = regionIndex[fold(name)];
            if (!known.contains(*e))
                known << *e;
        }
    }
    return true;
}

bool CardMaker::measureDivisionMaps()
{
    if (!opt.texts)
        return true;
    for (const auto &[recipe, codes] : divisionCodesByRecipe) {
        QString error;
        auto shapes = measureDivisions(recipe, opt.sources, codes, &error);
        if (!shapes) {
            err() << "error: " << recipe << ": " << error << Qt::endl;
            return false;
        }
        for (auto it = shapes->begin(); it != shapes->end(); ++it)
            divisionShapes.insert(divisionKey(recipeTable.value(recipe), it.key()), it.value());
    }
    return true;
}

SeaFacts CardMaker::seaFacts(const QString &key)
{
    const QString tableName = key.section(u'|', 0, 0);
    const QString code = key.section(u'|', 1);
    const TsvTable &names = divisionNames[tableName];
    const QStringList row = names.indexBy(QStringLiteral("codigo")).value(code);
    SeaFacts f;
    f.name = nounOf(names, row);
    f.name.name = seaNameInSentence(f.name.name);
    const TsvTable &data = seaData[tableName];
    const QStringList facts = data.indexBy(QStringLiteral("codigo")).value(code);
    if (facts.isEmpty()) {
        warnings << QStringLiteral("aguas/") + tableName + QStringLiteral(": no facts for ") + code;
        return f;
    }
    f.description = data.value(facts, QStringLiteral("descripcion"));
    f.links = data.value(facts, QStringLiteral("comunicacion"));
    for (const QString &c : data.value(facts, QStringLiteral("paises")).split(u' ', Qt::SkipEmptyParts)) {
        const Noun country = countryByAnyCode(c);
        if (country.name.isEmpty())
            warnings << QStringLiteral("aguas/") + tableName + u' ' + code + QStringLiteral(": no country ") + c;
        else
            f.coasts << country;
    }
    f.shores = data.value(facts, QStringLiteral("costas"));
    bool known = false;
    const double area = data.value(facts, QStringLiteral("superficie")).toDouble(&known);
    if (known)
        f.area = area;
    const int depth = data.value(facts, QStringLiteral("profundidad")).toInt(&known);
    if (known)
        f.depth = depth;
    f.deepest = data.value(facts, QStringLiteral("fondo"));
    f.note = data.value(facts, QStringLiteral("nota"));
    if (f.description.isEmpty())
        warnings << QStringLiteral("aguas/") + tableName + u' ' + code + QStringLiteral(": no description");
    return f;
}

Noun CardMaker::countryByAnyCode(const QString &code) const
{
    for (const QString &column : {QStringLiteral("alpha2"), QStringLiteral("alpha3"), QStringLiteral("numeric")})
        for (const QStringList &row : forgeCountries.rows)
            if (forgeCountries.value(row, column) == code)
                return nounOf(forgeCountries, row);
    return {};
}

// "provincia", "región", "comunidad autónoma", "entidad federativa" are
// feminine; "estado", "departamento", "land", "distrito capital" masculine.
bool feminineKind(const QString &kind)
{
    const QString first = kind.section(u' ', 0, 0);
    return first.endsWith(u'a') || first.endsWith(QStringLiteral("ión")) || first.endsWith(QStringLiteral("dad"));
}

DivisionFacts CardMaker::divisionFacts(const QString &key)
{
    const QString tableName = key.section(u'|', 0, 0);
    const QString code = key.section(u'|', 1);
    const TsvTable &names = divisionNames[tableName];
    const auto byCode = names.indexBy(QStringLiteral("codigo"));
    const QStringList row = byCode.value(code);
    DivisionFacts f;
    f.name = nounOf(names, row);
    f.kind = names.value(row, QStringLiteral("tipo"));
    f.kindFeminine = feminineKind(f.kind);
    const QString alpha2 = code.section(u'-', 0, 0);
    f.country = countryByAnyCode(alpha2);
    if (f.country.name.isEmpty()) {
        warnings << key + QStringLiteral(": the code names no country in paises.tsv");
        f.country.name = alpha2;
    }
    const TsvTable &data = divisionData[tableName];
    const QStringList facts = data.indexBy(QStringLiteral("codigo")).value(code);
    f.capital = data.value(facts, QStringLiteral("capital"));
    f.note = data.value(facts, QStringLiteral("nota"));
    if (facts.isEmpty())
        warnings << tableName + QStringLiteral(": no facts for ") + code;
    // "Córdoba (Argentina)": the brackets tell maps apart, not sentences.
    const qsizetype bracket = f.name.name.indexOf(QStringLiteral(" ("));
    if (bracket > 0 && f.name.name.endsWith(u')')) {
        f.name.name.truncate(bracket);
        f.labelled = true;
    }
    // "una de las diez provincias": only the divisions of its own kind count
    // (Belgium's map has ten provinces and one region).
    for (const QStringList &r : names.rows) {
        f.divisionCount += names.value(r, QStringLiteral("tipo")) == f.kind ? 1 : 0;
        f.allDivisions += isWaterKind(names.value(r, QStringLiteral("tipo"))) ? 0 : 1;
    }
    f.nationalCapital = nationalCapital(alpha2);
    f.sourced = this->facts.facts(QFileInfo(tableName).completeBaseName(), code);
    f.sizes = spainSizes;
    f.spainArea = spainArea;
    if (const NeighbourRow *n = neighbourRow(QFileInfo(tableName).completeBaseName(), code)) {
        for (const QString &c : n->neighbours)
            if (byCode.contains(c))
                f.neighbours << withoutLabel(nounOf(names, byCode.value(c)));
        sortNouns(f.neighbours);
        f.countries = neighbourCountries(n);
        f.island = f.neighbours.isEmpty() && f.countries.isEmpty();
    }
    if (divisionShapes.contains(key))
        f.islands = divisionShapes.value(key).pieces;
    else
        warnings << key + QStringLiteral(": not measured from its map's source");
    return f;
}

const NeighbourRow *CardMaker::neighbourRow(const QString &table, const QString &code)
{
    const NeighbourRow *row = neighbourTables.row(table, code);
    if (!row)
        warnings << QStringLiteral("vecinos/") + table + QStringLiteral(".tsv: no row for ") + code;
    return row;
}

QList<Noun> CardMaker::neighbourCountries(const NeighbourRow *row) const
{
    QList<Noun> nouns;
    for (const QString &c : row->countries)
        nouns << countryNoun(c);
    sortNouns(nouns);
    return nouns;
}

QString CardMaker::alpha3Of(const QString &code) const
{
    for (const QString &column : {QStringLiteral("alpha2"), QStringLiteral("alpha3"), QStringLiteral("numeric")})
        for (const QStringList &row : forgeCountries.rows)
            if (forgeCountries.value(row, column) == code)
                return forgeCountries.value(row, QStringLiteral("alpha3"));
    return {};
}

QString CardMaker::communityTopoId(const QString &ine) const
{
    // es-atlas numbers the communities as the INE does; look them up by name too.
    const QString official =
        fold(forgeCommunities.value(forgeCommunities.indexBy(QStringLiteral("ine")).value(ine), QStringLiteral("oficial")));
    if (communityTopo.contains(ine) && fold(communityTopo.value(ine).name) == official)
        return ine;
    for (const TopoFeature &t : communityTopo)
        if (fold(t.name) == official)
            return t.id;
    return {};
}

std::map<QString, std::map<QString, GeometryReading>> CardMaker::geometryReadings() const
{
    std::map<QString, std::map<QString, GeometryReading>> out;
    // A division can border only a country its own country borders: a
    // foreign outline a few kilometres off across the sea is no neighbour.
    auto bordersOf = [this](const QString &alpha3) {
        bool found = false;
        const QString fix = correction(alpha3, QStringLiteral("fronteras"), &found);
        if (found)
            return fix.split(u' ', Qt::SkipEmptyParts);
        const int i = byCca3.value(alpha3, -1);
        return i < 0 ? QStringList{} : countries.at(i).borders;
    };
    for (auto it = divisionShapes.constBegin(); it != divisionShapes.constEnd(); ++it) {
        const QString table = QFileInfo(it.key().section(u'|', 0, 0)).completeBaseName();
        const QString code = it.key().section(u'|', 1);
        const DivisionShape &shape = it.value();
        const QString own = alpha3Of(code.section(u'-', 0, 0));
        const QStringList borders = bordersOf(own);
        GeometryReading r;
        QStringList same;
        for (const QString &n : shape.neighbours)
            if (divisionShapes.contains(divisionKey(it.key().section(u'|', 0, 0), n)))
                same << n; // a piece of the source that no map shows (Jervis Bay) is no neighbour
        r.neighbours = same;
        QStringList foreign;
        for (const QString &o : shape.foreign) {
            const QString c = alpha3Of(o.section(u':', 1));
            if (!c.isEmpty() && c != own && borders.contains(c) && !foreign.contains(c))
                foreign << c;
        }
        foreign.sort();
        r.countries = foreign;
        r.areaKm2 = shape.areaKm2;
        r.coast = shape.coast;
        out[table][code] = r;
    }
    const auto provinces = forgeProvinces.indexBy(QStringLiteral("ine"));
    for (auto it = provinces.constBegin(); it != provinces.constEnd(); ++it) {
        if (!provinceTopo.contains(it.key()))
            continue;
        const TopoFeature &t = provinceTopo.value(it.key());
        GeometryReading r;
        QStringList n;
        for (const QString &c : t.neighbours)
            if (provinces.contains(c)) // Gibraltar is in the boundaries, and no province
                n << c;
        r.neighbours = n;
        r.areaKm2 = t.areaKm2;
        out[QStringLiteral("provincias")][it.key()] = r;
    }
    QHash<QString, QString> communityByTopo;
    for (const QStringList &row : forgeCommunities.rows) {
        const QString ine = forgeCommunities.value(row, QStringLiteral("ine"));
        communityByTopo.insert(communityTopoId(ine), ine);
    }
    for (auto it = communityByTopo.constBegin(); it != communityByTopo.constEnd(); ++it) {
        if (!communityTopo.contains(it.key()))
            continue;
        const TopoFeature &t = communityTopo.value(it.key());
        GeometryReading r;
        QStringList n;
        for (const QString &c : t.neighbours)
            if (communityByTopo.contains(c))
                n << communityByTopo.value(c);
        r.neighbours = n;
        r.areaKm2 = t.areaKm2;
        out[QStringLiteral("comunidades")][it.value()] = r;
    }
    const auto byFips = forgeStates.indexBy(QStringLiteral("fips"));
    for (const QStringList &row : forgeStates.rows) {
        const QString fips = forgeStates.value(row, QStringLiteral("fips"));
        if (fips.toInt() > 56 || !stateTopo.contains(fips))
            continue;
        GeometryReading r;
        QStringList n;
        for (const QString &c : stateTopo.value(fips).neighbours)
            if (byFips.contains(c))
                n << forgeStates.value(byFips.value(c), QStringLiteral("usps"));
        r.neighbours = n;
        out[QStringLiteral("estados-unidos")][forgeStates.value(row, QStringLiteral("usps"))] = r;
    }
    // Touching is mutual: a border the outline of one side shows counts for both.
    for (auto &[table, regions] : out) {
        for (auto &[code, reading] : regions)
            for (const QString &n : *reading.neighbours) {
                auto other = regions.find(n);
                if (other != regions.end() && !other->second.neighbours->contains(code))
                    *other->second.neighbours << code;
            }
        for (auto &[code, reading] : regions)
            reading.neighbours->sort();
    }
    return out;
}

bool CardMaker::secondReading()
{
    QStringList open;
    int compared = 0, reviewed = 0;
    for (const auto &[table, regions] : geometryReadings()) {
        for (const auto &[code, reading] : regions) {
            ++compared;
            const NeighbourRow *row = neighbourTables.row(table, code);
            if (!row)
                open << table + u' ' + code + QStringLiteral(": no row in vecinos/") + table + QStringLiteral(".tsv");
            reviewed += row && !row->note.isEmpty() ? 1 : 0;
            for (const Disagreement &d : compareReading(table, code, row, facts.facts(table, code), reading)) {
                if (reviews.covers(d))
                    ++reviewed;
                else
                    open << d.text();
            }
        }
    }
    for (const QString &u : reviews.unused())
        warnings << u;
    out() << "second reading: " << compared << " regions, " << reviewed << " reviewed differences, "
          << open.size() << " to review" << Qt::endl;
    for (const QString &o : open)
        err() << "to review: " << o << Qt::endl;
    return open.isEmpty();
}

bool CardMaker::writeNeighbourDrafts()
{
    if (!QDir().mkpath(opt.neighbourDrafts)) {
        err() << "error: cannot make " << opt.neighbourDrafts << Qt::endl;
        return false;
    }
    for (const auto &[table, regions] : geometryReadings()) {
        QFile file(QDir(opt.neighbourDrafts).filePath(table + QStringLiteral(".tsv")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            err() << "error: " << file.fileName() << ": " << file.errorString() << Qt::endl;
            return false;
        }
        QTextStream ts(&file);
        ts << "# Borrador leído de los límites: revísese fila a fila antes de copiarlo a tables/vecinos/.\n"
              "codigo\tvecinos\tpaises\tfuente\tnota\n";
        for (const auto &[code, reading] : regions) {
            // A reviewed row stays as it is; others take what the boundaries show.
            if (const NeighbourRow *row = neighbourTables.row(table, code); row && !row->note.isEmpty()) {
                ts << code << '\t' << row->neighbours.join(u' ') << '\t' << row->countries.join(u' ') << '\t'
                   << row->source << '\t' << row->note << '\n';
                continue;
            }
            const NeighbourRow *old = neighbourTables.row(table, code);
            const QStringList countries = reading.countries ? *reading.countries
                                                            : (old ? old->countries : QStringList{});
            ts << code << '\t' << reading.neighbours->join(u' ') << '\t' << countries.join(u' ') << '\t'
               << (old ? old->source : QString()) << "\t\n";
        }
    }
    // Borders only one side's outline shows are the first to check by hand.
    for (auto it = divisionShapes.constBegin(); it != divisionShapes.constEnd(); ++it) {
        const QString table = it.key().section(u'|', 0, 0);
        for (const QString &n : it->neighbours) {
            const auto other = divisionShapes.constFind(divisionKey(table, n));
            if (other != divisionShapes.constEnd() && !other->neighbours.contains(it.key().section(u'|', 1)))
                out() << "one side only: " << QFileInfo(table).completeBaseName() << ' ' << it.key().section(u'|', 1)
                      << " -> " << n << Qt::endl;
        }
    }
    out() << "draft neighbour tables written to " << opt.neighbourDrafts << Qt::endl;
    return true;
}

QString CardMaker::countryName(const QString &cca3) const
{
    const int i = byCca3.value(cca3, -1);
    if (i < 0)
        return cca3;
    const QString alpha2 = countries.at(i).cca2;
    for (const QStringList &row : forgeCountries.rows)
        if (forgeCountries.value(row, QStringLiteral("alpha2")) == alpha2)
            return forgeCountries.value(row, QStringLiteral("nombre"));
    const QString icu = icu_es::country(alpha2);
    return icu.isEmpty() ? countries.at(i).spanishName : icu;
}

void CardMaker::loadSizes()
{
    spainArea = countryArea(countries.at(byCca3.value(QStringLiteral("ESP"))));
    QSet<QString> seen;
    auto add = [&](const TsvTable &t, const QString &table) {
        for (const QStringList &row : t.rows) {
            const RegionFacts r = facts.facts(table, t.value(row, QStringLiteral("ine")));
            const Noun n = nounOf(t, row);
            if (r.area.known() && !seen.contains(n.name)) {
                seen.insert(n.name);
                spainSizes << SizeReference{n, r.area.value};
            }
        }
    };
    add(forgeCommunities, QStringLiteral("comunidades"));
    add(forgeProvinces, QStringLiteral("provincias"));
}

// The sources of every map and every card, for a teacher who wants to check
// a figure: the cards themselves name none, so that a child reads geography,
// not credits. Written in UTF-8 beside LICENCIAS, which holds the licences.
bool CardMaker::writeSourcesFile(const QString &path)
{
    QString text = QStringLiteral(
        "FUENTES DE LOS MAPAS Y DE LAS FICHAS\n"
        "====================================\n\n"
        "Este archivo lo escribe mapurix-forge cards a partir de las tablas revisadas del atlas\n"
        "(tools/forge). Las licencias completas y las atribuciones están en LICENCIAS y en licencias/.\n"
        "Ninguna cifra de las fichas se ha medido sobre los mapas: cada una sale de una fila de una\n"
        "tabla que nombra su fuente.\n\n"
        "1. Fronteras de cada mapa\n\n");
    QStringList maps;
    for (const QFileInfo &fi : QDir(opt.recipes).entryInfoList({QStringLiteral("*.recipe")}, QDir::Files, QDir::Name)) {
        QFile f(fi.filePath());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        QString title, label;
        for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n')) {
            if (line.startsWith(QStringLiteral("title = ")))
                title = line.mid(8).trimmed();
            else if (line.startsWith(QStringLiteral("source-label = ")))
                label = line.mid(15).trimmed();
        }
        if (!title.isEmpty())
            maps << QStringLiteral("- ") + title + QStringLiteral(": ") + label;
    }
    icu_es::sortSpanish(maps);
    text += maps.join(u'\n') + QStringLiteral("\n\n2. Tablas de nombres, capitales y datos de los países\n\n");
    text += QStringLiteral("- Países: world-countries 5.1.0 (licencia ODbL 1.0), con los nombres en español de "
                           "Unicode CLDR (licencia Unicode) y las correcciones de tools/forge/cards/tables.\n");
    const QStringList reviewed = QDir(opt.tables).entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)
        + QDir(QDir(opt.tables).filePath(QStringLiteral("divisiones")))
              .entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)
              .replaceInStrings(QRegularExpression(QStringLiteral("^")), QStringLiteral("divisiones/"));
    for (const QString &name : reviewed) {
        QFile f(QDir(opt.tables).filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        QStringList said;
        for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n')) {
            if (!line.startsWith(u'#'))
                break;
            if (line.contains(QStringLiteral("Fuente")))
                said << line.mid(1).trimmed();
        }
        if (!said.isEmpty())
            text += QStringLiteral("- ") + name + QStringLiteral(": ") + said.join(u' ') + u'\n';
    }
    text += QStringLiteral("\n3. Superficie, población y demás hechos de cada región (tables/hechos)\n");
    QStringList tables = facts.tables();
    std::sort(tables.begin(), tables.end());
    for (const QString &table : tables) {
        QStringList keys;
        for (const QString &code : facts.codes(table))
            for (const QString &k : facts.facts(table, code).sources)
                if (!keys.contains(k))
                    keys << k;
        std::sort(keys.begin(), keys.end());
        text += QStringLiteral("\n") + table + QStringLiteral(":\n");
        for (const QString &k : keys) {
            const Source src = facts.source(k);
            text += QStringLiteral("- [") + k + QStringLiteral("] ") + src.description
                + (src.link.isEmpty() ? QString() : QStringLiteral(" <") + src.link + u'>') + u'\n';
        }
    }
    text += QStringLiteral("\n4. Vecinos de cada región (tables/vecinos)\n\n");
    QStringList neighbourTablesNames = neighbourTables.tables();
    std::sort(neighbourTablesNames.begin(), neighbourTablesNames.end());
    for (const QString &table : neighbourTablesNames) {
        QStringList keys;
        for (const NeighbourRow &row : neighbourTables.table(table))
            if (!keys.contains(row.source))
                keys << row.source;
        std::sort(keys.begin(), keys.end());
        text += table + QStringLiteral(": ") + keys.join(QStringLiteral(", ")) + u'\n';
    }
    text += QStringLiteral("\n");
    for (const Source &src : facts.sources())
        if (src.key.endsWith(QStringLiteral("-LIMITES")) || src.key.endsWith(QStringLiteral("-VECINOS")))
            text += QStringLiteral("- [") + src.key + QStringLiteral("] ") + src.description
                + (src.link.isEmpty() ? QString() : QStringLiteral(" <") + src.link + u'>') + u'\n';
    text += flagSources();
    QFile out(path);
    const QByteArray bytes = text.toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        err() << "error: " << path << ": " << out.errorString() << Qt::endl;
        return false;
    }
    return true;
}

// The flags the repository keeps a copy of, each with the file it copies,
// its author and its licence: the credit a CC BY licence asks for, and what a
// teacher needs to find the original.
QString CardMaker::flagSources() const
{
    QString error;
    const auto table = readTsv(QDir(opt.ownFlags).filePath(QStringLiteral("procedencia.tsv")), &error);
    if (!table)
        return {};
    QString text = QStringLiteral(
        "\n5. Banderas de las divisiones (tools/forge/cards/banderas)\n\n"
        "Copias sin cambios de dibujos de Wikimedia Commons, tomadas del repositorio público\n"
        "fonttools/region-flags; la norma que adopta cada bandera está en\n"
        "tools/forge/cards/tables/banderas-subdivisiones.tsv y la procedencia completa (ruta, commit,\n"
        "revisión de la página) en tools/forge/cards/banderas/procedencia.tsv.\n");
    for (const QStringList &row : table->rows) {
        const QString author = table->value(row, QStringLiteral("autor"));
        text += QStringLiteral("- ") + table->value(row, QStringLiteral("fichero")).chopped(4) + QStringLiteral(": ")
            + table->value(row, QStringLiteral("original"))
            + (author == QStringLiteral("no consta en la página") ? QString() : QStringLiteral(", de ") + author)
            + QStringLiteral("; ") + table->value(row, QStringLiteral("licencia")) + u'\n';
    }
    return text;
}

// A country's area: its facts table's sourced figure, else the reviewed
// correction, else world-countries'.
double CardMaker::countryArea(const WorldCountry &c) const
{
    const RegionFacts sourced = facts.facts(QStringLiteral("paises"), c.cca3);
    if (sourced.area.known())
        return sourced.area.value;
    bool found = false;
    const QString fix = correction(c.cca3, QStringLiteral("superficie"), &found);
    if (found)
        return fix.toDouble();
    return c.area > 0 ? c.area : -1;
}

QString CardMaker::nationalCapital(const QString &alpha2)
{
    const int i = byCca2.value(alpha2, -1);
    if (i < 0)
        return {};
    const QStringList caps = countryFacts(countries.at(i).cca3).capitals;
    return caps.size() == 1 ? caps.first() : QString();
}

Noun CardMaker::nounOf(const TsvTable &t, const QStringList &row)
{
    return Noun::parse(t.value(row, QStringLiteral("nombre")), t.value(row, QStringLiteral("genero")),
                       t.value(row, QStringLiteral("numero")), t.value(row, QStringLiteral("articulo")));
}

Noun CardMaker::countryNoun(const QString &cca3) const
{
    const int i = byCca3.value(cca3, -1);
    if (i >= 0) {
        for (const QStringList &row : forgeCountries.rows)
            if (forgeCountries.value(row, QStringLiteral("alpha2")) == countries.at(i).cca2)
                return nounOf(forgeCountries, row);
    }
    for (const QStringList &row : forgeCountries.rows)
        if (forgeCountries.value(row, QStringLiteral("alpha3")) == cca3)
            return nounOf(forgeCountries, row);
    Noun n;
    n.name = countryName(cca3);
    return n;
}

QString CardMaker::languageName(const QString &code)
{
    const auto table = languageNames.indexBy(QStringLiteral("codigo"));
    if (table.contains(code))
        return languageNames.value(table.value(code), QStringLiteral("nombre"));
    const QString name = icu_es::language(code);
    if (name.isEmpty())
        warnings << QStringLiteral("no Spanish name for language ") + code;
    return name;
}

QString CardMaker::currencyName(const QString &code)
{
    const auto table = currencyNames.indexBy(QStringLiteral("codigo"));
    if (table.contains(code))
        return currencyNames.value(table.value(code), QStringLiteral("nombre"));
    const QString name = icu_es::currency(code);
    if (name.isEmpty())
        warnings << QStringLiteral("no Spanish name for currency ") + code;
    return name;
}

QString CardMaker::correction(const QString &cca3, const QString &field, bool *found) const
{
    *found = false;
    QString value;
    for (const QStringList &row : corrections.rows)
        if (corrections.value(row, QStringLiteral("alpha3")) == cca3
            && corrections.value(row, QStringLiteral("campo")) == field) {
            *found = true;
            value = corrections.value(row, QStringLiteral("valor"));
        }
    return value;
}

CountryFacts CardMaker::countryFacts(const QString &cca3)
{
    const WorldCountry &c = countries.at(byCca3.value(cca3));
    CountryFacts f;
    f.name = countryNoun(cca3);
    f.sourced = facts.facts(QStringLiteral("paises"), cca3);
    f.isSpain = cca3 == QStringLiteral("ESP");
    f.spainArea = spainArea;
    f.area = countryArea(c);
    f.landlocked = c.landlocked;
    bool found = false;
    f.coastNote = correction(cca3, QStringLiteral("costa"), &found);
    f.languageNote = correction(cca3, QStringLiteral("nota_lenguas"), &found);

    const auto terr = territories.indexBy(QStringLiteral("alpha3"));
    f.sovereign = c.independent;
    if (terr.contains(cca3)) {
        const QStringList row = terr.value(cca3);
        f.sovereign = territories.value(row, QStringLiteral("es_pais")) == QStringLiteral("si");
        const QString owner = territories.value(row, QStringLiteral("pertenece"));
        if (!owner.isEmpty())
            f.statusNote = QStringLiteral("Pertenece a ") + countryName(owner) + u'.';
        const QString note = territories.value(row, QStringLiteral("nota"));
        if (!note.isEmpty())
            f.statusNote += (f.statusNote.isEmpty() ? QString() : QStringLiteral(" ")) + note;
    }
    const QString extra = correction(cca3, QStringLiteral("nota"), &found);
    if (found)
        f.statusNote += (f.statusNote.isEmpty() ? QString() : QStringLiteral(" ")) + extra;

    f.dispute = correction(cca3, QStringLiteral("disputa"), &found);

    QString subregion = c.subregion;
    const QString sub = correction(cca3, QStringLiteral("subregion"), &found);
    if (found)
        subregion = sub;
    const auto subs = subregions.indexBy(QStringLiteral("subregion"));
    if (subs.contains(subregion))
        f.where = subregions.value(subs.value(subregion), QStringLiteral("frase"));
    else {
        warnings << cca3 + QStringLiteral(": no phrase for subregion ") + subregion;
        f.where = QStringLiteral("del mundo");
    }

    const QString caps = correction(cca3, QStringLiteral("capitales"), &found);
    if (found) {
        f.capitals = caps.isEmpty() ? QStringList() : caps.split(u'|');
    } else {
        for (const QString &english : c.capitals) {
            QString name = english;
            for (const QStringList &row : capitals.rows)
                if (capitals.value(row, QStringLiteral("alpha3")) == cca3
                    && capitals.value(row, QStringLiteral("ingles")) == english)
                    name = capitals.value(row, QStringLiteral("espanol"));
            f.capitals << name;
        }
        for (const QStringList &row : capitals.rows)
            if (capitals.value(row, QStringLiteral("alpha3")) == cca3
                && !c.capitals.contains(capitals.value(row, QStringLiteral("ingles"))))
                warnings << cca3 + QStringLiteral(": capitales.tsv expects \"")
                        + capitals.value(row, QStringLiteral("ingles")) + QStringLiteral("\" (the source changed?)");
    }
    f.capitalNote = correction(cca3, QStringLiteral("nota_capital"), &found);

    QStringList langs = c.languages;
    const QString langFix = correction(cca3, QStringLiteral("lenguas"), &found);
    if (found)
        langs = langFix.split(u' ', Qt::SkipEmptyParts);
    const QString total = correction(cca3, QStringLiteral("total_lenguas"), &found);
    f.languageCount = found ? total.toInt() : static_cast<int>(langs.size());
    if (f.languageCount > 4 && langs.size() > 3)
        langs = langs.mid(0, 3);
    for (const QString &code : langs) {
        const QString n = languageName(code);
        if (!n.isEmpty())
            f.languages << n;
    }
    if (f.languageCount == static_cast<int>(langs.size()))
        f.languageCount = static_cast<int>(f.languages.size());

    QStringList money = c.currencies;
    const QString moneyFix = correction(cca3, QStringLiteral("monedas"), &found);
    if (found)
        money = moneyFix.split(u' ', Qt::SkipEmptyParts);
    for (const QString &code : money) {
        const QString n = currencyName(code);
        if (!n.isEmpty())
            f.currencies << n;
    }

    QStringList borders = c.borders;
    const QString borderFix = correction(cca3, QStringLiteral("fronteras"), &found);
    if (found)
        borders = borderFix.split(u' ', Qt::SkipEmptyParts);
    for (const QString &b : borders)
        f.neighbours << countryNoun(b);
    sortNouns(f.neighbours);

    // Rankings among sovereign countries, by the same areas the cards tell.
    if (f.sovereign && f.area > 0) {
        QList<const WorldCountry *> ranked;
        for (const WorldCountry &x : countries)
            if (x.independent && countryArea(x) > 0)
                ranked << &x;
        std::sort(ranked.begin(), ranked.end(),
                  [this](auto a, auto b) { return countryArea(*a) > countryArea(*b); });
        for (int i = 0; i < ranked.size(); ++i) {
            if (ranked.at(i)->cca3 == cca3) {
                if (i < 10)
                    f.worldRank = i + 1;
                if (ranked.size() - i <= 10)
                    f.smallRank = static_cast<int>(ranked.size() - i);
            }
        }
        static const QHash<QString, QString> continents = {
            {QStringLiteral("Europe"), QStringLiteral("Europa")}, {QStringLiteral("Asia"), QStringLiteral("Asia")},
            {QStringLiteral("Africa"), QStringLiteral("África")}, {QStringLiteral("Americas"), QStringLiteral("América")},
            {QStringLiteral("Oceania"), QStringLiteral("Oceanía")}};
        for (const WorldCountry *x : ranked) {
            // Russia counts as European here, yet its Asian part alone is
            // larger than any country of Asia: no country is told as Asia's largest.
            if (c.region == QStringLiteral("Asia"))
                break;
            if (x->region == c.region) {
                if (x->cca3 == cca3)
                    f.largestIn = continents.value(c.region);
                break;
            }
        }
    }
    return f;
}

ProvinceFacts CardMaker::provinceFacts(const QString &ine)
{
    ProvinceFacts f;
    f.sourced = facts.facts(QStringLiteral("provincias"), ine);
    f.sizes = spainSizes;
    f.spainArea = spainArea;
    const QStringList row = forgeProvinces.indexBy(QStringLiteral("ine")).value(ine);
    f.name = nounOf(forgeProvinces, row);
    const QString communityCode = forgeProvinces.value(row, QStringLiteral("comunidad"));
    const QStringList crow = forgeCommunities.indexBy(QStringLiteral("ine")).value(communityCode);
    f.community = nounOf(forgeCommunities, crow);
    f.autonomousCity = communityCode == QStringLiteral("18") || communityCode == QStringLiteral("19");
    int provincesInCommunity = 0;
    for (const QStringList &r : forgeProvinces.rows)
        provincesInCommunity += forgeProvinces.value(r, QStringLiteral("comunidad")) == communityCode ? 1 : 0;
    f.singleProvince = provincesInCommunity == 1;
    const QStringList data = provinceData.indexBy(QStringLiteral("ine")).value(ine);
    f.capital = provinceData.value(data, QStringLiteral("capital"));
    f.note = provinceData.value(data, QStringLiteral("nota"));
    if (const NeighbourRow *n = neighbourRow(QStringLiteral("provincias"), ine)) {
        const auto names = forgeProvinces.indexBy(QStringLiteral("ine"));
        for (const QString &c : n->neighbours)
            if (names.contains(c))
                f.neighbours << forgeProvinces.value(names.value(c), QStringLiteral("nombre"));
        icu_es::sortSpanish(f.neighbours);
        f.countries = neighbourCountries(n);
    }
    return f;
}

CommunityFacts CardMaker::communityFacts(const QString &ine)
{
    CommunityFacts f;
    f.sourced = facts.facts(QStringLiteral("comunidades"), ine);
    f.sizes = spainSizes;
    f.spainArea = spainArea;
    const auto communities = forgeCommunities.indexBy(QStringLiteral("ine"));
    f.name = nounOf(forgeCommunities, communities.value(ine));
    f.autonomousCity = ine == QStringLiteral("18") || ine == QStringLiteral("19");
    const QStringList data = communityData.indexBy(QStringLiteral("ine")).value(ine);
    f.capital = communityData.value(data, QStringLiteral("capital"));
    f.capitalNote = communityData.value(data, QStringLiteral("nota_capital"));
    f.note = communityData.value(data, QStringLiteral("nota"));
    for (const QStringList &r : forgeProvinces.rows)
        if (forgeProvinces.value(r, QStringLiteral("comunidad")) == ine)
            f.provinces << forgeProvinces.value(r, QStringLiteral("nombre"));
    icu_es::sortSpanish(f.provinces);
    if (const NeighbourRow *n = neighbourRow(QStringLiteral("comunidades"), ine)) {
        for (const QString &c : n->neighbours)
            if (communities.contains(c))
                f.neighbours << nounOf(forgeCommunities, communities.value(c));
        sortNouns(f.neighbours);
        f.countries = neighbourCountries(n);
    }
    return f;
}

StateFacts CardMaker::stateFacts(const QString &usps)
{
    StateFacts f;
    f.sourced = facts.facts(QStringLiteral("estados-unidos"), usps);
    f.sizes = spainSizes;
    f.spainArea = spainArea;
    const auto states = forgeStates.indexBy(QStringLiteral("usps"));
    const QStringList row = states.value(usps);
    f.name = nounOf(forgeStates, row);
    f.district = usps == QStringLiteral("DC");
    const QStringList data = stateData.indexBy(QStringLiteral("usps")).value(usps);
    f.capital = stateData.value(data, QStringLiteral("capital"));
    f.note = stateData.value(data, QStringLiteral("nota"));
    bool areaKnown = false;
    const double total = stateData.value(data, QStringLiteral("superficie")).toDouble(&areaKnown);
    const QString fips = forgeStates.value(row, QStringLiteral("fips"));
    if (stateTopo.contains(fips)) {
        f.area = areaKnown ? total : -1;
        if (!areaKnown)
            warnings << QStringLiteral("state ") + usps + QStringLiteral(" has no total area in estados-datos.tsv");
    } else {
        warnings << QStringLiteral("state ") + usps + QStringLiteral(" not in us-atlas");
    }
    if (const NeighbourRow *n = neighbourRow(QStringLiteral("estados-unidos"), usps)) {
        for (const QString &c : n->neighbours) {
            if (c == QStringLiteral("DC"))
                f.bordersDistrict = true;
            else if (states.contains(c))
                f.neighbours << forgeStates.value(states.value(c), QStringLiteral("nombre"));
        }
        icu_es::sortSpanish(f.neighbours);
        f.countries = neighbourCountries(n);
    }
    return f;
}

QStringList CardMaker::textFor(const QList<Entity> &entities)
{
    // A community of one province and that province are one land, one card.
    const Entity *community = nullptr;
    const Entity *province = nullptr;
    for (const Entity &e : entities) {
        if (e.kind == Kind::Community)
            community = &e;
        if (e.kind == Kind::Province)
            province = &e;
    }
    if (community && province && entities.size() == 2) {
        const ProvinceFacts p = provinceFacts(province->code);
        if (p.singleProvince)
            return singleProvinceCommunityText(communityFacts(community->code), p);
    }
    QStringList paragraphs;
    for (const Entity &e : entities) {
        QStringList part;
        switch (e.kind) {
        case Kind::Country: part = countryText(countryFacts(e.code)); break;
        case Kind::Province: part = provinceText(provinceFacts(e.code)); break;
        case Kind::Community: part = communityText(communityFacts(e.code)); break;
        case Kind::State: part = stateText(stateFacts(e.code)); break;
        case Kind::Division: part = divisionText(divisionFacts(e.code)); break;
        case Kind::Sea: part = seaText(seaFacts(e.code)); break;
        }
        paragraphs += part;
    }
    if (entities.size() > 1 && !paragraphs.isEmpty()) {
        // Two places share the name across maps: say so before telling of both.
        paragraphs.prepend(QStringLiteral("En este atlas hay %1 lugares con este nombre.")
                               .arg(spanish::numberWord(static_cast<int>(entities.size()))));
    }
    return paragraphs;
}

QString CardMaker::flagFor(const QList<Entity> &entities) const
{
    for (const Entity &e : entities) {
        if (e.kind == Kind::Country) {
            const QString alpha2 = countries.at(byCca3.value(e.code)).cca2.toLower();
            return QDir(opt.sources).filePath(QStringLiteral("flag-icons/flags/4x3/") + alpha2 + QStringLiteral(".svg"));
        }
    }
    for (const Entity &e : entities) {
        QString kind, code = e.code;
        switch (e.kind) {
        case Kind::Community: kind = QStringLiteral("comunidad"); break;
        case Kind::Province: kind = QStringLiteral("provincia"); break;
        case Kind::State: kind = QStringLiteral("estado"); break;
        case Kind::Division:
            kind = QStringLiteral("division");
            code = e.code.section(u'|', 1);
            break;
        case Kind::Country:
        case Kind::Sea: continue;
        }
        const QString file = flagtable::lookup(subdivisionFlags, kind, code);
        if (!file.isEmpty())
            return flagtable::resolve(file, opt.sources, opt.ownFlags);
    }
    return {};
}

bool CardMaker::run()
{
    if (!opt.neighbourDrafts.isEmpty())
        return writeNeighbourDrafts();
    const QDir data(opt.data);
    QList<AtlasMap> maps;
    const QStringList files = QDir(data.filePath(QStringLiteral("Coordenadas"))).entryList(QDir::Files, QDir::Name);
    for (const QString &f : files) {
        QString error;
        auto m = readCoordinates(data.filePath(QStringLiteral("Coordenadas/") + f), &error);
        if (!m) {
            err() << "error: " << error << Qt::endl;
            return false;
        }
        maps << *m;
    }
    if (maps.isEmpty()) {
        err() << "error: no coordinates files in " << data.filePath(QStringLiteral("Coordenadas")) << Qt::endl;
        return false;
    }

    // Resolve every region to what it names; a map's own kind settles names
    // that several kinds share (the province and the community "Madrid").
    struct Use {
        int map;
        int region;
    };
    std::map<QString, QList<Entity>> entitiesOf; // folded name -> entities
    std::map<QString, QString> spelling;         // folded name -> name as written
    std::map<QString, QList<Use>> usesOf;
    bool unresolved = false;
    for (int mi = 0; mi < maps.size(); ++mi) {
        QHash<int, int> kindVotes;
        for (const MapRegion &r : maps.at(mi).regions) {
            const QList<Entity> c = candidates(r.name);
            if (c.size() == 1)
                ++kindVotes[static_cast<int>(c.first().kind)];
        }
        int mapKind = -1, best = -1;
        for (auto it = kindVotes.begin(); it != kindVotes.end(); ++it)
            if (it.value() > best) {
                best = it.value();
                mapKind = it.key();
            }
        for (int ri = 0; ri < maps.at(mi).regions.size(); ++ri) {
            const QString name = maps.at(mi).regions.at(ri).name;
            if (regionIndex.contains(fold(name))) {
                const QString key = fold(name);
                spelling.emplace(key, name);
                for (const Entity &e : regionIndex.value(key))
                    if (!entitiesOf[key].contains(e))
                        entitiesOf[key] << e;
                usesOf[key] << Use{mi, ri};
                continue;
            }
            QList<Entity> c = candidates(name);
            if (c.isEmpty()) {
                err() << "error: " << maps.at(mi).file << ": cannot tell what \"" << name << "\" is" << Qt::endl;
                unresolved = true;
                continue;
            }
            QList<Entity> chosen;
            bool hasCommunity = false, hasProvince = false;
            for (const Entity &e : c) {
                hasCommunity |= e.kind == Kind::Community;
                hasProvince |= e.kind == Kind::Province;
            }
            if (hasCommunity && hasProvince) {
                for (const Entity &e : c)
                    if (e.kind == Kind::Community || e.kind == Kind::Province)
                        chosen << e;
            } else {
                for (const Entity &e : c)
                    if (static_cast<int>(e.kind) == mapKind) {
                        chosen << e;
                        break;
                    }
                if (chosen.isEmpty())
                    chosen << c.first();
            }
            const QString key = fold(name);
            spelling.emplace(key, name);
            for (const Entity &e : chosen)
                if (!entitiesOf[key].contains(e))
                    entitiesOf[key] << e;
            usesOf[key] << Use{mi, ri};
        }
    }
    if (unresolved)
        return false;

    for (const auto &[key, ents] : entitiesOf) {
        QSet<int> kinds;
        for (const Entity &e : ents)
            kinds.insert(static_cast<int>(e.kind));
        if (ents.size() > 1 && !(kinds.size() == 2 && kinds.contains(int(Kind::Community))
                                 && kinds.contains(int(Kind::Province))))
            warnings << QStringLiteral("\"") + spelling[key]
                    + QStringLiteral("\" names different places on different maps; its card tells of all");
    }

    const QString textDir = data.filePath(QStringLiteral("textos"));
    const QString pictureDir = data.filePath(QStringLiteral("imagenes"));
    const QString flagDir = data.filePath(QStringLiteral("banderas"));
    QDir().mkpath(textDir);
    QDir().mkpath(pictureDir);
    QDir().mkpath(flagDir);
    QSet<QString> textsMade, picturesMade, flagsMade; // folded names
    bool ok = true;

    if (opt.texts) {
        // The regions of each map share out the wordings; a region on
        // several maps counts on the smallest (a country of Oceanía, not of Asia).
        words::clearVariantCounts();
        for (const auto &[key, ents] : entitiesOf) {
            std::optional<words::VariantPlace> place;
            for (const Use &u : usesOf[key])
                if (!place || maps.at(u.map).regions.size() < maps.at(place->map).regions.size())
                    place = words::VariantPlace{u.map, u.region};
            words::setVariantPlace(place);
            const QByteArray bytes = spanish::cardFile(textFor(ents));
            words::setVariantPlace(std::nullopt);
            QFile f(QDir(textDir).filePath(spelling[key] + QStringLiteral(".txt")));
            if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
                err() << "error: " << f.fileName() << ": " << f.errorString() << Qt::endl;
                ok = false;
                continue;
            }
            textsMade.insert(key);
        }
    }

    if (opt.texts && !writeSourcesFile(data.filePath(QStringLiteral("FUENTES"))))
        ok = false;
    if (opt.texts && !secondReading())
        ok = false;

    if (opt.pictures) {
        QHash<int, QImage> mapImages;
        for (const auto &[key, uses] : usesOf) {
            // The map on which the region shows largest gives the clearest picture.
            QImage bestMask;
            int bestMap = -1;
            qint64 bestArea = -1;
            for (const Use &u : uses) {
                if (!mapImages.contains(u.map)) {
                    QImage img(data.filePath(QStringLiteral("Mapas/") + maps.at(u.map).picture));
                    if (img.isNull())
                        warnings << maps.at(u.map).file + QStringLiteral(": cannot read picture ")
                                + maps.at(u.map).picture;
                    mapImages.insert(u.map, img);
                }
                const QImage &img = mapImages.value(u.map);
                if (img.isNull())
                    continue;
                QImage mask = regionMask(img, maps.at(u.map).regions.at(u.region).seeds);
                const qint64 area = maskArea(mask);
                if (area > bestArea) {
                    bestArea = area;
                    bestMask = mask;
                    bestMap = u.map;
                }
            }
            if (bestMap < 0)
                continue;
            const QImage picture = locatorPicture(mapImages.value(bestMap), bestMask);
            QString error;
            if (!gifwriter::write(QDir(pictureDir).filePath(spelling[key] + QStringLiteral(".gif")),
                                  {gifwriter::Frame{picture, 0}}, gifwriter::PlayOnce, &error)) {
                err() << "error: " << error << Qt::endl;
                ok = false;
                continue;
            }
            picturesMade.insert(key);
        }
    }

    if (opt.flags) {
        for (const auto &[key, ents] : entitiesOf) {
            const QString svg = flagFor(ents);
            if (svg.isEmpty())
                continue;
            QImage flag;
            QString error;
            // A 4:3 box would distort every drawing but flag-icons' own.
            const int width = flagtable::renderWidth(svg, kFlagWidth);
            if (!renderSvg(svg, width, kFlagHeight, &flag, &error)) {
                err() << "error: " << error << Qt::endl;
                ok = false;
                continue;
            }
            if (!gifwriter::write(QDir(flagDir).filePath(spelling[key] + QStringLiteral(".gif")),
                                  {gifwriter::Frame{limitColours(flag), 0}}, gifwriter::PlayOnce, &error)) {
                err() << "error: " << error << Qt::endl;
                ok = false;
                continue;
            }
            flagsMade.insert(key);
        }
    }

    if (opt.prune) {
        auto prune = [&](const QString &dir, const QString &suffix, bool enabled, const QSet<QString> &keep) {
            if (!enabled)
                return;
            for (const QFileInfo &fi : QDir(dir).entryInfoList({QStringLiteral("*") + suffix}, QDir::Files)) {
                if (!keep.contains(fold(fi.completeBaseName()))) {
                    QFile::remove(fi.filePath());
                    out() << "removed " << fi.filePath() << Qt::endl;
                }
            }
        };
        prune(textDir, QStringLiteral(".txt"), opt.texts, textsMade);
        prune(pictureDir, QStringLiteral(".gif"), opt.pictures, picturesMade);
        prune(flagDir, QStringLiteral(".gif"), opt.flags, flagsMade);
    }

    warnings.removeDuplicates();
    for (const QString &w : warnings)
        err() << "warning: " << w << Qt::endl;
    out() << "map\tregions\ttexts\tpictures\tflags" << Qt::endl;
    for (const AtlasMap &m : maps) {
        int t = 0, p = 0, fl = 0;
        for (const MapRegion &r : m.regions) {
            const QString k = fold(r.name);
            t += QFileInfo::exists(QDir(textDir).filePath(r.name + QStringLiteral(".txt"))) ? 1 : 0;
            p += QFileInfo::exists(QDir(pictureDir).filePath(r.name + QStringLiteral(".gif"))) ? 1 : 0;
            fl += QFileInfo::exists(QDir(flagDir).filePath(r.name + QStringLiteral(".gif"))) ? 1 : 0;
            Q_UNUSED(k);
        }
        out() << m.file << '\t' << m.regions.size() << '\t' << t << '\t' << p << '\t' << fl << Qt::endl;
    }
    out() << entitiesOf.size() << " distinct regions" << Qt::endl;
    return ok;
}

void usage()
{
    err() << "usage: mapurix-forge cards [options] DATA_FOLDER\n"
             "  Writes textos/NAME.txt, imagenes/NAME.gif and banderas/NAME.gif for every region\n"
             "  of every coordinates file in DATA_FOLDER/Coordenadas. Run from the repository root\n"
             "  after tools/forge/cards/fetch-sources.sh, or give the folders:\n"
             "  --sources DIR   npm cache (default tools/forge/.npm-cache)\n"
             "  --tables DIR    reviewed tables (default tools/forge/cards/tables)\n"
             "  --names DIR     the atlas name tables (default tools/forge/names)\n"
             "  --regions DIR   the forge's region list of each map (default tools/forge/maps/regions)\n"
             "  --recipes DIR   the map recipes, for the boundaries of divisions (default tools/forge/maps)\n"
             "  --own-flags DIR the repository's copy of flag drawings (default tools/forge/cards/banderas)\n"
             "  --no-texts, --no-pictures, --no-flags   skip one kind of file\n"
             "  --prune         remove card files that no region names any more\n"
             "  --borrador-vecinos DIR   only write draft neighbour tables read from the boundaries\n"
             "                  into DIR, to review before they go to tables/vecinos/"
          << Qt::endl;
}

} // namespace
} // namespace cards

int runCardsCommand(const QStringList &args)
{
    using namespace cards;
    Options opt;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto next = [&](QString *into) {
            if (i + 1 >= args.size())
                return false;
            *into = args.at(++i);
            return true;
        };
        if (a == QStringLiteral("--sources")) {
            if (!next(&opt.sources))
                return usage(), 2;
        } else if (a == QStringLiteral("--tables")) {
            if (!next(&opt.tables))
                return usage(), 2;
        } else if (a == QStringLiteral("--names")) {
            if (!next(&opt.names))
                return usage(), 2;
        } else if (a == QStringLiteral("--regions")) {
            if (!next(&opt.regions))
                return usage(), 2;
        } else if (a == QStringLiteral("--recipes")) {
            if (!next(&opt.recipes))
                return usage(), 2;
        } else if (a == QStringLiteral("--own-flags")) {
            if (!next(&opt.ownFlags))
                return usage(), 2;
        } else if (a == QStringLiteral("--no-texts")) {
            opt.texts = false;
        } else if (a == QStringLiteral("--no-pictures")) {
            opt.pictures = false;
        } else if (a == QStringLiteral("--no-flags")) {
            opt.flags = false;
        } else if (a == QStringLiteral("--borrador-vecinos")) {
            if (!next(&opt.neighbourDrafts))
                return usage(), 2;
        } else if (a == QStringLiteral("--prune")) {
            opt.prune = true;
        } else if (a.startsWith(u'-') || !opt.data.isEmpty()) {
            usage();
            return 2;
        } else {
            opt.data = a;
        }
    }
    if (opt.data.isEmpty()) {
        usage();
        return 2;
    }
    CardMaker maker(opt);
    if (!maker.load())
        return 1;
    return maker.run() ? 0 : 1;
}
