// The card writer on small inputs: Spanish wording and typography, the
// sentences of each kind of card, neighbours and areas from TopoJSON, and
// the locator and flag pictures.
#include "cardsources.h"
#include "cardtext.h"
#include "cardwords.h"
#include "divisiongeometry.h"
#include "facttable.h"
#include "flagtable.h"
#include "neighbourtable.h"
#include "secondreading.h"
#include "pictures.h"
#include "spanish.h"

#include <QPainter>

Q_DECLARE_METATYPE(cards::Noun)
Q_DECLARE_METATYPE(cards::DivisionFacts)
#include <QtTest>

using namespace cards;

namespace {

Noun N(const char *name, const char *gender = "m", const char *number = "s", const char *article = "")
{
    return Noun::parse(QString::fromUtf8(name), QString::fromUtf8(gender), QString::fromUtf8(number),
                       QString::fromUtf8(article));
}

} // namespace

class CardWriterTest : public QObject {
    Q_OBJECT
private slots:
    void joinList_data();
    void joinList();
    void formatInteger_data();
    void formatInteger();
    void areaPhrase_data();
    void areaPhrase();
    void comparison_data();
    void comparison();
    void windows1252RoundTrip();
    void cardFileEndsLinesInCrLf();
    void unencodableCharactersAreReported();
    void countryCapitals_data();
    void countryCapitals();
    void countryLanguagesAndMoney();
    void countryCoastAndNeighbours();
    void countryAgreesWithItsName_data();
    void countryAgreesWithItsName();
    void nounArticles_data();
    void nounArticles();
    void divisionCard();
    void divisionProse_data();
    void divisionProse();
    void wordsForPeopleAndKinds_data();
    void wordsForPeopleAndKinds();
    void factTables_data();
    void factTables();
    void divisionsMeasuredFromBoundaries();
    void neighbourTables_data();
    void neighbourTables();
    void secondReading_data();
    void secondReading();
    void reviewsAnswerOnlyWhatTheyName();
    void committedNeighbourTablesHoldEveryRegion();
    void wordingsTakeTurnsAlongAMap();
    void seaCard();
    void seaNamesInSentences_data();
    void seaNamesInSentences();
    void provinceAndCommunity();
    void singleProvinceCommunity();
    void usState();
    void tsvSkipsCommentsAndKeepsEmptyCells();
    void topologyNeighboursAndArea();
    void regionMaskFollowsOneColourArea();
    void locatorHighlightsRegionAndMutesTheRest();
    void locatorShowsIslandsWithoutTheirTieLines();
    void limitColoursKeepsDominantColoursExact();
    void flagLookupKeepsToItsKind_data();
    void flagLookupKeepsToItsKind();
    void flagFilesResolveToTheirCopy_data();
    void flagFilesResolveToTheirCopy();
};

void CardWriterTest::joinList_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("one") << QStringList{"Irlanda"} << "Irlanda";
    QTest::newRow("two") << QStringList{"Francia", "Portugal"} << "Francia y Portugal";
    QTest::newRow("three") << QStringList{"A", "B", "C"} << "A, B y C";
    QTest::newRow("e before i") << QStringList{"Francia", "Italia"} << "Francia e Italia";
    QTest::newRow("e before hi") << QStringList{"Siria", "Irak"} << "Siria e Irak";
    QTest::newRow("e before accented i") << QStringList{"Turquía", "Irán"} << "Turquía e Irán";
    QTest::newRow("y before hie") << QStringList{"agua", "hielo"} << "agua y hielo";
    QTest::newRow("y before io diphthong") << QStringList{"Illinois", "Iowa"} << "Illinois y Iowa";
}

void CardWriterTest::joinList()
{
    QFETCH(QStringList, items);
    QFETCH(QString, expected);
    QCOMPARE(spanish::joinList(items), expected);
}

void CardWriterTest::formatInteger_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("small") << qint64(468) << "468";
    QTest::newRow("four digits unbroken") << qint64(8028) << "8028";
    // The RAE's groups: a non-breaking space, never a point, which reads as
    // a decimal point in México, Central America and the Caribbean.
    QTest::newRow("five digits") << qint64(13771) << "13\u00a0771";
    QTest::newRow("six digits") << qint64(505992) << "505\u00a0992";
    QTest::newRow("seven digits") << qint64(1246700) << "1\u00a0246\u00a0700";
}

void CardWriterTest::formatInteger()
{
    QFETCH(qint64, n);
    QFETCH(QString, expected);
    QCOMPARE(spanish::formatInteger(n), expected);
}

void CardWriterTest::areaPhrase_data()
{
    QTest::addColumn<double>("km2");
    QTest::addColumn<QString>("expected");
    QTest::newRow("below one") << 0.44 << "menos de un kilómetro cuadrado (0,44 kilómetros cuadrados)";
    QTest::newRow("whole small") << 468.0 << "468 kilómetros cuadrados";
    QTest::newRow("fraction small") << 18.4 << "unos 18 kilómetros cuadrados";
    QTest::newRow("hundreds") << 8018.0 << "unos 8000 kilómetros cuadrados";
    QTest::newRow("tens of thousands") << 14928.0 << "unos 14\u00a0900 kilómetros cuadrados";
    QTest::newRow("thousands") << 505992.0 << "unos 506\u00a0000 kilómetros cuadrados";
    QTest::newRow("millions") << 17098242.0 << "unos 17,1 millones de kilómetros cuadrados";
    QTest::newRow("whole millions") << 9984670.0 << "unos 10 millones de kilómetros cuadrados";
    QTest::newRow("one million") << 1002450.0 << "alrededor de un millón de kilómetros cuadrados";
}

void CardWriterTest::areaPhrase()
{
    QFETCH(double, km2);
    QFETCH(QString, expected);
    QCOMPARE(spanish::areaPhrase(km2), expected);
}

void CardWriterTest::comparison_data()
{
    QTest::addColumn<double>("area");
    QTest::addColumn<QString>("expected");
    const double spain = 505992;
    QTest::newRow("much larger") << spain * 34 << "Es unas 34 veces más grande que España.";
    QTest::newRow("about twice") << spain * 2.17 << "Es más o menos el doble de grande que España.";
    QTest::newRow("nearly twice") << spain * 1.8 << "Es casi el doble de grande que España.";
    QTest::newRow("three times") << spain * 3.2 << "Es unas tres veces más grande que España.";
    QTest::newRow("one and a half") << spain * 1.55 << "Es una vez y media más grande que España.";
    QTest::newRow("a bit larger") << spain * 1.2 << "Es un poco más grande que España.";
    QTest::newRow("about the same") << spain * 1.09 << "Es más o menos igual de grande que España.";
    QTest::newRow("a bit smaller") << spain * 0.77 << "Es un poco más pequeño que España.";
    QTest::newRow("two thirds") << spain * 0.62 << "España es una vez y media más grande.";
    QTest::newRow("half") << spain * 0.5 << "España es más o menos el doble de grande.";
    QTest::newRow("twelfth") << spain / 12.2 << "España es unas doce veces más grande.";
    QTest::newRow("rounded, not false precision") << spain / 661.3 << "España es unas 660 veces más grande.";
    QTest::newRow("two figures") << spain / 36.4 << "España es unas 36 veces más grande.";
    QTest::newRow("tiny") << 2.02 << "Es muchísimo más pequeño que España: cabría en ella más de mil veces.";
    QTest::newRow("unknown") << -1.0 << QString();
}

void CardWriterTest::comparison()
{
    QFETCH(double, area);
    QFETCH(QString, expected);
    QCOMPARE(comparisonWithSpain(area, 505992), expected);
}

