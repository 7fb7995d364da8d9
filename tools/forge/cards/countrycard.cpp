// The card of a country or a territory on the continent maps: what and
// where it is, its capital, size, people, languages and money, its borders
// and coasts.
#include "cardtext.h"

namespace cards {
namespace {

using namespace words;
using spanish::joinList;
using spanish::joinNouns;
using spanish::numberWord;
using spanish::sentence;

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

} // namespace

QStringList countryText(const CountryFacts &f)
{
    const Noun &n = f.name;
    QStringList paragraphs;

    QString p1 = n.subject() + u' ' + n.verb(QStringLiteral("es"), QStringLiteral("son"))
        + (f.sovereign ? QStringLiteral(" un país ") : QStringLiteral(" un territorio ")) + f.where + u'.';
    appendSentence(p1, f.statusNote);
    appendSentence(p1, capitalSentence(f.capitals, f.capitalNote, n.name));
    if (f.sourced.capitalFixed == 0 && f.capitals.size() == 1)
        appendSentence(p1, QStringLiteral("Ninguna ley fija cuál es su capital: lo es por costumbre."));
    if (!f.sourced.largestCity.isEmpty() && !f.capitals.contains(f.sourced.largestCity))
        appendSentence(p1, QStringLiteral("Su ciudad más poblada es ") + f.sourced.largestCity + u'.');
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

    QString people;
    appendSentence(people, populationSentence(f.sourced.population, n.name));
    appendSentence(people, demonymSentence(f.sourced, n.name));
    if (!people.isEmpty())
        paragraphs << people;

    QString p3;
    const int count = std::max<int>(f.languageCount, static_cast<int>(f.languages.size()));
    if (!f.languageNote.isEmpty())
        p3 = f.languageNote;
    else if (count == 1 && !f.languages.isEmpty())
        switch (variant(n.name, 4, 13)) {
        case 0: p3 = QStringLiteral("Su lengua oficial es ") + languagesWithArticles(f.languages).first() + u'.'; break;
        case 1:
            p3 = spanish::capitalised(languagesWithArticles(f.languages).first()) + QStringLiteral(" es su lengua oficial.");
            break;
        case 2:
            p3 = QStringLiteral("Allí la lengua oficial es ") + languagesWithArticles(f.languages).first() + u'.';
            break;
        default:
            p3 = QStringLiteral("Tiene ") + languagesWithArticles(f.languages).first() + QStringLiteral(" como lengua oficial.");
        }
    else if (count > f.languages.size() && !f.languages.isEmpty())
        p3 = QStringLiteral("Tiene ") + numberWord(count, true)
            + QStringLiteral(" lenguas oficiales, entre ellas ") + joinList(languagesWithArticles(f.languages)) + u'.';
    else if (count > 1)
        p3 = QStringLiteral("Sus lenguas oficiales son ") + joinList(languagesWithArticles(f.languages)) + u'.';
    if (f.currencies.size() == 1)
        switch (variant(n.name, 4, 14)) {
        case 0: appendSentence(p3, QStringLiteral("Su moneda es ") + withArticles(f.currencies).first() + u'.'); break;
        case 1: appendSentence(p3, QStringLiteral("Allí se paga con ") + withArticles(f.currencies).first() + u'.'); break;
        case 2: appendSentence(p3, QStringLiteral("Su moneda oficial es ") + withArticles(f.currencies).first() + u'.'); break;
        default: appendSentence(p3, QStringLiteral("Usa ") + withArticles(f.currencies).first() + QStringLiteral(" como moneda."));
        }
    else if (f.currencies.size() > 1)
        appendSentence(p3, QStringLiteral("Tiene ") + numberWord(static_cast<int>(f.currencies.size()), true)
                               + QStringLiteral(" monedas oficiales: ") + joinList(withArticles(f.currencies)) + u'.');
    paragraphs << p3;

    QString p4;
    if (!f.neighbours.isEmpty())
        p4 = neighboursSentence(n.verb(QStringLiteral("Limita con "), QStringLiteral("Limitan con ")), f.neighbours);
    if (!f.coastNote.isEmpty())
        appendSentence(p4, f.coastNote);
    else if (f.landlocked)
        appendSentence(p4, n.verb(QStringLiteral("No tiene costa: está "), QStringLiteral("No tienen costa: están "))
                               + n.agree(QStringLiteral("rodeado")) + QStringLiteral(" de tierra por todas partes."));
    else if (f.neighbours.isEmpty()) {
        switch (variant(n.name, 3, 17)) {
        case 0:
            p4 = n.verb(QStringLiteral("No tiene"), QStringLiteral("No tienen"))
                + QStringLiteral(" fronteras por tierra con otros países: el mar ") + n.pronoun()
                + QStringLiteral(" rodea por todas partes.");
            break;
        case 1:
            p4 = QStringLiteral("El mar ") + n.pronoun() + QStringLiteral(" rodea por todas partes: ")
                + n.verb(QStringLiteral("no tiene"), QStringLiteral("no tienen")) + QStringLiteral(" fronteras por tierra.");
            break;
        default:
            p4 = n.verb(QStringLiteral("No comparte"), QStringLiteral("No comparten"))
                + QStringLiteral(" frontera por tierra con ningún país: ")
                + n.verb(QStringLiteral("está "), QStringLiteral("están ")) + n.agree(QStringLiteral("rodeado"))
                + QStringLiteral(" de mar.");
        }
    }
    paragraphs << p4;
    paragraphs << landParagraph(f.sourced, n) << f.dispute;
    finishCard(paragraphs, f.sourced);
    return paragraphs;
}

} // namespace cards
