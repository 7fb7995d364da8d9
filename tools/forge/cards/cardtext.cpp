#include "cardtext.h"

#include "spanish.h"

#include <cmath>

namespace cards {
namespace {

using spanish::joinList;
using spanish::numberWord;

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
        s = QStringLiteral("Su capital es ") + capitals.first() + u'.';
    else if (capitals.size() > 1)
        s = QStringLiteral("Tiene ") + numberWord(static_cast<int>(capitals.size()), true)
            + QStringLiteral(" capitales: ") + joinList(capitals) + u'.';
    if (!note.isEmpty())
        s += (s.isEmpty() ? QString() : QStringLiteral(" ")) + note;
    return s;
}

// "la Comunidad Valenciana", "el País Vasco", "Andalucía".
QString communityWithArticle(const QString &name)
{
    if (name.startsWith(QStringLiteral("Comunidad")) || name.startsWith(QStringLiteral("Región")))
        return QStringLiteral("la ") + name;
    if (name.startsWith(QStringLiteral("País")) || name.startsWith(QStringLiteral("Principado")))
        return QStringLiteral("el ") + name;
    return name;
}

// "de" followed by a phrase that may start with the article "el".
QString de(const QString &phrase)
{
    if (phrase.startsWith(QStringLiteral("el ")))
        return QStringLiteral("del ") + phrase.mid(3);
    return QStringLiteral("de ") + phrase;
}

QString areaSentence(double area)
{
    if (area < 0)
        return {};
    return QStringLiteral("Tiene una superficie de ") + spanish::areaPhrase(area) + u'.';
}

QString alsoCountries(const QStringList &countries, bool hasOtherNeighbours)
{
    if (countries.isEmpty())
        return {};
    return (hasOtherNeighbours ? QStringLiteral("También limita con ") : QStringLiteral("Limita con "))
        + joinList(countries) + u'.';
}

} // namespace

QString comparisonWithSpain(double area, double spainArea, bool feminine)
{
    if (area <= 0 || spainArea <= 0)
        return {};
    const QString smaller = feminine ? QStringLiteral("pequeña") : QStringLiteral("pequeño");
    const double r = area / spainArea;
    if (r >= 1.4 && r < 1.75)
        return QStringLiteral("Es una vez y media más grande que España.");
    if (r >= 1.75) {
        const auto times = std::lround(r);
        return QStringLiteral("Es unas ") + numberWord(static_cast<int>(times), true)
            + QStringLiteral(" veces más grande que España.");
    }
    if (r >= 1.1 && r < 1.4)
        return QStringLiteral("Es un poco más grande que España.");
    if (r > 0.9)
        return QStringLiteral("Es más o menos igual de grande que España.");
    if (r > 0.67)
        return QStringLiteral("Es un poco más ") + smaller + QStringLiteral(" que España.");
    const double inv = 1.0 / r;
    if (inv >= 1000)
        return QStringLiteral("Es muchísimo más ") + smaller
            + QStringLiteral(" que España: cabría en ella más de mil veces.");
    if (inv < 1.75)
        return QStringLiteral("España es una vez y media más grande.");
    if (inv < 2.5)
        return QStringLiteral("España es unas dos veces más grande.");
    return QStringLiteral("España es unas ") + numberWord(static_cast<int>(std::lround(inv)), true)
        + QStringLiteral(" veces más grande.");
}