void CardWriterTest::windows1252RoundTrip()
{
    const QString text = QStringLiteral("Ñandú, pingüino, «año» – 5 € · ²");
    QString bad;
    const QByteArray bytes = spanish::toWindows1252(text, &bad);
    QVERIFY(bad.isEmpty());
    QCOMPARE(bytes.size(), text.size());
    QCOMPARE(static_cast<unsigned char>(bytes.at(text.indexOf(u'€'))), 0x80);
    QCOMPARE(static_cast<unsigned char>(bytes.at(0)), 0xD1);
    QCOMPARE(spanish::fromWindows1252(bytes), text);
}

void CardWriterTest::cardFileEndsLinesInCrLf()
{
    const QByteArray file = spanish::cardFile({QStringLiteral("Uno."), QString(), QStringLiteral("  Dos.  ")});
    QCOMPARE(file, QByteArray("Uno.\r\n\r\nDos.\r\n"));
    // UTF-8 keeps the names Windows-1252 has no letters for.
    QCOMPARE(spanish::cardFile({QStringLiteral("Monte Śnieżka, 1603 m.")}),
             QByteArray("Monte \xc5\x9a" "nie\xc5\xbc" "ka, 1603 m.\r\n"));
}

void CardWriterTest::unencodableCharactersAreReported()
{
    QString bad;
    spanish::toWindows1252(QStringLiteral("Chișinău"), &bad);
    QCOMPARE(bad, QStringLiteral("șă"));
}

void CardWriterTest::countryCapitals_data()
{
    QTest::addColumn<QStringList>("capitals");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one") << QStringList{"París"} << QString() << "Su capital es París.";
    QTest::newRow("same as the country") << QStringList{"Tierra"} << QString() << "Su capital es la ciudad de Tierra.";
    QTest::newRow("two, explained") << QStringList{"Sucre", "La Paz"} << "En La Paz está el Gobierno."
                                     << "Tiene dos capitales: Sucre y La Paz. En La Paz está el Gobierno.";
    QTest::newRow("three") << QStringList{"Pretoria", "Bloemfontein", "Ciudad del Cabo"} << QString()
                           << "Tiene tres capitales: Pretoria, Bloemfontein y Ciudad del Cabo.";
    QTest::newRow("only a note") << QStringList{} << "No tiene capital oficial."
                                 << "No tiene capital oficial.";
}

void CardWriterTest::countryCapitals()
{
    QFETCH(QStringList, capitals);
    QFETCH(QString, note);
    QFETCH(QString, expected);
    CountryFacts f;
    f.name = N("Tierra", "f");
    f.where = QStringLiteral("de América del Sur");
    f.capitals = capitals;
    f.capitalNote = note;
    const QStringList text = countryText(f);
    QCOMPARE(text.first(), QStringLiteral("Tierra es un país de América del Sur. ") + expected);
}

void CardWriterTest::countryLanguagesAndMoney()
{
    CountryFacts f;
    f.name = N("Bolivia", "f");
    f.where = QStringLiteral("de América del Sur");
    f.area = 1098581; // a paragraph of its own; an empty one is left out
    f.languages = {QStringLiteral("español"), QStringLiteral("quechua"), QStringLiteral("aimara")};
    f.languageCount = 37;
    f.currencies = {QStringLiteral("boliviano")};
    QString p = countryText(f).at(2);
    QCOMPARE(p, QStringLiteral("Tiene 37 lenguas oficiales, entre ellas el español, el quechua y el aimara. "
                               "Allí se paga con el boliviano."));

    f.languages = {QStringLiteral("inglés"), QStringLiteral("lengua de signos neozelandesa")};
    f.languageCount = 2;
    f.currencies = {QStringLiteral("balboa"), QStringLiteral("libra esterlina")};
    p = countryText(f).at(2);
    QCOMPARE(p, QStringLiteral("Sus lenguas oficiales son el inglés y la lengua de signos neozelandesa. "
                               "Tiene dos monedas oficiales: el balboa y la libra esterlina."));

    f.languageNote = QStringLiteral("Ninguna ley fija una lengua oficial.");
    f.currencies = {QStringLiteral("kuacha zambiano")};
    QCOMPARE(countryText(f).at(2), QStringLiteral("Ninguna ley fija una lengua oficial. Allí se paga con el kuacha zambiano."));
}

void CardWriterTest::countryCoastAndNeighbours()
{
    CountryFacts f;
    f.name = N("Isla", "f");
    f.where = QStringLiteral("de Oceanía");
    f.area = 18274;
    f.currencies = {QStringLiteral("franco")};
    QStringList t = countryText(f);
    QCOMPARE(t.at(3), QStringLiteral("No comparte frontera por tierra con ningún país: está rodeada de mar."));
    QCOMPARE(t.size(), 4); // no line of credits: the sources file names them

    f.dispute = QStringLiteral("Una parte está en disputa.");
    t = countryText(f);
    QCOMPARE(t.last(), QStringLiteral("Una parte está en disputa."));
    f.dispute.clear();

    f.neighbours = {N("Francia", "f"), N("Italia", "f")};
    f.landlocked = true;
    t = countryText(f);
    QCOMPARE(t.at(3), QStringLiteral("Limita con Francia e Italia. No tiene costa: está rodeada de tierra por todas partes."));
    f.coastNote = QStringLiteral("Tiene costa en el mar Caspio.");
    QCOMPARE(countryText(f).at(3), QStringLiteral("Limita con Francia e Italia. Tiene costa en el mar Caspio."));
    f.coastNote.clear();

    f.sovereign = false;
    f.statusNote = QStringLiteral("Pertenece a Francia.");
    QVERIFY(countryText(f).first().startsWith(QStringLiteral("Isla es un territorio de Oceanía. Pertenece a Francia.")));

    f.sovereign = true;
    f.area = 17098242;
    f.worldRank = 1;
    f.largestIn = QStringLiteral("Europa");
    QCOMPARE(countryText(f).at(1), QStringLiteral("Ocupa unos 17,1 millones de kilómetros cuadrados. "
                                                  "Es el país más grande del mundo."));
    f.area = 2381741;
    f.worldRank = 10;
    f.largestIn = QStringLiteral("África");
    QVERIFY(countryText(f).at(1).endsWith(
        QStringLiteral("Es el décimo país más grande del mundo. Es el país más grande de África.")));
}

void CardWriterTest::countryAgreesWithItsName_data()
{
    QTest::addColumn<Noun>("name");
    QTest::addColumn<double>("area");
    QTest::addColumn<bool>("landlocked");
    QTest::addColumn<QStringList>("expected");
    const double spain = 505992;
    QTest::newRow("feminine") << N("Alemania", "f") << spain * 0.7 << true
                              << QStringList{"Alemania es un país", "Es un poco más pequeña que España.",
                                             "está rodeada de tierra"};
    QTest::newRow("masculine with article") << N("Líbano", "m", "s", "el") << 10452.0 << false
                                            << QStringList{"El Líbano es un país", "el mar lo rodea",
                                                           "No tiene fronteras"};
    QTest::newRow("feminine plural") << N("Bahamas", "f", "p", "las") << 13880.0 << false
                                     << QStringList{"Las Bahamas son un país", "Tienen una superficie",
                                                    "No tienen fronteras", "el mar las rodea"};
    QTest::newRow("masculine plural") << N("Países Bajos", "m", "p", "los") << 200.0 << true
                                      << QStringList{"Los Países Bajos son un país", "Son muchísimo más pequeños",
                                                     "No tienen costa: están rodeados de tierra"};
}

