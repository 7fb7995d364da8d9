// The card of a sea, gulf, bay or ocean: what it is, what it opens on,
// whose coasts it bathes, how large and how deep it is.
#include "cardtext.h"

namespace cards {

using namespace words;
using spanish::joinList;

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
    return paragraphs;
}

} // namespace cards
