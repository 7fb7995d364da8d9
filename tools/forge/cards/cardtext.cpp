#include "cardtext.h"

#include <cmath>

namespace cards {
namespace {

using spanish::joinList;
using spanish::joinNouns;
using spanish::numberWord;
using spanish::sentence;

QStringList withArticles(const QStringList &nouns)
{
    QStringList out;
    for (const QString &n : nouns)
        out << spanish::articleFor(n) + u' ' + n;
    return out;
}

// Names of languages are masculine ("el quechua", "el xhosa"); only our
// descriptive names that start with "lengua" take "la".
QStringList languagesWithArticles(const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << (n.startsWith(QStringLiteral("lengua")) ? QStringLiteral("la ") : QStringLiteral("el ")) + n;
    return out;
}

QString capitalSentence(const QStringList &capitals, const QString &note, const QString &name)
{
    QString s;
    if (capitals.size() == 1 && capitals.first() == name)
        s = QStringLiteral("Su capital es la ciudad de ") + name + u'.';
    else if (capitals.size() == 1)
        s = sentence(QStringLiteral("Su capital es ") + capitals.first());
    else if (capitals.size() > 1)
        s = sentence(QStringLiteral("Tiene ") + numberWord(static_cast<int>(capitals.size()), true)
                     + QStringLiteral(" capitales: ") + joinList(capitals));
    if (!note.isEmpty())
        s += (s.isEmpty() ? QString() : QStringLiteral(" ")) + note;
    return s;
}

QString areaSentence(double area, const Noun &subject, const QString &which = {})
{
    if (area < 0)
        return {};
    return subject.verb(QStringLiteral("Tiene una superficie"), QStringLiteral("Tienen una superficie")) + which
        + QStringLiteral(" de ") + spanish::areaPhrase(area) + u'.';
}

QString alsoCountries(const QList<Noun> &countries, bool hasOtherNeighbours, const Noun &subject)
{
    if (countries.isEmpty())
        return {};
    const QString verb = subject.verb(QStringLiteral("imita"), QStringLiteral("imitan"));
    return (hasOtherNeighbours ? QStringLiteral("También l") : QStringLiteral("L")) + verb + QStringLiteral(" con ")
        + joinNouns(countries) + u'.';
}

void appendSentence(QString &paragraph, const QString &s)
{
    if (s.isEmpty())
        return;
    paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + s;
}

// "la comunidad autónoma de Andalucía", but "la Comunidad Valenciana",
// "el País Vasco" when the name carries its own article.
QString ofCommunity(const Noun &community)
{
    if (!community.article.isEmpty())
        return community.of();
    return QStringLiteral("de la comunidad autónoma de ") + community.name;
}

} // namespace

QString comparisonWithSpain(double area, double spainArea, const Noun &subject)
{
    if (area <= 0 || spainArea <= 0)
        return {};
    const QString is = subject.verb(QStringLiteral("Es"), QStringLiteral("Son"));
    const QString bigger = QStringLiteral(" más ") + subject.agree(QStringLiteral("grande"));
    const QString smaller = QStringLiteral(" más ") + subject.agree(QStringLiteral("pequeño"));
    const double r = area / spainArea;
    if (r >= 2.25)
        return is + u' ' + spanish::roundedTimes(r) + bigger + QStringLiteral(" que España.");
    if (r >= 1.9)
        return is + QStringLiteral(" más o menos el doble de ") + subject.agree(QStringLiteral("grande"))
            + QStringLiteral(" que España.");
    if (r >= 1.75)
        return is + QStringLiteral(" casi el doble de ") + subject.agree(QStringLiteral("grande"))
            + QStringLiteral(" que España.");
    if (r >= 1.4)
        return is + QStringLiteral(" una vez y media") + bigger + QStringLiteral(" que España.");
    if (r >= 1.1)
        return is + QStringLiteral(" un poco") + bigger + QStringLiteral(" que España.");
    if (r > 0.9)
        return is + QStringLiteral(" más o menos igual de ") + subject.agree(QStringLiteral("grande"))
            + QStringLiteral(" que España.");
    if (r > 0.67)
        return is + QStringLiteral(" un poco") + smaller + QStringLiteral(" que España.");
    const double inv = 1.0 / r;
    if (inv >= 1000)
        return is + QStringLiteral(" muchísimo") + smaller
            + QStringLiteral(" que España: cabría en ella más de mil veces.");
    if (inv < 1.75)
        return QStringLiteral("España es una vez y media más grande.");
    if (inv < 1.9)
        return QStringLiteral("España es casi el doble de grande.");
    if (inv < 2.25)
        return QStringLiteral("España es más o menos el doble de grande.");
    return QStringLiteral("España es ") + spanish::roundedTimes(inv) + QStringLiteral(" más grande.");
}

QStringList countryText(const CountryFacts &f)
{
    const Noun &n = f.name;
    QStringList paragraphs;

    QString p1 = n.subject() + u' ' + n.verb(QStringLiteral("es"), QStringLiteral("son"))
        + (f.sovereign ? QStringLiteral(" un país ") : QStringLiteral(" un territorio ")) + f.where + u'.';
    appendSentence(p1, f.statusNote);
    appendSentence(p1, capitalSentence(f.capitals, f.capitalNote, n.name));
    paragraphs << p1;

    const QString is = n.verb(QStringLiteral("Es"), QStringLiteral("Son"));
    QString p2 = areaSentence(f.area, n);
    if (!f.isSpain)
        appendSentence(p2, comparisonWithSpain(f.area, f.spainArea, n));
    if (f.worldRank == 1)
        appendSentence(p2, is + QStringLiteral(" el país más grande del mundo."));
    else if (f.worldRank > 1 && f.worldRank <= 10)
        appendSentence(p2, is + QStringLiteral(" el ") + spanish::ordinal(f.worldRank)
                               + QStringLiteral(" país más grande del mundo."));
    if (!f.largestIn.isEmpty() && f.worldRank != 1)
        appendSentence(p2, is + QStringLiteral(" el país más grande de ") + f.largestIn + u'.');
    if (f.smallRank == 1)
        appendSentence(p2, is + QStringLiteral(" el país más pequeño del mundo."));
    else if (f.smallRank > 1 && f.smallRank <= 10)
        appendSentence(p2, is + QStringLiteral(" uno de los países más pequeños del mundo."));
    paragraphs << p2;

    QString p3;
    const int count = std::max<int>(f.languageCount, static_cast<int>(f.languages.size()));
    if (!f.languageNote.isEmpty())
        p3 = f.languageNote;
    else if (count == 1 && !f.languages.isEmpty())
        p3 = QStringLiteral("Su lengua oficial es ") + languagesWithArticles(f.languages).first() + u'.';
    else if (count > f.languages.size() && !f.languages.isEmpty())
        p3 = QStringLiteral("Tiene ") + numberWord(count, true)
            + QStringLiteral(" lenguas oficiales, entre ellas ") + joinList(languagesWithArticles(f.languages)) + u'.';
    else if (count > 1)
        p3 = QStringLiteral("Sus lenguas oficiales son ") + joinList(languagesWithArticles(f.languages)) + u'.';
    if (f.currencies.size() == 1)
        appendSentence(p3, QStringLiteral("Su moneda es ") + withArticles(f.currencies).first() + u'.');
    else if (f.currencies.size() > 1)
        appendSentence(p3, QStringLiteral("Tiene ") + numberWord(static_cast<int>(f.currencies.size()), true)
                               + QStringLiteral(" monedas oficiales: ") + joinList(withArticles(f.currencies)) + u'.');
    paragraphs << p3;

    QString p4;
    if (!f.neighbours.isEmpty())
        p4 = n.verb(QStringLiteral("Limita con "), QStringLiteral("Limitan con ")) + joinNouns(f.neighbours) + u'.';
    if (!f.coastNote.isEmpty())
        appendSentence(p4, f.coastNote);
    else if (f.landlocked)
        appendSentence(p4, n.verb(QStringLiteral("No tiene costa: está "), QStringLiteral("No tienen costa: están "))
                               + n.agree(QStringLiteral("rodeado")) + QStringLiteral(" de tierra por todas partes."));
    else if (f.neighbours.isEmpty())
        p4 = n.verb(QStringLiteral("No tiene"), QStringLiteral("No tienen"))
            + QStringLiteral(" fronteras por tierra con otros países: el mar ") + n.pronoun()
            + QStringLiteral(" rodea por todas partes.");
    paragraphs << p4;
    if (!f.dispute.isEmpty())
        paragraphs << f.dispute;

    paragraphs << f.credit;
    return paragraphs;
}

QStringList provinceText(const ProvinceFacts &f)
{
    const Noun &n = f.name;
    QStringList paragraphs;
    QString p1 = n.subject() + u' ' + n.verb(QStringLiteral("es"), QStringLiteral("son"))
        + QStringLiteral(" una provincia de España. Forma parte ") + ofCommunity(f.community) + u'.';
    if (!f.capital.isEmpty()) {
        if (f.capital == n.name)
            p1 += QStringLiteral(" Su capital es la ciudad de ") + f.capital + u'.';
        else
            p1 += u' ' + sentence(QStringLiteral("Su capital es ") + f.capital);
    }
    appendSentence(p1, f.capitalNote);
    paragraphs << p1;
    paragraphs << areaSentence(f.area, n);

    QString p3;
    if (f.neighbours.size() == 1)
        p3 = QStringLiteral("Limita con la provincia de ") + f.neighbours.first() + u'.';
    else if (f.neighbours.size() > 1)
        p3 = QStringLiteral("Limita con las provincias de ") + joinList(f.neighbours) + u'.';
    appendSentence(p3, alsoCountries(f.countries, !f.neighbours.isEmpty(), n));
    appendSentence(p3, f.note);
    if (p3.isEmpty())
        p3 = QStringLiteral("No limita por tierra con ninguna otra provincia.");
    paragraphs << p3;
    paragraphs << f.credit;
    return paragraphs;
}

namespace {

QString communityNeighbours(const CommunityFacts &c, const QList<Noun> &countries, const QString &note)
{
    QString p3;
    if (!c.neighbours.isEmpty())
        p3 = c.name.verb(QStringLiteral("Limita con "), QStringLiteral("Limitan con ")) + joinNouns(c.neighbours) + u'.';
    appendSentence(p3, alsoCountries(countries, !c.neighbours.isEmpty(), c.name));
    appendSentence(p3, note);
    if (p3.isEmpty())
        p3 = c.name.verb(QStringLiteral("No limita"), QStringLiteral("No limitan"))
            + QStringLiteral(" por tierra con ninguna otra comunidad.");
    return p3;
}

} // namespace

QStringList communityText(const CommunityFacts &f)
{
    const Noun &n = f.name;
    QStringList paragraphs;
    QString p1 = n.subject() + u' ' + n.verb(QStringLiteral("es"), QStringLiteral("son"))
        + (f.autonomousCity ? QStringLiteral(" una ciudad autónoma de España.")
                            : QStringLiteral(" una comunidad autónoma de España."));
    if (!f.capital.isEmpty())
        p1 += u' ' + sentence(QStringLiteral("Su capital es ") + f.capital);
    appendSentence(p1, f.capitalNote);
    paragraphs << p1;

    QString p2;
    const QString has = n.verb(QStringLiteral("Tiene "), QStringLiteral("Tienen "));
    if (f.provinces.size() == 1)
        p2 = has + QStringLiteral("una sola provincia: ") + f.provinces.first() + u'.';
    else if (f.provinces.size() > 1)
        p2 = has + numberWord(static_cast<int>(f.provinces.size()), true) + QStringLiteral(" provincias: ")
            + joinList(f.provinces) + u'.';
    appendSentence(p2, areaSentence(f.area, n));
    paragraphs << p2;
    paragraphs << communityNeighbours(f, f.countries, f.note);
    paragraphs << f.credit;
    return paragraphs;
}

QStringList singleProvinceCommunityText(const CommunityFacts &c, const ProvinceFacts &p)
{
    const Noun &n = c.name;
    QStringList paragraphs;
    QString p1 = n.subject() + u' ' + n.verb(QStringLiteral("es"), QStringLiteral("son"));
    if (c.autonomousCity)
        p1 += QStringLiteral(" una ciudad autónoma de España.");
    else
        p1 += QStringLiteral(" una comunidad autónoma de España que tiene una sola provincia, "
                             "con el mismo nombre y el mismo territorio.");
    const QString capital = !c.capital.isEmpty() ? c.capital : p.capital;
    if (!capital.isEmpty() && !c.autonomousCity)
        p1 += u' ' + sentence(QStringLiteral("Su capital es ") + capital);
    appendSentence(p1, !c.capitalNote.isEmpty() ? c.capitalNote : p.capitalNote);
    paragraphs << p1;
    paragraphs << areaSentence(c.area >= 0 ? c.area : p.area, n);
    paragraphs << communityNeighbours(c, !c.countries.isEmpty() ? c.countries : p.countries,
                                      !c.note.isEmpty() ? c.note : p.note);
    paragraphs << (c.credit.isEmpty() ? p.credit : c.credit);
    return paragraphs;
}

QStringList stateText(const StateFacts &f)
{
    const Noun &n = f.name;
    QStringList paragraphs;
    QString p1;
    if (f.district)
        p1 = n.subject() + QStringLiteral(" es el distrito federal de los Estados Unidos: no es un estado.");
    else
        p1 = n.subject() + QStringLiteral(" es uno de los cincuenta estados de los Estados Unidos.");
    if (!f.capital.isEmpty()) {
        if (f.district)
            p1 += QStringLiteral(" Allí está ") + f.capital + QStringLiteral(", la capital del país.");
        else
            p1 += u' ' + sentence(QStringLiteral("Su capital es ") + f.capital);
    }
    if (!f.largestCity.isEmpty() && f.largestCity != f.capital)
        p1 += u' ' + sentence(QStringLiteral("Su ciudad más grande es ") + f.largestCity);
    paragraphs << p1;
    // The Census Bureau's usual figure counts its lakes and coastal waters.
    paragraphs << areaSentence(f.area, n, QStringLiteral(" total, con sus aguas,"));

    QString p3;
    if (f.neighbours.size() == 1)
        p3 = (f.district ? QStringLiteral("Está entre los estados de ") : QStringLiteral("Limita con el estado de "))
            + f.neighbours.first();
    else if (f.neighbours.size() > 1)
        p3 = (f.district ? QStringLiteral("Está entre los estados de ") : QStringLiteral("Limita con los estados de "))
            + joinList(f.neighbours);
    if (f.bordersDistrict)
        p3 += (p3.isEmpty() ? QStringLiteral("Limita con ") : QStringLiteral(" y con "))
            + QStringLiteral("el Distrito de Columbia, donde está la capital del país");
    if (!p3.isEmpty())
        p3 += u'.';
    appendSentence(p3, alsoCountries(f.countries, !f.neighbours.isEmpty() || f.bordersDistrict, n));
    appendSentence(p3, f.note);
    paragraphs << p3;
    paragraphs << f.credit;
    return paragraphs;
}

QStringList divisionText(const DivisionFacts &f)
{
    const Noun &n = f.name;
    QStringList paragraphs;
    const QString is = n.verb(QStringLiteral("es"), QStringLiteral("son"));
    QString p1 = n.subject() + u' ' + is + u' ' + (f.kindFeminine ? QStringLiteral("una ") : QStringLiteral("un "))
        + f.kind + u' ' + f.country.of() + u'.';
    if (!f.capital.isEmpty()) {
        // "la ciudad de Ciudad de México" would stumble.
        if (f.capital == n.name)
            p1 += QStringLiteral(" Su capital es la ciudad del mismo nombre.");
        else
            p1 += u' ' + sentence(QStringLiteral("Su capital es ") + f.capital);
    }
    paragraphs << p1;
    paragraphs << areaSentence(f.area, n);

    QString p3;
    if (!f.neighbours.isEmpty())
        p3 = n.verb(QStringLiteral("Limita con "), QStringLiteral("Limitan con ")) + joinNouns(f.neighbours) + u'.';
    appendSentence(p3, alsoCountries(f.countries, !f.neighbours.isEmpty(), n));
    if (f.island) {
        if (f.islands > 1)
            appendSentence(p3, n.verb(QStringLiteral("Está "), QStringLiteral("Están ")) + n.agree(QStringLiteral("formado"))
                                   + QStringLiteral(" por islas: no ") + n.verb(QStringLiteral("limita"), QStringLiteral("limitan"))
                                   + QStringLiteral(" por tierra con ningún otro lugar."));
        else
            appendSentence(p3, n.verb(QStringLiteral("Es una isla"), QStringLiteral("Son una isla"))
                                   + QStringLiteral(": el mar ") + n.pronoun() + QStringLiteral(" rodea por todas partes."));
    } else if (f.coast) {
        appendSentence(p3, n.verb(QStringLiteral("Tiene costa."), QStringLiteral("Tienen costa.")));
    } else {
        appendSentence(p3, n.verb(QStringLiteral("No tiene costa."), QStringLiteral("No tienen costa.")));
    }
    appendSentence(p3, f.note);
    paragraphs << p3;
    paragraphs << f.credit;
    return paragraphs;
}

bool isWaterKind(const QString &kind)
{
    static const QStringList kinds{QStringLiteral("mar"), QStringLiteral("golfo"), QStringLiteral("bahía"),
                                   QStringLiteral("océano"), QStringLiteral("estrecho"), QStringLiteral("canal")};
    return kinds.contains(kind);
}

QString seaNameInSentence(const QString &name)
{
    const QString first = name.section(u' ', 0, 0);
    if (first.size() == name.size() || !first.at(0).isUpper() || !isWaterKind(first.toLower()))
        return name;
    return first.toLower() + name.mid(first.size());
}

QStringList seaText(const SeaFacts &f)
{
    const Noun &n = f.name;
    QStringList paragraphs;
    QString p1 = n.subject() + QStringLiteral(" es ") + f.description + u'.';
    appendSentence(p1, f.links);
    paragraphs << p1;

    QString p2;
    if (!f.coasts.isEmpty()) {
        // The first name takes the "de": "del Reino Unido, Noruega…".
        QStringList items{f.coasts.first().of()};
        for (qsizetype i = 1; i < f.coasts.size(); ++i)
            items << f.coasts.at(i).inSentence();
        p2 = QStringLiteral("Baña las costas ") + joinList(items) + u'.';
    } else if (!f.shores.isEmpty()) {
        p2 = QStringLiteral("Baña las costas de ") + f.shores + u'.';
    }
    if (f.area >= 0)
        appendSentence(p2, QStringLiteral("Mide ") + spanish::areaPhrase(f.area) + u'.');
    if (f.depth >= 0) {
        const QString metres = QStringLiteral("unos ") + spanish::formatInteger(f.depth)
            + QStringLiteral(" metros de profundidad.");
        appendSentence(p2, f.deepest.isEmpty()
                               ? QStringLiteral("Su punto más hondo está a ") + metres
                               : QStringLiteral("Su punto más hondo está en ") + f.deepest + QStringLiteral(", a ") + metres);
    }
    if (!p2.isEmpty())
        paragraphs << p2;
    if (!f.note.isEmpty())
        paragraphs << f.note;
    paragraphs << f.credit;
    return paragraphs;
}

} // namespace cards