void CardWriterTest::countryAgreesWithItsName()
{
    QFETCH(Noun, name);
    QFETCH(double, area);
    QFETCH(bool, landlocked);
    QFETCH(QStringList, expected);
    CountryFacts f;
    f.name = name;
    f.where = QStringLiteral("de Europa");
    f.area = area;
    f.spainArea = 505992;
    f.landlocked = landlocked;
    const QString text = countryText(f).join(u' ');
    for (const QString &e : expected)
        QVERIFY2(text.contains(e), qPrintable(text + QStringLiteral(" lacks: ") + e));
}

void CardWriterTest::nounArticles_data()
{
    QTest::addColumn<Noun>("noun");
    QTest::addColumn<QString>("inSentence");
    QTest::addColumn<QString>("of");
    QTest::newRow("el contracts") << N("Reino Unido", "m", "s", "el") << "el Reino Unido" << "del Reino Unido";
    QTest::newRow("la") << N("India", "f", "s", "la") << "la India" << "de la India";
    QTest::newRow("los") << N("Estados Unidos", "m", "p", "los") << "los Estados Unidos" << "de los Estados Unidos";
    QTest::newRow("article in the name") << N("El Salvador") << "El Salvador" << "de El Salvador";
    QTest::newRow("none") << N("Francia", "f") << "Francia" << "de Francia";
}

void CardWriterTest::nounArticles()
{
    QFETCH(Noun, noun);
    QFETCH(QString, inSentence);
    QFETCH(QString, of);
    QCOMPARE(noun.inSentence(), inSentence);
    QCOMPARE(noun.of(), of);
    QCOMPARE(spanish::joinNouns({N("Alemania", "f"), noun}), QStringLiteral("Alemania y ") + inSentence);
}

namespace {

DivisionFacts ecuadorProvince()
{
    DivisionFacts d;
    d.name = N("Napo");
    d.kind = QStringLiteral("provincia");
    d.kindFeminine = true;
    d.country = N("Ecuador");
    d.divisionCount = 24;
    d.capital = QStringLiteral("Tena");
    d.nationalCapital = QStringLiteral("Quito");
    d.neighbours = {N("Orellana", "f"), N("Pichincha", "f")};
    return d;
}

} // namespace

void CardWriterTest::divisionCard()
{
    // Only what the facts tables hold is told: no area, coast or people
    // without a row, and no line of credits.
    DivisionFacts d = ecuadorProvince();
    QStringList t = divisionText(d);
    QCOMPARE(t.size(), 2);
    QVERIFY2(t.at(0).startsWith(QStringLiteral("Napo es ")), qPrintable(t.at(0)));
    QVERIFY(t.at(0).contains(QStringLiteral("Ecuador.")) && t.at(0).contains(QStringLiteral("Tena.")));
    QCOMPARE(t.at(1), QStringLiteral("Limita con Orellana y Pichincha."));

    d.sourced.area = SourcedFigure{12476, QStringLiteral("total"), 2022, QStringLiteral("EC")};
    d.sourced.population = SourcedFigure{131675, QStringLiteral("censo"), 2022, QStringLiteral("EC")};
    d.sourced.demonym = QStringLiteral("napense");
    d.sourced.river = QStringLiteral("río Napo");
    d.sourced.highestPoint = QStringLiteral("volcán Antisana");
    d.sourced.highestMetres = 5753;
    d.sourced.noCoast = true;
    d.sourced.remarks = {QStringLiteral("En su selva vive el pueblo kichwa amazónico")};
    t = divisionText(d);
    const QString text = t.join(u' ');
    for (const char *expected : {"132\u00a0000", "2022", "napense", "unos 12\u00a0500 kilómetros cuadrados",
                                 "Lo recorre el río Napo.", "volcán Antisana", "5753 metros",
                                 "Está tierra adentro, sin costa.", "pueblo kichwa amazónico."})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), qPrintable(text + " lacks " + expected));
    QCOMPARE(t.last(), QStringLiteral("En su selva vive el pueblo kichwa amazónico."));
}

void CardWriterTest::divisionProse_data()
{
    QTest::addColumn<DivisionFacts>("facts");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    DivisionFacts salta = ecuadorProvince();
    salta.name = N("Salta", "f");
    salta.country = N("Argentina", "f");
    salta.capital = QStringLiteral("Salta");
    QTest::newRow("a capital of the same name is named")
        << salta << QStringList{"Salta."} << QStringList{"mismo nombre", "la ciudad de Salta"};

    DivisionFacts cordoba = ecuadorProvince();
    cordoba.name = N("Córdoba", "f");
    cordoba.labelled = true;
    cordoba.country = N("Argentina", "f");
    cordoba.capital = QStringLiteral("Córdoba");
    QTest::newRow("a map's label stays out of sentences")
        << cordoba << QStringList{"La provincia de Córdoba "} << QStringList{"(Argentina)"};

    DivisionFacts df = ecuadorProvince();
    df.name = N("Distrito Federal", "m", "s", "el");
    df.kind = QStringLiteral("distrito federal");
    df.kindFeminine = false;
    df.country = N("Brasil");
    df.divisionCount = 1;
    df.allDivisions = 27;
    df.capital = QStringLiteral("Brasilia");
    df.nationalCapital = QStringLiteral("Brasilia");
    QTest::newRow("no circular definition; the national capital is said")
        << df << QStringList{"una de las 27 partes en que se divide Brasil", "también la capital de Brasil"}
        << QStringList{"es un distrito federal"};

    DivisionFacts caracas = df;
    caracas.name = N("Distrito Capital", "m", "s", "el");
    caracas.kind = QStringLiteral("distrito capital");
    caracas.country = N("Venezuela", "f");
    caracas.capital = QStringLiteral("Caracas");
    caracas.nationalCapital = QStringLiteral("Caracas");
    caracas.sourced.kindNote = QStringLiteral("No es un estado: es la entidad federal de Caracas, la capital del país.");
    QTest::newRow("a note that names the seat leaves no capital sentence")
        << caracas << QStringList{"entidad federal de Caracas"} << QStringList{"Su capital es", "La capital es", "Tiene su capital"};

    DivisionFacts seoul = ecuadorProvince();
    seoul.name = N("Seúl");
    seoul.kind = QStringLiteral("ciudad especial");
    seoul.country = N("Corea del Sur", "f");
    seoul.capital = QStringLiteral("Seúl");
    seoul.nationalCapital = QStringLiteral("Seúl");
    QTest::newRow("a city-region has no capital of its own")
        << seoul << QStringList{"Es la capital de Corea del Sur."} << QStringList{"Su capital es Seúl", "mismo"};

    DivisionFacts chile = ecuadorProvince();
    chile.name = N("Tarapacá", "f");
    chile.kind = QStringLiteral("región");
    chile.country = N("Chile");
    chile.neighbours = {N("Antofagasta", "f"), N("Arica y Parinacota", "f")};
    QTest::newRow("names holding a y keep their own con")
        << chile << QStringList{"Limita con Antofagasta y con Arica y Parinacota."}
        << QStringList{"Antofagasta y Arica"};

    DivisionFacts rivas = ecuadorProvince();
    rivas.name = N("Rivas");
    rivas.kind = QStringLiteral("departamento");
    rivas.kindFeminine = false;
    rivas.country = N("Nicaragua", "f");
    rivas.sourced.coasts = {Coast{QStringLiteral("océano Pacífico"), false},
                            Coast{QStringLiteral("lago de Nicaragua"), true}};
    QTest::newRow("the sea and the lake are named")
        << rivas << QStringList{"océano Pacífico", "Está a orillas del lago de Nicaragua."}
        << QStringList{"Tiene costa.", "lago de Nicaragua y"};
}

