// The committed card texts: each one must be readable by the game (it takes
// them as Windows-1252 with CR LF lines) and must be about its own region.
#include "mapdata/coordinatesfile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

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
    return *found ? textfile::decodeWindows1252(file.readAll()) : QString();
}

// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252.
bool hasUndefinedByte(const QByteArray &bytes)
{
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            return true;
    }
    return false;
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
        const QString text = textfile::decodeWindows1252(bytes);
        QVERIFY2(!hasUndefinedByte(bytes), qPrintable(f + QStringLiteral(": byte not defined in Windows-1252")));
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
        const QRegularExpression wrongEnding(QStringLiteral("\\b(?:rodead|formad|pequeñ|separad|situad|bañad)(?!") + o + s
                                             + QStringLiteral("\\b)[oa]s?\\b"));
        const auto m = wrongEnding.match(text);
        if (m.hasMatch())
            faults << r.name + QStringLiteral(": \"") + m.captured() + QStringLiteral("\" does not agree");
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
        const QString text = textfile::decodeWindows1252(file.readAll());
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
                const bool sea = before == QStringLiteral("océano") || before == QStringLiteral("océanos")
                    || before == QStringLiteral("mar") || before == QStringLiteral("mares");
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
                               QStringLiteral("cards/tables/divisiones"), QStringLiteral("cards/tables/aguas")})
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

QTEST_GUILESS_MAIN(CardFilesTest)
#include "tst_cardfiles.moc"