QStringList countryText(const CountryFacts &f)
{
    QStringList paragraphs;

    QString p1 = f.name + (f.sovereign ? QStringLiteral(" es un país ") : QStringLiteral(" es un territorio "))
        + f.where + u'.';
    if (!f.statusNote.isEmpty())
        p1 += u' ' + f.statusNote;
    const QString capital = capitalSentence(f.capitals, f.capitalNote, f.name);
    if (!capital.isEmpty())
        p1 += u' ' + capital;
    paragraphs << p1;

    QString p2 = areaSentence(f.area);
    if (!f.isSpain) {
        const QString cmp = comparisonWithSpain(f.area, f.spainArea);
        if (!cmp.isEmpty())
            p2 += u' ' + cmp;
    }
    if (f.worldRank == 1)
        p2 += QStringLiteral(" Es el país más grande del mundo.");
    else if (f.worldRank > 1 && f.worldRank <= 10)
        p2 += QStringLiteral(" Es el ") + spanish::ordinal(f.worldRank)
            + QStringLiteral(" país más grande del mundo.");
    if (!f.largestIn.isEmpty() && f.worldRank != 1)
        p2 += QStringLiteral(" Es el país más grande ") + de(f.largestIn) + u'.';
    if (f.smallRank == 1)
        p2 += QStringLiteral(" Es el país más pequeño del mundo.");
    else if (f.smallRank > 1 && f.smallRank <= 10)
        p2 += QStringLiteral(" Es uno de los países más pequeños del mundo.");
    paragraphs << p2.trimmed();

    QString p3;
    const int count = std::max<int>(f.languageCount, static_cast<int>(f.languages.size()));
    if (count == 1 && !f.languages.isEmpty())
        p3 = QStringLiteral("Su lengua oficial es ") + languagesWithArticles(f.languages).first() + u'.';
    else if (count > f.languages.size() && !f.languages.isEmpty())
        p3 = QStringLiteral("Tiene ") + numberWord(count, true)
            + QStringLiteral(" lenguas oficiales, entre ellas ") + joinList(languagesWithArticles(f.languages)) + u'.';
    else if (count > 1)
        p3 = QStringLiteral("Sus lenguas oficiales son ") + joinList(languagesWithArticles(f.languages)) + u'.';
    if (f.currencies.size() == 1)
        p3 += QStringLiteral(" Su moneda es ") + withArticles(f.currencies).first() + u'.';
    else if (f.currencies.size() > 1)
        p3 += QStringLiteral(" Usa ") + numberWord(static_cast<int>(f.currencies.size()), true)
            + QStringLiteral(" monedas: ") + joinList(withArticles(f.currencies)) + u'.';
    paragraphs << p3.trimmed();

    QString p4;
    if (!f.neighbours.isEmpty())
        p4 = QStringLiteral("Limita con ") + joinList(f.neighbours) + u'.';
    if (f.landlocked)
        p4 += QStringLiteral(" No tiene costa: está rodeado de tierra por todas partes.");
    else if (f.neighbours.isEmpty())
        p4 = QStringLiteral("No tiene fronteras por tierra con otros países: el mar lo rodea por todas partes.");
    paragraphs << p4.trimmed();
    if (!f.dispute.isEmpty())
        paragraphs << f.dispute;

    paragraphs << f.credit;
    return paragraphs;
}

QStringList provinceText(const ProvinceFacts &f)
{
    QStringList paragraphs;
    QString p1 = f.name + QStringLiteral(" es una provincia de España. Forma parte ")
        + de(f.community.startsWith(QStringLiteral("Comunidad")) || f.community.startsWith(QStringLiteral("País"))
                 ? communityWithArticle(f.community)
                 : QStringLiteral("la comunidad autónoma de ") + f.community)
        + u'.';
    if (!f.capital.isEmpty()) {
        if (f.capital == f.name)
            p1 += QStringLiteral(" Su capital es la ciudad de ") + f.capital + u'.';
        else
            p1 += QStringLiteral(" Su capital es ") + f.capital + u'.';
    }
    if (!f.capitalNote.isEmpty())
        p1 += u' ' + f.capitalNote;
    paragraphs << p1;
    paragraphs << areaSentence(f.area);

    QString p3;
    if (f.neighbours.size() == 1)
        p3 = QStringLiteral("Limita con la provincia de ") + f.neighbours.first() + u'.';
    else if (f.neighbours.size() > 1)
        p3 = QStringLiteral("Limita con las provincias de ") + joinList(f.neighbours) + u'.';
    const QString foreign = alsoCountries(f.countries, !f.neighbours.isEmpty());
    if (!foreign.isEmpty())
        p3 += (p3.isEmpty() ? QString() : QStringLiteral(" ")) + foreign;
    if (!f.note.isEmpty())
        p3 += (p3.isEmpty() ? QString() : QStringLiteral(" ")) + f.note;
    if (p3.isEmpty())
        p3 = QStringLiteral("No limita por tierra con ninguna otra provincia.");
    paragraphs << p3;
    paragraphs << f.credit;
    return paragraphs;
}

QStringList communityText(const CommunityFacts &f)
{
    QStringList paragraphs;
    QString p1 = f.name
        + (f.autonomousCity ? QStringLiteral(" es una ciudad autónoma de España.")
                            : QStringLiteral(" es una comunidad autónoma de España."));
    if (!f.capital.isEmpty())
        p1 += QStringLiteral(" Su capital es ") + f.capital + u'.';
    if (!f.capitalNote.isEmpty())
        p1 += u' ' + f.capitalNote;
    paragraphs << p1;

    QString p2;
    if (f.provinces.size() == 1)
        p2 = QStringLiteral("Tiene una sola provincia: ") + f.provinces.first() + u'.';
    else if (f.provinces.size() > 1)
        p2 = QStringLiteral("Tiene ") + numberWord(static_cast<int>(f.provinces.size()), true)
            + QStringLiteral(" provincias: ") + joinList(f.provinces) + u'.';
    const QString area = areaSentence(f.area);
    if (!area.isEmpty())
        p2 += (p2.isEmpty() ? QString() : QStringLiteral(" ")) + area;
    paragraphs << p2;

    QString p3;
    QStringList neighbours;
    for (const QString &n : f.neighbours)
        neighbours << communityWithArticle(n);
    if (!neighbours.isEmpty())
        p3 = QStringLiteral("Limita con ") + joinList(neighbours) + u'.';
    const QString foreign = alsoCountries(f.countries, !neighbours.isEmpty());
    if (!foreign.isEmpty())
        p3 += (p3.isEmpty() ? QString() : QStringLiteral(" ")) + foreign;
    if (!f.note.isEmpty())
        p3 += (p3.isEmpty() ? QString() : QStringLiteral(" ")) + f.note;
    if (p3.isEmpty())
        p3 = QStringLiteral("No limita por tierra con ninguna otra comunidad.");
    paragraphs << p3;
    paragraphs << f.credit;
    return paragraphs;
}