void CardWriterTest::divisionProse()
{
    QFETCH(DivisionFacts, facts);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    const QString text = divisionText(facts).join(u' ');
    for (const QString &p : present)
        QVERIFY2(text.contains(p), qPrintable(text + QStringLiteral(" lacks: ") + p));
    for (const QString &a : absent)
        QVERIFY2(!text.contains(a), qPrintable(text + QStringLiteral(" has: ") + a));
}

void CardWriterTest::wordsForPeopleAndKinds_data()
{
    QTest::addColumn<QString>("kind"); // "people", "plural"
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hundreds exact") << "people" << 870.0 << "" << "870 habitantes";
    QTest::newRow("three figures") << "people" << 131675.0 << "" << "unos 132\u00a0000 habitantes";
    QTest::newRow("millions, one decimal") << "people" << 3089473.0 << "" << "unos 3,1 millones de habitantes";
    QTest::newRow("tens of millions") << "people" << 48619695.0 << "" << "unos 49 millones de habitantes";
    QTest::newRow("one million") << "people" << 1004000.0 << "" << "alrededor de un millón de habitantes";
    QTest::newRow("vowel") << "plural" << 0.0 << "provincia" << "provincias";
    QTest::newRow("accent goes") << "plural" << 0.0 << "región autónoma" << "regiones autónomas";
    QTest::newRow("demonym in -és") << "plural" << 0.0 << "cordobés" << "cordobeses";
    QTest::newRow("consonant") << "plural" << 0.0 << "distrito federal" << "distritos federales";
    QTest::newRow("z") << "plural" << 0.0 << "andaluz" << "andaluces";
}

void CardWriterTest::wordsForPeopleAndKinds()
{
    QFETCH(QString, kind);
    QFETCH(double, value);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    if (kind == QStringLiteral("people"))
        QCOMPARE(spanish::populationPhrase(value, QStringLiteral("habitantes")), expected);
    else
        QCOMPARE(words::plural(input), expected);
}

void CardWriterTest::factTables_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("fault"); // empty: the table is good
    const QString header = QStringLiteral("# prueba\ncodigo\thecho\tvalor\tdetalle\taño\tfuente\n");
    QTest::newRow("good") << header + QStringLiteral("XX-A\tsuperficie\t12476.5\ttotal\t2022\tS\n"
                                                     "XX-A\tpoblacion\t131675\tcenso\t2022\tS\n"
                                                     "XX-A\tcosta\tocéano Pacífico\tmar\t\tS\n"
                                                     "XX-A\tpunto_alto\tvolcán Antisana\t5753\t\tS\n")
                          << QString();
    QTest::newRow("undefined source") << header + QStringLiteral("XX-A\trio\trío Napo\t\t\tNADIE\n")
                                      << "not defined";
    QTest::newRow("unknown kind") << header + QStringLiteral("XX-A\tclima\tfrío\t\t\tS\n") << "unknown kind";
    QTest::newRow("short row") << header + QStringLiteral("XX-A\trio\trío Napo\tS\n") << "fields";
    QTest::newRow("not a number") << header + QStringLiteral("XX-A\tsuperficie\t12.476,5\ttotal\t2022\tS\n")
                                  << "not a number";
    QTest::newRow("population without year")
        << header + QStringLiteral("XX-A\tpoblacion\t1000\tcenso\t\tS\n") << "needs its year";
    QTest::newRow("area without its measure")
        << header + QStringLiteral("XX-A\tsuperficie\t100\t\t2022\tS\n") << "detail";
    QTest::newRow("two areas") << header + QStringLiteral("XX-A\tsuperficie\t100\ttotal\t2022\tS\n"
                                                          "XX-A\tsuperficie\t90\ttierra\t2022\tS\n")
                               << "a second";
    QTest::newRow("coast and none") << header + QStringLiteral("XX-A\tcosta\tmar Caribe\tmar\t\tS\n"
                                                               "XX-A\tcosta\tninguna\t\t\tS\n")
                                    << "ninguna";
    QTest::newRow("year from the future") << header + QStringLiteral("XX-A\tcambio\tSe creó.\t\t2031\tS\n")
                                          << "year";
}

void CardWriterTest::factTables()
{
    QFETCH(QString, rows);
    QFETCH(QString, fault);
    QHash<QString, RegionFacts> facts;
    QStringList errors;
    const bool ok = parseFactTable(rows, QStringLiteral("hechos/x.tsv"), {{QStringLiteral("S"), 0}}, &facts, &errors);
    if (fault.isEmpty()) {
        QVERIFY2(ok, qPrintable(errors.join(u'\n')));
        const RegionFacts &r = facts.value(QStringLiteral("XX-A"));
        QCOMPARE(r.area.value, 12476.5);
        QCOMPARE(r.population.year, 2022);
        QCOMPARE(r.coasts.size(), 1);
        QCOMPARE(r.highestMetres, 5753);
        QCOMPARE(r.sources, QStringList{"S"});
        return;
    }
    QVERIFY(!ok);
    QVERIFY2(errors.join(u' ').contains(fault), qPrintable(errors.join(u'\n')));
    QVERIFY2(errors.first().startsWith(QStringLiteral("hechos/x.tsv:")), qPrintable(errors.first()));
}

void CardWriterTest::neighbourTables_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("fault"); // empty: the table is good
    const QString header = QStringLiteral("# prueba\ncodigo\tvecinos\tpaises\tfuente\tnota\n");
    QTest::newRow("good") << header + QStringLiteral("XX-A\tXX-B\tPER BOL\tS\t\n"
                                                     "XX-B\tXX-A\t\tS\tEl río hace de frontera.\n"
                                                     "XX-C\t\t\tS\t\n")
                          << QString();
    QTest::newRow("one way only") << header + QStringLiteral("XX-A\tXX-B\t\tS\t\nXX-B\t\t\tS\t\n")
                                  << "XX-B does not list XX-A";
    QTest::newRow("neighbour without a row") << header + QStringLiteral("XX-A\tXX-Z\t\tS\t\n") << "XX-Z, which has no row";
    QTest::newRow("lists itself") << header + QStringLiteral("XX-A\tXX-A\t\tS\t\n") << "lists itself";
    QTest::newRow("row twice") << header + QStringLiteral("XX-A\t\t\tS\t\nXX-A\t\t\tS\t\n") << "has a row already";
    QTest::newRow("undefined source") << header + QStringLiteral("XX-A\t\t\tNADIE\t\n") << "not defined";
    QTest::newRow("alpha-2 country") << header + QStringLiteral("XX-A\t\tPE\tS\t\n") << "alpha-3";
    QTest::newRow("old header") << QStringLiteral("codigo\tvecinos\tpaises\n") << "header";
}

void CardWriterTest::neighbourTables()
{
    QFETCH(QString, rows);
    QFETCH(QString, fault);
    NeighbourTable table;
    QStringList errors;
    const auto known = [](const QString &key) { return key == QStringLiteral("S"); };
    if (parseNeighbourTable(rows, QStringLiteral("vecinos/x.tsv"), known, &table, &errors))
        errors << neighbourTableFaults(table, QStringLiteral("vecinos/x.tsv"));
    if (fault.isEmpty()) {
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        QCOMPARE(table.value(QStringLiteral("XX-A")).countries, (QStringList{"PER", "BOL"}));
        QCOMPARE(table.value(QStringLiteral("XX-B")).note, QStringLiteral("El río hace de frontera."));
        return;
    }
    QVERIFY2(errors.join(u' ').contains(fault), qPrintable(errors.join(u'\n')));
    QVERIFY2(errors.first().startsWith(QStringLiteral("vecinos/x.tsv:")), qPrintable(errors.first()));
}

