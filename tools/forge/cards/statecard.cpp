// The card of one of the United States or of the District of Columbia.
#include "cardtext.h"

namespace cards {

using namespace words;
using spanish::joinList;
using spanish::sentence;

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
    QString p2;
    appendSentence(p2, populationSentence(f.sourced.population, n.name));
    appendSentence(p2, demonymSentence(f.sourced, n.name));
    // The Census Bureau's usual figure counts its lakes and coastal waters.
    appendSentence(p2, areaSentence(f.area, n, QStringLiteral(" total, con sus aguas,")));
    appendSentence(p2, sizeComparison(f.area, f.sizes, f.spainArea, n));
    paragraphs << p2;
    const QString land = landParagraph(f.sourced, n);

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
    appendSentence(p3, coastSentence(f.sourced, n, n.name));
    appendSentence(p3, f.note);
    paragraphs << land << p3;
    finishCard(paragraphs, f.sourced);
    return paragraphs;
}

} // namespace cards
