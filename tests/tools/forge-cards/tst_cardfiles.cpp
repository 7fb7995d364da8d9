// The committed card texts: each one must be readable by the game (it takes
// them as Windows-1252 with CR LF lines) and must be about its own region.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString decode1252(const QByteArray &bytes, bool *ok)
{
    static const char16_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    *ok = true;
    QString s;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0) {
            if (!high[b - 0x80])
                *ok = false;
            s += QChar(high[b - 0x80]);
        } else {
            s += QChar(b);
        }
    }
    return s;
}

// Maps whose cards the card writer has yet to write from their division
// tables. Once it has, this test passes unexpectedly and the list must go.
const QStringList kMapsAwaitingCards{
    QStringLiteral("Argentina - provincias"), QStringLiteral("Bolivia - departamentos"),
    QStringLiteral("Chile - regiones"), QStringLiteral("Colombia - departamentos"),
    QStringLiteral("Costa Rica - provincias"), QStringLiteral("Cuba - provincias"),
    QStringLiteral("Ecuador - provincias"), QStringLiteral("El Salvador - departamentos"),
    QStringLiteral("Guatemala - departamentos"), QStringLiteral("Guinea Ecuatorial - provincias"),
    QStringLiteral("Honduras - departamentos"), QString::fromUtf8("México - estados"),
    QString::fromUtf8("Nicaragua - departamentos y regiones autónomas"),
    QString::fromUtf8("Panamá - provincias y comarcas"), QStringLiteral("Paraguay - departamentos"),
    QString::fromUtf8("Perú - departamentos"), QString::fromUtf8("República Dominicana - provincias"),
    QStringLiteral("Uruguay - departamentos"), QStringLiteral("Venezuela - estados"),
    QStringLiteral("Alemania - estados federados"), QStringLiteral("Australia - estados y territorios"),
    QStringLiteral("Austria - estados federados"), QString::fromUtf8("Bélgica - provincias"),
    QStringLiteral("Brasil - estados"), QString::fromUtf8("Canadá - provincias y territorios"),
    QStringLiteral("China - divisiones provinciales"), QStringLiteral("Corea del Sur - provincias y ciudades"),
    QStringLiteral("Francia - regiones"), QStringLiteral("Grecia - regiones"), QStringLiteral("Italia - regiones"),
    QString::fromUtf8("Japón - prefecturas"), QString::fromUtf8("Mares y océanos"),
    QStringLiteral("Nigeria - estados"), QString::fromUtf8("Países Bajos - provincias"),
    QStringLiteral("Polonia - voivodatos"), QString::fromUtf8("Portugal - distritos y regiones autónomas"),
    QString::fromUtf8("Sudáfrica - provincias"), QStringLiteral("Suecia - provincias"),
    QStringLiteral("Suiza - cantones")};

// Region names of every coordinates file, as the game lists them; with
// `awaiting`, only those of the maps awaiting their cards, else only the others.
QStringList regionNames(const QDir &data, bool awaiting = false)
{
    QStringList names;
    const QDir coords(data.filePath(QStringLiteral("Coordenadas")));
    for (const QString &f : coords.entryList(QDir::Files)) {
        if (kMapsAwaitingCards.contains(f) != awaiting)
            continue;
        QFile file(coords.filePath(f));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8(bytes);
        bool ok = true;
        if (utf8.hasError())
            text = decode1252(bytes, &ok);
        const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
        for (int i = 2; i < lines.size(); ++i)
            if (!lines.at(i).trimmed().isEmpty())
                names << lines.at(i).section(u',', 0, 0);
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
    bool ok = false;
    return *found ? decode1252(file.readAll(), &ok) : QString();
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
        bool ok = false;
        const QString text = decode1252(bytes, &ok);
        QVERIFY2(ok, qPrintable(f + QStringLiteral(": byte not defined in Windows-1252")));
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

    bool allAwaitingHaveTexts = true;
    for (const QString &n : regionNames(data, true))
        allAwaitingHaveTexts = allAwaitingHaveTexts && texts.contains(n.toCaseFolded());
    QEXPECT_FAIL("", "the card writer has not yet written the divisions' cards", Continue);
    QVERIFY(allAwaitingHaveTexts);
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
        // "uno de los países más pequeños" speaks of the countries.
        text.remove(QStringLiteral("países más pequeños"));
        // A card that tells of two places (the province and the country
        // "Granada"...) is checked through the rows of neither.
        if (!found || text.startsWith(QStringLiteral("En este atlas")))
            continue;
        ++checked;
        QString subject = r.article.isEmpty() ? r.name : r.article + u' ' + r.name;
        subject[0] = subject[0].toUpper();
        const QString verb = r.plural ? QStringLiteral(" son ") : QStringLiteral(" es ");
        if (!text.startsWith(subject + verb))
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
        bool ok = false;
        const QString text = decode1252(file.readAll(), &ok);
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
                // "el océano Atlántico" names the ocean, not the department.
                const bool water = before == QStringLiteral("océano") || before == QStringLiteral("mar");
                if (!fine && !city && !water && !(before.isEmpty() && m.capturedStart() == 0))
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
                               QStringLiteral("cards/tables/divisiones")})
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