void CardWriterTest::secondReading_data()
{
    QTest::addColumn<QString>("tableNeighbours");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("factRows"); // hechos rows for XX-A
    QTest::addColumn<QString>("readNeighbours"); // "-": not read
    QTest::addColumn<double>("readArea");
    QTest::addColumn<int>("readCoast"); // -1 not read
    QTest::addColumn<QString>("found");  // facts that disagree, space-separated

    const QString area = QStringLiteral("XX-A\tsuperficie\t1000\ttotal\t2020\tS\n");
    QTest::newRow("all agree") << "XX-B XX-C" << "" << area + "XX-A\tcosta\tmar Caribe\tmar\t\tS\n"
                               << "XX-C XX-B" << 1100.0 << 1 << "";
    QTest::newRow("a border the table lacks") << "XX-B" << "" << area << "XX-B XX-C" << 1000.0 << -1 << "vecinos";
    QTest::newRow("a border the outlines lack") << "XX-B XX-C" << "" << area << "XX-B" << 1000.0 << -1 << "vecinos";
    QTest::newRow("a note answers for the row") << "XX-B" << "No toca XX-C: solo se acercan." << area << "XX-B XX-C"
                                                << 1000.0 << -1 << "";
    QTest::newRow("area 20 % off") << "" << "" << area << "" << 800.0 << -1 << "superficie";
    QTest::newRow("area 14 % off") << "" << "" << area << "" << 1140.0 << -1 << "";
    QTest::newRow("estuary read as coast") << "" << "" << area + "XX-A\tcosta\tninguna\t\t\tS\n" << "" << 1000.0 << 1
                                           << "costa";
    QTest::newRow("a lake shore is no sea coast") << "" << "" << area + "XX-A\tcosta\tlago Titicaca\tlago\t\tS\n" << ""
                                                  << 1000.0 << 1 << "costa";
    QTest::newRow("coast lost in the outlines") << "" << "" << area + "XX-A\tcosta\tocéano Pacífico\tmar\t\tS\n" << ""
                                                << 1000.0 << 0 << "costa";
    QTest::newRow("nothing measured, nothing to say") << "XX-B" << "" << "" << "-" << -1.0 << -1 << "";
}

void CardWriterTest::secondReading()
{
    QFETCH(QString, tableNeighbours);
    QFETCH(QString, note);
    QFETCH(QString, factRows);
    QFETCH(QString, readNeighbours);
    QFETCH(double, readArea);
    QFETCH(int, readCoast);
    QFETCH(QString, found);

    QHash<QString, RegionFacts> facts;
    QStringList errors;
    QVERIFY(parseFactTable(QStringLiteral("codigo\thecho\tvalor\tdetalle\taño\tfuente\n") + factRows,
                           QStringLiteral("x"), {{QStringLiteral("S"), 0}}, &facts, &errors));
    NeighbourRow row;
    row.neighbours = tableNeighbours.split(u' ', Qt::SkipEmptyParts);
    row.note = note;
    GeometryReading reading;
    if (readNeighbours != QStringLiteral("-")) // "-": the outlines were not read
        reading.neighbours = readNeighbours.split(u' ', Qt::SkipEmptyParts);
    reading.areaKm2 = readArea;
    if (readCoast >= 0)
        reading.coast = readCoast == 1;

    QStringList kinds;
    for (const Disagreement &d : compareReading(QStringLiteral("x"), QStringLiteral("XX-A"), &row,
                                                facts.value(QStringLiteral("XX-A")), reading)) {
        kinds << d.fact;
        QVERIFY2(d.text().startsWith(QStringLiteral("x XX-A ")), qPrintable(d.text()));
    }
    QCOMPARE(kinds.join(u' '), found);
}

void CardWriterTest::reviewsAnswerOnlyWhatTheyName()
{
    Reviews reviews;
    QStringList errors;
    QVERIFY2(reviews.parse(QStringLiteral("# revisado\ntabla\tcodigo\thecho\tmotivo\n"
                                          "x\tXX-A\tsuperficie\tEl contorno de la fuente es muy simple.\n"
                                          "x\tXX-B\tcosta\tEl estuario no es costa.\n"),
                           QStringLiteral("segunda-lectura.tsv"), &errors),
             qPrintable(errors.join(u'\n')));
    QVERIFY(reviews.covers({QStringLiteral("x"), QStringLiteral("XX-A"), QStringLiteral("superficie"), {}}));
    QVERIFY(!reviews.covers({QStringLiteral("x"), QStringLiteral("XX-A"), QStringLiteral("costa"), {}}));
    QVERIFY(!reviews.covers({QStringLiteral("y"), QStringLiteral("XX-A"), QStringLiteral("superficie"), {}}));
    // The review of XX-B answered nothing in this run: it is reported as stale.
    QCOMPARE(reviews.unused().size(), 1);
    QVERIFY(reviews.unused().first().contains(QStringLiteral("XX-B")));

    // Neighbours are answered in their own row; a review needs a reason.
    for (const QString &bad : {QStringLiteral("x\tXX-A\tvecinos\tNo.\n"), QStringLiteral("x\tXX-A\tcosta\t \n"),
                               QStringLiteral("x\tXX-A\tsuperficie\tUno.\nx\tXX-A\tsuperficie\tOtro.\n")}) {
        Reviews r;
        errors.clear();
        QVERIFY2(!r.parse(QStringLiteral("tabla\tcodigo\thecho\tmotivo\n") + bad, QStringLiteral("s.tsv"), &errors), qPrintable(bad));
        QVERIFY(errors.first().startsWith(QStringLiteral("s.tsv:")));
    }
}

