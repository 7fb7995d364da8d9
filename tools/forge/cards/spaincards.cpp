// The cards of Spain's provinces and of its autonomous communities and
// cities: the community a province belongs to, a community's provinces,
// languages and neighbours, and for both their people, size and land.
#include "cardtext.h"

namespace cards {
namespace {

using namespace words;
using spanish::joinList;
using spanish::joinNouns;
using spanish::numberWord;
using spanish::sentence;

// "la comunidad autónoma de Andalucía", but "la Comunidad Valenciana",
// "el País Vasco" when the name carries its own article.
QString ofCommunity(const Noun &community)
{
    if (!community.article.isEmpty())
        return community.of();
    return QStringLiteral("de la comunidad autónoma de ") + community.name;
}

// Castilian is official everywhere; a community's own language is
// co-official only where its statute says so.
QString languagesSentence(const RegionFacts &f)
{
    QStringList own;
    for (const QString &l : f.languages)
        if (l != QStringLiteral("castellano") && l != QStringLiteral("español"))
            own << l;
    if (own.isEmpty())
        return {};
    return QStringLiteral("Además del castellano, ") + (own.size() == 1 ? QStringLiteral("es lengua oficial ")
                                                                        : QStringLiteral("son lenguas oficiales "))
        + joinList(languagesWithArticles(own)) + u'.';
}

} // namespace

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
    paragraphs << peopleAndSize(f.sourced, n, f.sizes, f.spainArea);

    QString p3;
    if (f.neighbours.size() == 1)
        p3 = QStringLiteral("Limita con la provincia de ") + f.neighbours.first() + u'.';
    else if (f.neighbours.size() > 1)
        p3 = QStringLiteral("Limita con las provincias de ") + joinList(f.neighbours) + u'.';
    appendSentence(p3, alsoCountries(f.countries, !f.neighbours.isEmpty(), n));
    appendSentence(p3, f.note);
    if (p3.isEmpty())
        p3 = QStringLiteral("No limita por tierra con ninguna otra provincia.");
    appendSentence(p3, coastSentence(f.sourced, n, n.name));
    paragraphs << landParagraph(f.sourced, n) << p3;
    finishCard(paragraphs, f.sourced);
    return paragraphs;
}

namespace {

QString communityNeighbours(const CommunityFacts &c, const QList<Noun> &countries, const QString &note)
{
    QString p3;
    if (!c.neighbours.isEmpty())
        p3 = neighboursSentence(c.name.verb(QStringLiteral("Limita con "), QStringLiteral("Limitan con ")), c.neighbours);
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
    paragraphs << p2;
    paragraphs << peopleAndSize(f.sourced, n, f.sizes, f.spainArea);
    paragraphs << languagesSentence(f.sourced);
    QString p3 = communityNeighbours(f, f.countries, f.note);
    appendSentence(p3, coastSentence(f.sourced, n, n.name));
    paragraphs << landParagraph(f.sourced, n) << p3;
    finishCard(paragraphs, f.sourced);
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
        p1 += QStringLiteral(" una comunidad autónoma de España formada por una sola provincia, "
                             "que ocupa todo su territorio.");
    const QString capital = !c.capital.isEmpty() ? c.capital : p.capital;
    if (!capital.isEmpty() && !c.autonomousCity)
        p1 += u' ' + sentence(QStringLiteral("Su capital es ") + capital);
    appendSentence(p1, !c.capitalNote.isEmpty() ? c.capitalNote : p.capitalNote);
    paragraphs << p1;
    const RegionFacts &facts = c.sourced.area.known() || c.sourced.population.known() ? c.sourced : p.sourced;
    paragraphs << peopleAndSize(facts, n, c.sizes, c.spainArea);
    paragraphs << languagesSentence(c.sourced);
    QString p3 = communityNeighbours(c, !c.countries.isEmpty() ? c.countries : p.countries,
                                     !c.note.isEmpty() ? c.note : p.note);
    appendSentence(p3, coastSentence(facts, n, n.name));
    paragraphs << landParagraph(facts, n) << p3;
    finishCard(paragraphs, facts);
    return paragraphs;
}

} // namespace cards
