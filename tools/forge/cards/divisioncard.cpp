// The card of a first-level division of any country (a province, a state,
// a region, a department...): what it is, its seat, its people and size,
// its land and water, and what is worth remembering, from its facts.
#include "cardtext.h"

namespace cards {
namespace {

using namespace words;

QString folded(const QString &s)
{
    return s.toCaseFolded();
}

// "El Distrito Federal es un distrito federal" says nothing: a name that
// already holds its kind is told as one of its country's divisions.
bool nameHoldsKind(const DivisionFacts &f)
{
    const QString first = f.kind.section(u' ', 0, 0);
    return !first.isEmpty() && folded(f.name.name).contains(folded(first));
}

// A city that is itself the division (a capital district, a city with the
// rank of a province) has no capital of its own to name.
bool isCityDivision(const DivisionFacts &f)
{
    if (f.capital.isEmpty())
        return false;
    const QString kind = folded(f.kind);
    return f.capital == f.name.name
        && (kind.contains(QStringLiteral("ciudad")) || kind.contains(QStringLiteral("distrito"))
            || kind.contains(QStringLiteral("capital")) || kind.contains(QStringLiteral("metropolitan")));
}

QString identity(const DivisionFacts &f, const QString &subject)
{
    const Noun &n = f.name;
    const QString is = n.verb(QStringLiteral(" es "), QStringLiteral(" son "));
    const QString a = f.kindFeminine ? QStringLiteral("una") : QStringLiteral("un");
    // The only division of its kind ("El Distrito Federal"): one of the parts
    // its country is divided into.
    if (nameHoldsKind(f) && f.divisionCount <= 1 && f.allDivisions > 1)
        return subject + is + QStringLiteral("una de las ") + spanish::numberWord(f.allDivisions, true)
            + QStringLiteral(" partes en que se divide ") + f.country.inSentence() + u'.';
    // "La provincia de Córdoba es una provincia…" would say it twice.
    if ((nameHoldsKind(f) || f.labelled || variant(n.name, 3, 5) == 0) && f.divisionCount > 1) {
        const QString one = f.kindFeminine ? QStringLiteral("una de las ") : QStringLiteral("uno de los ");
        return subject + is + one + spanish::numberWord(f.divisionCount, f.kindFeminine) + u' ' + plural(f.kind)
            + u' ' + f.country.of() + u'.';
    }
    return subject + is + a + u' ' + f.kind + u' ' + f.country.of() + u'.';
}

QString capitalSentence(const DivisionFacts &f)
{
    // A reviewed note that already tells of the country's capital says it
    // in its own words, with the country's article as the note writes it.
    const bool noteTellsCapital = f.note.contains(QStringLiteral("capital"))
        || f.sourced.kindNote.contains(QStringLiteral("capital"));
    // ...and one that names the seat itself leaves nothing to add.
    if (!f.capital.isEmpty() && (f.note.contains(f.capital) || f.sourced.kindNote.contains(f.capital)))
        return {};
    if (f.capital.isEmpty() || isCityDivision(f)) {
        if (isCityDivision(f) && f.capital == f.nationalCapital && !noteTellsCapital)
            return QStringLiteral("Es la capital ") + f.country.of() + u'.';
        return {};
    }
    const bool national = f.capital == f.nationalCapital && !noteTellsCapital;
    QString s;
    switch (variant(f.name.name, 3, 6)) {
    case 0: s = QStringLiteral("Su capital es ") + f.capital; break;
    case 1: s = QStringLiteral("La capital es ") + f.capital; break;
    default: s = f.name.verb(QStringLiteral("Tiene"), QStringLiteral("Tienen")) + QStringLiteral(" su capital en ") + f.capital; break;
    }
    if (national)
        s += QStringLiteral(", que es también la capital ") + f.country.of();
    return spanish::sentence(s);
}

QString largestCitySentence(const DivisionFacts &f)
{
    const QString city = f.sourced.largestCity;
    if (city.isEmpty() || city == f.capital)
        return {};
    if (variant(f.name.name, 2, 7) == 0)
        return QStringLiteral("Su ciudad más poblada es ") + city + u'.';
    return QStringLiteral("La ciudad con más habitantes es ") + city + u'.';
}

QString neighbourParagraph(const DivisionFacts &f, const Noun &subject)
{
    QString p;
    if (!f.neighbours.isEmpty())
        p = neighboursSentence(subject.verb(QStringLiteral("Limita con "), QStringLiteral("Limitan con ")), f.neighbours);
    appendSentence(p, alsoCountries(f.countries, !f.neighbours.isEmpty(), subject));
    const bool seaCoast = std::any_of(f.sourced.coasts.begin(), f.sourced.coasts.end(),
                                      [](const Coast &c) { return !c.lake; });
    if (f.island && seaCoast) {
        if (f.islands > 1)
            appendSentence(p, subject.verb(QStringLiteral("Está "), QStringLiteral("Están "))
                                  + subject.agree(QStringLiteral("formado")) + QStringLiteral(" por islas."));
        else
            appendSentence(p, subject.verb(QStringLiteral("Es una isla"), QStringLiteral("Son una isla"))
                                  + QStringLiteral(": el mar ") + subject.pronoun()
                                  + QStringLiteral(" rodea por todas partes."));
    }
    appendSentence(p, coastSentence(f.sourced, subject, f.name.name));
    appendSentence(p, f.note);
    return p;
}

} // namespace

QStringList divisionText(const DivisionFacts &f)
{
    // A name with its country in brackets is told by its kind: "La
    // provincia de Córdoba", never "Córdoba (Argentina)" inside a sentence.
    Noun subject = f.name;
    QString opening = f.name.subject();
    if (f.labelled) {
        subject = Noun{f.kind + QStringLiteral(" de ") + f.name.name, f.kindFeminine, false,
                       f.kindFeminine ? QStringLiteral("la") : QStringLiteral("el")};
        opening = subject.subject();
    }
    QStringList paragraphs;
    QString p1 = identity(f, opening);
    appendSentence(p1, f.sourced.kindNote);
    appendSentence(p1, capitalSentence(f));
    appendSentence(p1, largestCitySentence(f));
    paragraphs << p1;

    paragraphs << peopleAndSize(f.sourced, subject, f.sizes, f.spainArea);
    QString p3 = landParagraph(f.sourced, subject);
    appendSentence(p3, neighbourParagraph(f, subject));
    paragraphs << p3;
    finishCard(paragraphs, f.sourced);
    return paragraphs;
}

} // namespace cards