// The tables the atlas ships: sourced, symmetric, and a row for every land
// region of each map's name table (seas have no neighbours).
void CardWriterTest::committedNeighbourTablesHoldEveryRegion()
{
    const QString forge = QStringLiteral(FORGE_DIR);
    FactTables facts;
    QStringList errors;
    QVERIFY2(facts.load(forge + QStringLiteral("/cards/tables"), &errors), qPrintable(errors.join(u'\n')));
    NeighbourTables tables;
    QVERIFY2(tables.load(forge + QStringLiteral("/cards/tables"),
                         [&](const QString &k) { return !facts.source(k).key.isEmpty(); }, &errors),
             qPrintable(errors.join(u'\n')));
    if (tables.tables().isEmpty())
        QSKIP("no neighbour tables");
    QStringList faults;
    for (const QString &name : tables.tables()) {
        QString error;
        const auto names = readTsv(forge + QStringLiteral("/names/") + name + QStringLiteral(".tsv"), &error);
        if (!names) {
            faults << name + QStringLiteral(": no name table");
            continue;
        }
        // Spain's and the United States' tables are keyed by INE and USPS codes.
        const QString key = names->column(QStringLiteral("ine")) >= 0 ? QStringLiteral("ine")
            : names->column(QStringLiteral("usps")) >= 0             ? QStringLiteral("usps")
                                                                     : QStringLiteral("codigo");
        QSet<QString> land;
        for (const QStringList &row : names->rows) {
            static const QStringList water{QStringLiteral("mar"), QStringLiteral("golfo"), QStringLiteral("océano"),
                                           QStringLiteral("bahía"), QStringLiteral("estrecho"), QStringLiteral("canal")};
            if (water.contains(names->value(row, QStringLiteral("tipo")).section(u' ', 0, 0)))
                continue;
            if (key == QStringLiteral("usps") && names->value(row, QStringLiteral("fips")).toInt() > 56)
                continue; // island territories are countries on this atlas's maps
            land.insert(names->value(row, key));
        }
        const NeighbourTable &t = tables.table(name);
        for (const QString &code : land)
            if (!t.contains(code))
                faults << name + QStringLiteral(": no row for ") + code;
        for (auto it = t.constBegin(); it != t.constEnd(); ++it)
            if (!land.contains(it.key()))
                faults << name + QStringLiteral(": ") + it.key() + QStringLiteral(" is no region of the name table");
    }
    faults.sort();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// Fifteen inland divisions of one map: by chance five of them could share
// one way of saying it; shared out, no wording is used more than three times.
void CardWriterTest::wordingsTakeTurnsAlongAMap()
{
    RegionFacts inland;
    inland.noCoast = true;
    QHash<QString, int> uses;
    for (int i = 0; i < 15; ++i) {
        const QString name = QStringLiteral("Región %1").arg(i);
        words::setVariantPlace(words::VariantPlace{0, i});
        ++uses[words::coastSentence(inland, N(qPrintable(name), "f"), name)];
    }
    QVERIFY2(uses.size() >= 5, qPrintable(uses.keys().join(u'\n')));
    for (auto it = uses.cbegin(); it != uses.cend(); ++it)
        QVERIFY2(it.value() <= 3, qPrintable(it.key()));
    // Only every fifth region of a map is inland: going round by place alone
    // would give all five the same wording.
    QSet<QString> said;
    for (int i = 0; i < 25; i += 5) {
        const QString name = QStringLiteral("Región %1").arg(i);
        words::setVariantPlace(words::VariantPlace{1, i});
        said.insert(words::coastSentence(inland, N(qPrintable(name), "f"), name));
    }
    QCOMPARE(said.size(), 5);
    words::setVariantPlace(std::nullopt);
    words::clearVariantCounts();
    // With no region set, the wording depends only on the name.
    QCOMPARE(words::coastSentence(inland, N("Oruro"), QStringLiteral("Oruro")),
             words::coastSentence(inland, N("Oruro"), QStringLiteral("Oruro")));
}

void CardWriterTest::seaCard()
{
    SeaFacts s;
    s.name = N("mar del Norte", "m", "s", "el");
    s.description = QStringLiteral("un mar del océano Atlántico");
    s.links = QStringLiteral("Se abre al océano Atlántico por el norte.");
    s.coasts = {N("Reino Unido", "m", "s", "el"), N("Noruega", "f"), N("Países Bajos", "m", "p", "los"), N("Francia", "f")};
    s.area = 575000;
    s.depth = 700;
    QStringList t = seaText(s);
    QCOMPARE(t, (QStringList{
                    "El mar del Norte es un mar del océano Atlántico. Se abre al océano Atlántico por el norte.",
                    "Baña las costas del Reino Unido, Noruega, los Países Bajos y Francia. "
                    "Mide unos 575\u00a0000 kilómetros cuadrados. "
                    "Su punto más hondo está a unos 700 metros de profundidad."}));

    // A bay is feminine; an ocean names its shores and its deepest place;
    // what the table leaves empty is left out, not written as a gap.
    s = SeaFacts{};
    s.name = N("bahía de Hudson", "f", "s", "la");
    s.description = QStringLiteral("una gran bahía del norte de Canadá");
    s.coasts = {N("Canadá")};
    s.note = QStringLiteral("Es poco honda.");
    t = seaText(s);
    QCOMPARE(t.at(0), QStringLiteral("La bahía de Hudson es una gran bahía del norte de Canadá."));
    QCOMPARE(t.at(1), QStringLiteral("Baña las costas de Canadá."));
    QCOMPARE(t.at(2), QStringLiteral("Es poco honda."));

    s = SeaFacts{};
    s.name = N("océano Pacífico", "m", "s", "el");
    s.description = QStringLiteral("el más grande de los océanos");
    s.shores = QStringLiteral("Asia, Oceanía y América");
    s.area = 165e6;
    s.depth = 11000;
    s.deepest = QStringLiteral("la fosa de las Marianas");
    t = seaText(s);
    QCOMPARE(t.at(1), QStringLiteral("Baña las costas de Asia, Oceanía y América. "
                                     "Mide unos 165 millones de kilómetros cuadrados. "
                                     "Su punto más hondo está en la fosa de las Marianas, "
                                     "a unos 11\u00a0000 metros de profundidad."));
}

void CardWriterTest::seaNamesInSentences_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("inSentence");
    QTest::newRow("sea") << "Mar Negro" << "mar Negro";
    QTest::newRow("bay") << "Bahía de Hudson" << "bahía de Hudson";
    QTest::newRow("ocean") << "Océano Glacial Ártico" << "océano Glacial Ártico";
    QTest::newRow("gulf") << "Golfo Pérsico" << "golfo Pérsico";
    // Only the whole first word counts, and a lone word is a name.
    QTest::newRow("country") << "Marruecos" << "Marruecos";
    QTest::newRow("state") << "Maranhão" << "Maranhão";
    QTest::newRow("one word") << "Mar" << "Mar";
}

void CardWriterTest::seaNamesInSentences()
{
    QFETCH(QString, name);
    QFETCH(QString, inSentence);
    QCOMPARE(seaNameInSentence(name), inSentence);
}

void CardWriterTest::divisionsMeasuredFromBoundaries()
{
    QString error;
    const auto shapes = measureDivisions(QStringLiteral(CARDS_TEST_DATA "/divisiones.recipe"),
                                         QStringLiteral(CARDS_TEST_DATA),
                                         {QStringLiteral("XX-M"), QStringLiteral("XX-N"), QStringLiteral("XX-I"),
                                          QStringLiteral("XX-D"), QStringLiteral("XX-Z")},
                                         &error);
    QVERIFY2(shapes, qPrintable(error));
    QVERIFY(!shapes->contains(QStringLiteral("XX-Z")));

    // Surrounded on all sides: three squares of its country share a side,
    // the fourth side is another country's, the corners do not count.
    const DivisionShape m = shapes->value(QStringLiteral("XX-M"));
    QCOMPARE(m.neighbours, (QStringList{"XX-N", "XX-S", "XX-W"}));
    QCOMPARE(m.foreign, QStringList{"alpha2:YY"});
    QVERIFY(!m.coast);
    // One degree square between 1° and 2° north: 111.2 km × 111.2 km × cos 1.5°.
    QVERIFY2(m.areaKm2 > 12300 && m.areaKm2 < 12420, qPrintable(QString::number(m.areaKm2)));

    const DivisionShape n = shapes->value(QStringLiteral("XX-N"));
    QCOMPARE(n.neighbours, (QStringList{"XX-M", "XX-NE", "XX-NW"}));
    QVERIFY2(n.foreign.isEmpty(), qPrintable(n.foreign.join(u' ')));
    QVERIFY(n.coast);

    const DivisionShape island = shapes->value(QStringLiteral("XX-I"));
    QVERIFY(island.neighbours.isEmpty());
    QVERIFY(island.foreign.isEmpty());
    QVERIFY(island.coast);
    QCOMPARE(island.pieces, 2);

    // A quarter of its outline is coast, drawn with two vertices; the other
    // three sides, its border with XX-U, with nine hundred. The coast is
    // weighed by its length, not by its vertices.
    const DivisionShape dense = shapes->value(QStringLiteral("XX-D"));
    QCOMPARE(dense.neighbours, QStringList{"XX-U"});
    QVERIFY(dense.coast);
}