QStringList singleProvinceCommunityText(const CommunityFacts &c, const ProvinceFacts &p)
{
    QStringList paragraphs;
    QString p1;
    if (c.autonomousCity)
        p1 = c.name + QStringLiteral(" es una ciudad autónoma de España.");
    else
        p1 = c.name + QStringLiteral(" es una comunidad autónoma de España que tiene una sola provincia, "
                                     "con el mismo nombre y el mismo territorio.");
    const QString capital = !c.capital.isEmpty() ? c.capital : p.capital;
    if (!capital.isEmpty() && !c.autonomousCity)
        p1 += QStringLiteral(" Su capital es ") + capital + u'.';
    const QString capitalNote = !c.capitalNote.isEmpty() ? c.capitalNote : p.capitalNote;
    if (!capitalNote.isEmpty())
        p1 += u' ' + capitalNote;
    paragraphs << p1;
    paragraphs << areaSentence(c.area >= 0 ? c.area : p.area);

    QString p3;
    QStringList neighbours;
    for (const QString &n : c.neighbours)
        neighbours << communityWithArticle(n);
    if (!neighbours.isEmpty())
        p3 = QStringLiteral("Limita con ") + joinList(neighbours) + u'.';
    const QStringList countries = !c.countries.isEmpty() ? c.countries : p.countries;
    const QString foreign = alsoCountries(countries, !neighbours.isEmpty());
    if (!foreign.isEmpty())
        p3 += (p3.isEmpty() ? QString() : QStringLiteral(" ")) + foreign;
    const QString note = !c.note.isEmpty() ? c.note : p.note;
    if (!note.isEmpty())
        p3 += (p3.isEmpty() ? QString() : QStringLiteral(" ")) + note;
    if (p3.isEmpty())
        p3 = QStringLiteral("No limita por tierra con ninguna otra comunidad.");
    paragraphs << p3;
    paragraphs << (c.credit.isEmpty() ? p.credit : c.credit);
    return paragraphs;
}

QStringList stateText(const StateFacts &f)
{
    QStringList paragraphs;
    QString p1;
    if (f.district)
        p1 = f.name + QStringLiteral(" es el distrito federal de los Estados Unidos: no es un estado.");
    else
        p1 = f.name + QStringLiteral(" es uno de los cincuenta estados de los Estados Unidos.");
    if (!f.capital.isEmpty()) {
        if (f.district)
            p1 += QStringLiteral(" Allí está ") + f.capital + QStringLiteral(", la capital del país.");
        else
            p1 += QStringLiteral(" Su capital es ") + f.capital + u'.';
    }
    if (!f.largestCity.isEmpty() && f.largestCity != f.capital)
        p1 += QStringLiteral(" Su ciudad más grande es ") + f.largestCity + u'.';
    paragraphs << p1;
    paragraphs << areaSentence(f.area);

    QString p3;
    if (f.neighbours.size() == 1)
        p3 = (f.district ? QStringLiteral("Está entre los estados de ") : QStringLiteral("Limita con el estado de "))
            + f.neighbours.first() + u'.';
    else if (f.neighbours.size() > 1)
        p3 = (f.district ? QStringLiteral("Está entre los estados de ") : QStringLiteral("Limita con los estados de "))
            + joinList(f.neighbours) + u'.';
    const QString foreign = alsoCountries(f.countries, !f.neighbours.isEmpty());
    if (!foreign.isEmpty())
        p3 += (p3.isEmpty() ? QString() : QStringLiteral(" ")) + foreign;
    if (!f.note.isEmpty())
        p3 += (p3.isEmpty() ? QString() : QStringLiteral(" ")) + f.note;
    paragraphs << p3;
    paragraphs << f.credit;
    return paragraphs;
}

} // namespace cards