void CardWriterTest::provinceAndCommunity()
{
    ProvinceFacts p;
    p.name = N("Álava", "f");
    p.community = N("País Vasco", "m", "s", "el");
    p.capital = QStringLiteral("Vitoria");
    p.sourced.area = SourcedFigure{3037, QStringLiteral("total"), 2024, QStringLiteral("ES-INE")};
    p.neighbours = {QStringLiteral("Burgos"), QStringLiteral("Guipúzcoa")};
    QStringList t = provinceText(p);
    QCOMPARE(t.at(0), QStringLiteral("Álava es una provincia de España. Forma parte del País Vasco. Su capital es Vitoria."));
    QCOMPARE(t.at(1), QStringLiteral("Ocupa unos 3000 kilómetros cuadrados."));
    p.sourced = {};
    QCOMPARE(t.at(2), QStringLiteral("Limita con las provincias de Burgos y Guipúzcoa."));

    p.name = N("Cádiz");
    p.community = N("Andalucía", "f");
    p.capital = QStringLiteral("Cádiz");
    p.neighbours = {QStringLiteral("Huelva")};
    p.countries = {N("Gibraltar")};
    t = provinceText(p);
    QCOMPARE(t.at(0), QStringLiteral("Cádiz es una provincia de España. Forma parte de la comunidad autónoma de Andalucía. "
                                     "Su capital es la ciudad de Cádiz."));
    QCOMPARE(t.at(1), QStringLiteral("Limita con la provincia de Huelva. También limita con Gibraltar."));

    CommunityFacts c;
    c.name = N("Aragón");
    c.capital = QStringLiteral("Zaragoza");
    c.provinces = {QStringLiteral("Huesca"), QStringLiteral("Teruel"), QStringLiteral("Zaragoza")};
    c.neighbours = {N("Cataluña", "f"), N("Comunidad Valenciana", "f", "s", "la")};
    c.countries = {N("Francia", "f")};
    t = communityText(c);
    QCOMPARE(t.at(0), QStringLiteral("Aragón es una comunidad autónoma de España. Su capital es Zaragoza."));
    QCOMPARE(t.at(1), QStringLiteral("Tiene tres provincias: Huesca, Teruel y Zaragoza."));
    c.sourced.languages = {QStringLiteral("castellano"), QStringLiteral("aragonés")};
    t = communityText(c);
    QCOMPARE(t.at(2), QStringLiteral("Además del castellano, es lengua oficial el aragonés."));
    QCOMPARE(t.at(3), QStringLiteral("Limita con Cataluña y la Comunidad Valenciana. Tiene frontera con Francia."));
}

void CardWriterTest::singleProvinceCommunity()
{
    CommunityFacts c;
    c.name = N("Asturias", "f");
    c.capital = QStringLiteral("Oviedo");
    c.neighbours = {N("Cantabria", "f"), N("Galicia", "f")};
    ProvinceFacts p;
    p.name = N("Asturias", "f");
    p.sourced.area = SourcedFigure{10604, QStringLiteral("total"), 2024, QStringLiteral("ES-INE")};
    const QStringList t = singleProvinceCommunityText(c, p);
    QVERIFY(t.at(0).contains(QStringLiteral("una sola provincia")));
    QVERIFY(t.at(0).endsWith(QStringLiteral("Su capital es Oviedo.")));
    QCOMPARE(t.at(1), QStringLiteral("Mide unos 10\u00a0600 kilómetros cuadrados."));
    QCOMPARE(t.at(2), QStringLiteral("Limita con Cantabria y Galicia."));
}

void CardWriterTest::usState()
{
    StateFacts s;
    s.name = N("Texas");
    s.capital = QStringLiteral("Austin");
    s.neighbours = {QStringLiteral("Luisiana"), QStringLiteral("Oklahoma")};
    s.countries = {N("México")};
    QStringList t = stateText(s);
    QCOMPARE(t.at(0), QStringLiteral("Texas es uno de los cincuenta estados de los Estados Unidos. Su capital es Austin."));
    QCOMPARE(t.at(1), QStringLiteral("Limita con los estados de Luisiana y Oklahoma. Comparte frontera con México."));
    s.area = 695662;
    QCOMPARE(stateText(s).at(1),
             QStringLiteral("Tiene una superficie total, con sus aguas, de unos 696\u00a0000 kilómetros cuadrados."));

    // The federal district is no state: it is told apart.
    StateFacts md;
    md.name = N("Maryland");
    md.neighbours = {QStringLiteral("Delaware"), QStringLiteral("Virginia")};
    md.bordersDistrict = true;
    QCOMPARE(stateText(md).at(1), QStringLiteral("Limita con los estados de Delaware y Virginia y con el Distrito de "
                                                 "Columbia, donde está la capital del país."));

    s.name = N("Distrito de Columbia", "m", "s", "el");
    s.district = true;
    s.capital = QStringLiteral("Washington");
    s.countries.clear();
    s.neighbours = {QStringLiteral("Maryland"), QStringLiteral("Virginia")};
    t = stateText(s);
    QVERIFY(t.at(0).contains(QStringLiteral("no es un estado")));
    QCOMPARE(t.last(), QStringLiteral("Está entre los estados de Maryland y Virginia."));
}

void CardWriterTest::tsvSkipsCommentsAndKeepsEmptyCells()
{
    const TsvTable t = parseTsv(QStringLiteral("# fuente\r\na\tb\tc\r\n1\t\t3\r\n# otra\r\n4\t5\t6\r\n"));
    QCOMPARE(t.header, (QStringList{"a", "b", "c"}));
    QCOMPARE(t.rows.size(), 2);
    QCOMPARE(t.value(t.rows.at(0), QStringLiteral("b")), QString());
    QCOMPARE(t.value(t.rows.at(0), QStringLiteral("c")), QStringLiteral("3"));
    QCOMPARE(t.indexBy(QStringLiteral("a")).value(QStringLiteral("4")).at(1), QStringLiteral("5"));
}

void CardWriterTest::topologyNeighboursAndArea()
{
    QString error;
    const auto features = readTopoFeatures(QStringLiteral(CARDS_TEST_DATA "/two-squares.topojson"),
                                           QStringLiteral("squares"), &error);
    QVERIFY2(features, qPrintable(error));
    QCOMPARE(features->size(), 3);
    QCOMPARE(features->at(0).neighbours, QStringList{"B"});
    QCOMPARE(features->at(1).neighbours, QStringList{"A"});
    QVERIFY(features->at(2).neighbours.isEmpty());
    // One degree square at the equator: about 111.2 km × 110.6 km.
    QVERIFY2(qAbs(features->at(0).areaKm2 - 12308) < 60, qPrintable(QString::number(features->at(0).areaKm2)));
    QVERIFY(qAbs(features->at(0).areaKm2 - features->at(1).areaKm2) < 1);
    QCOMPARE(features->at(0).name, QStringLiteral("Oeste"));
}

void CardWriterTest::regionMaskFollowsOneColourArea()
{
    // Two white rooms split by a dark wall; a seed fills only its own room.
    QImage map(20, 10, QImage::Format_RGB32);
    map.fill(Qt::white);
    for (int y = 0; y < 10; ++y)
        map.setPixel(10, y, qRgb(40, 40, 40));
    QImage mask = regionMask(map, {QPoint(3, 3), QPoint(0, 0)});
    QCOMPARE(maskArea(mask), qint64(100));
    QVERIFY(mask.pixelIndex(15, 5) == 0 || qGray(mask.pixel(15, 5)) == 0);
    mask = regionMask(map, {QPoint(3, 3), QPoint(15, 5), QPoint(0, 0)});
    QCOMPARE(maskArea(mask), qint64(190));
}

void CardWriterTest::locatorHighlightsRegionAndMutesTheRest()
{
    QImage map(900, 700, QImage::Format_RGB32);
    map.fill(qRgb(0xb4, 0xd7, 0xf0)); // sea
    QPainter painter(&map);
    painter.setPen(QColor(30, 30, 30));
    painter.setBrush(Qt::white);
    painter.drawRect(100, 100, 300, 300);
    painter.drawRect(400, 100, 300, 300);
    painter.end();
    const QImage mask = regionMask(map, {QPoint(200, 200)});
    const QImage pic = locatorPicture(map, mask);
    QVERIFY(pic.width() <= kLocatorMaxWidth && pic.height() <= kLocatorMaxHeight);
    QCOMPARE(pic.width() * 3, pic.height() * 4);
    // The region's middle is the strong colour; its neighbour is no longer white.
    int red = 0, white = 0;
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            red += pic.pixel(x, y) == kHighlight ? 1 : 0;
            white += pic.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
        }
    QVERIFY(red > pic.width() * pic.height() / 10);
    QCOMPARE(white, 0);

    // A region of a few pixels is ringed, so more strong pixels than its own.
    QImage tiny(900, 700, QImage::Format_RGB32);
    tiny.fill(qRgb(0xb4, 0xd7, 0xf0));
    tiny.setPixel(450, 350, qRgb(255, 255, 255));
    const QImage ringed = locatorPicture(tiny, regionMask(tiny, {QPoint(450, 350)}));
    QCOMPARE(ringed.size(), QSize(kLocatorMaxWidth, kLocatorMaxHeight));
    int strong = 0;
    for (int y = 0; y < ringed.height(); ++y)
        for (int x = 0; x < ringed.width(); ++x)
            strong += ringed.pixel(x, y) == kHighlight ? 1 : 0;
    QVERIFY(strong > 20);
}

void CardWriterTest::locatorShowsIslandsWithoutTheirTieLines()
{
    // A large island and a 3 x 3 one of the same region, outlined, tied by a
    // one-pixel white line through the sea as the forge draws it.
    QImage map(900, 700, QImage::Format_RGB32);
    map.fill(kMapSea);
    QPainter painter(&map);
    painter.setPen(QColor(0x3a, 0x3a, 0x3a));
    painter.setBrush(Qt::white);
    painter.drawRect(300, 300, 100, 100);
    painter.drawRect(600, 350, 4, 4);
    painter.end();
    for (int x = 400; x <= 600; ++x)
        map.setPixel(x, 352, qRgb(255, 255, 255));
    const QImage mask = regionMask(map, {QPoint(350, 350)});
    QVERIFY(mask.pixelColor(602, 352) != QColor(Qt::black));  // the fill reaches the small island
    const QImage pic = locatorPicture(map, mask);
    auto reddish = [&](int x, int y) {
        const QRgb c = pic.pixel(x, y);
        return qRed(c) > qGreen(c) + 60;
    };
    // The window: the parts' box (301..603 x 301..399) with as much again
    // around it, 4:3, scaled down to 400 pixels wide.
    const double scale = 400.0 / 606;
    const int left = 452 - 303, top = 350 - 227;
    // Halfway between the islands, no red crosses the sea.
    const int middle = int((500 - left) * scale);
    for (int y = 0; y < pic.height(); ++y)
        QVERIFY2(!reddish(middle, y), qPrintable(QStringLiteral("red at %1,%2").arg(middle).arg(y)));
    // The small island is red and ringed: far more red around it than its
    // own few pixels.
    const QPoint small(int((602 - left) * scale), int((352 - top) * scale));
    int red = 0;
    for (int y = small.y() - 12; y <= small.y() + 12; ++y)
        for (int x = small.x() - 12; x <= small.x() + 12; ++x)
            red += reddish(x, y) ? 1 : 0;
    QVERIFY2(red > 25, qPrintable(QString::number(red)));
    QVERIFY(reddish(small.x(), small.y()));
}

void CardWriterTest::limitColoursKeepsDominantColoursExact()
{
    // Two flag colours plus 400 rare edge shades: the flag colours survive.
    QImage img(100, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            img.setPixel(x, y, y < 50 ? qRgb(0xaa, 0x15, 0x1b) : qRgb(0xf1, 0xbf, 0x00));
    for (int i = 0; i < 400; ++i)
        img.setPixel(i % 100, 45 + i / 100, qRgb(0xaa + i % 40, 0x15 + i / 4, 0x1b));
    const QImage limited = limitColours(img, 256);
    QSet<QRgb> colours;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            colours.insert(limited.pixel(x, y) | 0xff000000u);
    QVERIFY(colours.size() <= 256);
    QCOMPARE(limited.pixel(50, 10) | 0xff000000u, qRgb(0xaa, 0x15, 0x1b));
    QCOMPARE(limited.pixel(50, 90) | 0xff000000u, qRgb(0xf1, 0xbf, 0x00));
}

// Codes repeat across kinds (INE 05 is both Canarias and Ávila) and across
// countries' ISO suffixes (AR-B, CH-AR): a lookup answers only for its kind and
// the whole code.
void CardWriterTest::flagLookupKeepsToItsKind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("file");
    QTest::newRow("community 05") << "comunidad" << "05" << "banderas/ES-CN.svg";
    QTest::newRow("province 05 is not the community") << "provincia" << "05" << "";
    QTest::newRow("province with its own row") << "provincia" << "33" << "banderas/asturias-provincia.svg";
    QTest::newRow("state") << "estado" << "GA" << "region-flags/svg/US-GA.svg";
    QTest::newRow("a state code is no community") << "comunidad" << "GA" << "";
    QTest::newRow("division by whole code") << "division" << "AR-B" << "banderas/AR-B.svg";
    QTest::newRow("same letters in another country") << "division" << "CH-AR" << "banderas/CH-AR.svg";
    QTest::newRow("a suffix alone finds nothing") << "division" << "B" << "";
    QTest::newRow("a division code is no state") << "estado" << "CH-AR" << "";
    QTest::newRow("unknown kind") << "pais" << "05" << "";
}

void CardWriterTest::flagLookupKeepsToItsKind()
{
    QFETCH(QString, kind);
    QFETCH(QString, code);
    QFETCH(QString, file);
    const TsvTable table = parseTsv(QStringLiteral(
        "# comment\n"
        "tipo\tcodigo\tfichero\tcomprobado\n"
        "comunidad\t05\tbanderas/ES-CN.svg\tx\n"
        "provincia\t33\tbanderas/asturias-provincia.svg\tx\n"
        "estado\tGA\tregion-flags/svg/US-GA.svg\tx\n"
        "division\tAR-B\tbanderas/AR-B.svg\tx\n"
        "division\tCH-AR\tbanderas/CH-AR.svg\tx\n"));
    QCOMPARE(flagtable::lookup(table, kind, code), file);
}

void CardWriterTest::flagFilesResolveToTheirCopy_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::newRow("own copy") << "banderas/ES-AS.svg" << "/repo/own/ES-AS.svg" << 0;
    QTest::newRow("npm, own proportions") << "region-flags/svg/US-GA.svg" << "/cache/region-flags/svg/US-GA.svg" << 0;
    QTest::newRow("npm circle") << "circle-flags/flags/es-ce.svg" << "/cache/circle-flags/flags/es-ce.svg" << 0;
    QTest::newRow("npm 4:3 field") << "flag-icons/flags/4x3/es-pv.svg" << "/cache/flag-icons/flags/4x3/es-pv.svg" << 85;
    QTest::newRow("a folder merely named like the copy") << "banderasx/a.svg" << "/cache/banderasx/a.svg" << 0;
}

void CardWriterTest::flagFilesResolveToTheirCopy()
{
    QFETCH(QString, file);
    QFETCH(QString, path);
    QFETCH(int, width);
    const QString resolved = flagtable::resolve(file, QStringLiteral("/cache"), QStringLiteral("/repo/own"));
    QCOMPARE(resolved, path);
    QCOMPARE(flagtable::renderWidth(resolved, 85), width);
}

QTEST_GUILESS_MAIN(CardWriterTest)
#include "tst_cardwriter.moc"
