#include "cardwords.h"

#include "cardtext.h"

#include <cmath>

namespace cards::words {

using spanish::joinList;
using spanish::joinNouns;

void appendSentence(QString &paragraph, const QString &s)
{
    if (s.isEmpty())
        return;
    paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + s;
}

namespace {
struct VariantState {
    std::optional<VariantPlace> current;
    QHash<QString, QList<int>> used; // "map|salt|count" -> uses of each wording
};
VariantState &variantState()
{
    static VariantState state;
    return state;
}
} // namespace

void setVariantPlace(std::optional<VariantPlace> place)
{
    variantState().current = place;
}

void clearVariantCounts()
{
    variantState().used.clear();
}

int variant(const QString &name, int count, int salt)
{
    if (count <= 0)
        return 0;
    VariantState &state = variantState();
    if (const std::optional<VariantPlace> &at = state.current) {
        QList<int> &used = state.used[QStringLiteral("%1|%2|%3").arg(at->map).arg(salt).arg(count)];
        used.resize(count);
        int best = -1;
        for (int k = 0; k < count; ++k) {
            const int choice = (at->place + salt + k) % count;
            if (best < 0 || used.at(choice) < used.at(best))
                best = choice;
        }
        ++used[best];
        return best;
    }
    // FNV-1a over the name's UTF-16 units: stable across runs and machines,
    // unlike qHash, which is seeded per process.
    quint32 h = 2166136261u ^ quint32(salt);
    for (const QChar c : name) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return count > 0 ? int(h % quint32(count)) : 0;
}

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

QString areaSentence(double area, const Noun &subject, const QString &which)
{
    if (area < 0)
        return {};
    if (which.isEmpty()) {
        switch (variant(subject.name, 3, 16)) {
        case 1: return subject.verb(QStringLiteral("Mide "), QStringLiteral("Miden ")) + spanish::areaPhrase(area) + u'.';
        case 2: return subject.verb(QStringLiteral("Ocupa "), QStringLiteral("Ocupan ")) + spanish::areaPhrase(area) + u'.';
        default: break;
        }
    }
    return subject.verb(QStringLiteral("Tiene una superficie"), QStringLiteral("Tienen una superficie")) + which
        + QStringLiteral(" de ") + spanish::areaPhrase(area) + u'.';
}

QString alsoCountries(const QList<Noun> &countries, bool hasOtherNeighbours, const Noun &subject)
{
    if (countries.isEmpty())
        return {};
    const QString verb = subject.verb(QStringLiteral("imita"), QStringLiteral("imitan"));
    if (!hasOtherNeighbours)
        return QStringLiteral("L") + verb + QStringLiteral(" con ") + joinNouns(countries) + u'.';
    switch (variant(subject.name, 4, 12)) {
    case 0: return QStringLiteral("También l") + verb + QStringLiteral(" con ") + joinNouns(countries) + u'.';
    case 1: return QStringLiteral("Además, l") + verb + QStringLiteral(" con ") + joinNouns(countries) + u'.';
    case 2:
        return subject.verb(QStringLiteral("Comparte frontera con "), QStringLiteral("Comparten frontera con "))
            + joinNouns(countries) + u'.';
    default:
        return subject.verb(QStringLiteral("Tiene frontera con "), QStringLiteral("Tienen frontera con "))
            + joinNouns(countries) + u'.';
    }
}

QString neighboursSentence(const QString &opening, const QStringList &names)
{
    bool ownY = false;
    for (const QString &n : names)
        ownY |= n.contains(QStringLiteral(" y ")) || n.contains(QStringLiteral(" e "));
    if (!ownY || names.size() < 2)
        return opening + joinList(names) + u'.';
    // "con Tarapacá, con Antofagasta y con Arica y Parinacota"
    const QString with = opening.section(u' ', -2, -2); // the preposition before the list
    QStringList items{names.first()};
    for (qsizetype i = 1; i < names.size(); ++i)
        items << with + u' ' + names.at(i);
    return opening + joinList(items) + u'.';
}

QString neighboursSentence(const QString &opening, const QList<Noun> &nouns)
{
    QStringList names;
    for (const Noun &n : nouns)
        names << n.inSentence();
    return neighboursSentence(opening, names);
}

namespace {

QString pluralWord(const QString &w)
{
    if (w.isEmpty())
        return w;
    static const QString accented = QStringLiteral("áéíóú");
    static const QString plain = QStringLiteral("aeiou");
    const QChar last = w.back();
    if (QStringLiteral("aeiou").contains(last))
        return w + u's';
    if (w.endsWith(u'z'))
        return w.chopped(1) + QStringLiteral("ces");
    // An accent on the last syllable goes when the plural adds one:
    // "región" → "regiones", "cordobés" → "cordobeses".
    if (w.size() >= 2 && accented.contains(w.at(w.size() - 2)) && QStringLiteral("nsl").contains(last)) {
        QString stem = w;
        stem[w.size() - 2] = plain.at(accented.indexOf(w.at(w.size() - 2)));
        return stem + QStringLiteral("es");
    }
    if (accented.contains(last))
        return w + QStringLiteral("es"); // "guaraní" → "guaraníes"
    return w + QStringLiteral("es");
}

QString withArticle(const QString &phrase)
{
    return spanish::articleFor(phrase) + u' ' + phrase;
}

} // namespace

QString plural(const QString &phrase)
{
    QStringList words = phrase.split(u' ');
    for (QString &w : words)
        if (w != QStringLiteral("de") && w != QStringLiteral("del"))
            w = pluralWord(w);
    return words.join(u' ');
}

QString populationSentence(const SourcedFigure &people, const QString &name)
{
    if (!people.known())
        return {};
    const QString year = QString::number(people.year);
    const bool census = people.detail == QStringLiteral("censo");
    switch (variant(name, 3, 1)) {
    case 0:
        return QStringLiteral("En ") + year + QStringLiteral(" vivían allí ")
            + spanish::populationPhrase(people.value, QStringLiteral("personas")) + u'.';
    case 1:
        return (census ? QStringLiteral("Según el censo de ") : QStringLiteral("Según las cifras oficiales de "))
            + year + QStringLiteral(", tenía ")
            + spanish::populationPhrase(people.value, QStringLiteral("habitantes")) + u'.';
    default:
        return QStringLiteral("Su población era de ")
            + spanish::populationPhrase(people.value, QStringLiteral("personas")) + QStringLiteral(" en ") + year
            + u'.';
    }
}

QString demonymSentence(const RegionFacts &f, const QString &name)
{
    if (f.demonym.isEmpty())
        return {};
    const QString both = f.demonymFeminine.isEmpty() || f.demonymFeminine == f.demonym
                             ? f.demonym
                             : f.demonym + QStringLiteral(" o ") + f.demonymFeminine;
    switch (variant(name, 3, 2)) {
    case 0:
        return QStringLiteral("A sus habitantes se les llama ") + plural(f.demonym) + u'.';
    case 1:
        return QStringLiteral("Quien nace allí es ") + both + u'.';
    default:
        return QStringLiteral("Su gentilicio es ") + both + u'.';
    }
}

QString highestPointSentence(const RegionFacts &f, const QString &name)
{
    if (f.highestPoint.isEmpty() || f.highestMetres < 0)
        return {};
    const QString metres = spanish::formatInteger(f.highestMetres) + QStringLiteral(" metros");
    const QString peak = withArticle(f.highestPoint);
    if (variant(name, 2, 3) == 0)
        return QStringLiteral("Su punto más alto es ") + peak + QStringLiteral(", de ") + metres + u'.';
    return spanish::capitalised(peak) + QStringLiteral(", de ") + metres + QStringLiteral(", es su cumbre más alta.");
}

QString riverSentence(const RegionFacts &f, const Noun &subject)
{
    if (f.river.isEmpty())
        return {};
    switch (variant(subject.name, 3, 18)) {
    case 1: return QStringLiteral("Por sus tierras corre ") + withArticle(f.river) + u'.';
    case 2: return spanish::capitalised(withArticle(f.river)) + QStringLiteral(" pasa por su territorio.");
    default: return spanish::capitalised(subject.pronoun()) + QStringLiteral(" recorre ") + withArticle(f.river) + u'.';
    }
}

QString lakeSentence(const RegionFacts &f)
{
    if (f.lake.isEmpty())
        return {};
    for (const Coast &c : f.coasts)
        if (c.water == f.lake)
            return {}; // the coast sentence tells of it already
    return QStringLiteral("Allí está ") + withArticle(f.lake) + u'.';
}

QString coastSentence(const RegionFacts &f, const Noun &subject, const QString &name)
{
    QStringList seas, lakes;
    for (const Coast &c : f.coasts)
        (c.lake ? lakes : seas) << withArticle(c.water);
    QString s;
    if (!seas.isEmpty()) {
        const int way = seas.size() == 1 ? variant(name, 4, 4) : 0;
        if (way == 1) {
            s = QStringLiteral("Su costa da ") + (seas.first().startsWith(QStringLiteral("el "))
                                                     ? QStringLiteral("al ") + seas.first().mid(3)
                                                     : QStringLiteral("a ") + seas.first())
                + u'.';
        } else if (way == 2) {
            s = spanish::capitalised(subject.pronoun()) + QStringLiteral(" baña ") + seas.first() + u'.';
        } else if (way == 3) {
            s = subject.verb(QStringLiteral("Se asoma "), QStringLiteral("Se asoman "))
                + (seas.first().startsWith(QStringLiteral("el ")) ? QStringLiteral("al ") + seas.first().mid(3)
                                                                 : QStringLiteral("a ") + seas.first())
                + u'.';
        } else {
            QStringList in;
            for (const QString &w : seas)
                in << QStringLiteral("en ") + w;
            s = subject.verb(QStringLiteral("Tiene costa "), QStringLiteral("Tienen costa ")) + joinList(in) + u'.';
        }
    }
    if (!lakes.isEmpty()) {
        QStringList of;
        for (const QString &w : lakes)
            of << (w.startsWith(QStringLiteral("el ")) ? QStringLiteral("del ") + w.mid(3) : QStringLiteral("de ") + w);
        if (variant(name, 2, 10) == 0) {
            appendSentence(s, subject.verb(QStringLiteral("Está a orillas "), QStringLiteral("Están a orillas "))
                                  + joinList(of) + u'.');
        } else {
            QStringList to;
            for (const QString &o : of)
                to << (o.startsWith(QStringLiteral("del ")) ? QStringLiteral("al ") + o.mid(4) : QStringLiteral("a ") + o.mid(3));
            appendSentence(s, subject.verb(QStringLiteral("Se asoma "), QStringLiteral("Se asoman ")) + joinList(to) + u'.');
        }
    }
    if (s.isEmpty() && f.noCoast) {
        // Many divisions of one map have no coast: say it in more than one way.
        switch (variant(name, 5, 11)) {
        case 0: s = subject.verb(QStringLiteral("No tiene salida al mar."), QStringLiteral("No tienen salida al mar.")); break;
        case 1: s = subject.verb(QStringLiteral("No llega al mar."), QStringLiteral("No llegan al mar.")); break;
        case 2: s = subject.verb(QStringLiteral("No tiene costa."), QStringLiteral("No tienen costa.")); break;
        case 3:
            s = subject.verb(QStringLiteral("Está tierra adentro, sin costa."), QStringLiteral("Están tierra adentro, sin costa."));
            break;
        default:
            s = subject.verb(QStringLiteral("Es una tierra de interior, sin costa."),
                             QStringLiteral("Son tierras de interior, sin costa."));
        }
    }
    return s;
}

QString remarksParagraph(const RegionFacts &f)
{
    QString p;
    for (const QString &r : f.remarks)
        appendSentence(p, spanish::sentence(r));
    for (const QString &c : f.changes)
        appendSentence(p, spanish::sentence(c));
    return p;
}

QString landParagraph(const RegionFacts &f, const Noun &subject)
{
    QString p;
    appendSentence(p, highestPointSentence(f, subject.name));
    appendSentence(p, riverSentence(f, subject));
    appendSentence(p, lakeSentence(f));
    return p;
}

void finishCard(QStringList &paragraphs, const RegionFacts &f)
{
    paragraphs.removeAll(QString());
    const QString remarks = remarksParagraph(f);
    if (!remarks.isEmpty())
        paragraphs << remarks;
}

QString peopleAndSize(const RegionFacts &f, const Noun &subject, const QList<SizeReference> &sizes,
                      double spainArea)
{
    QString p;
    appendSentence(p, populationSentence(f.population, subject.name));
    appendSentence(p, demonymSentence(f, subject.name));
    if (f.area.known()) {
        appendSentence(p, areaSentence(f.area.value, subject));
        appendSentence(p, sizeComparison(f.area.value, sizes, spainArea, subject));
    }
    return p;
}

// "Es un poco más grande que Álava.": a region against the Spanish
// community or province nearest in size, `r` times its area.
QString sizeComparisonPlain(double r, const SizeReference &reference, const Noun &subject)
{
    const SizeReference *best = &reference;
    const QString is = subject.verb(QStringLiteral("Es"), QStringLiteral("Son"));
    const QString big = subject.agree(QStringLiteral("grande"));
    const QString than = QStringLiteral(" que ") + best->name.inSentence() + u'.';
    if (r >= 1.75)
        return is + QStringLiteral(" casi el doble de ") + big + than;
    if (r >= 1.4)
        return is + QStringLiteral(" una vez y media más ") + big + than;
    if (r >= 1.12)
        return is + QStringLiteral(" un poco más ") + big + than;
    if (r > 0.89)
        return is + QStringLiteral(" más o menos igual de ") + big + than;
    if (r > 0.7)
        return is + QStringLiteral(" un poco más ") + subject.agree(QStringLiteral("pequeño")) + than;
    const QString has = subject.verb(QStringLiteral("Tiene"), QStringLiteral("Tienen"));
    if (r > 0.56)
        return has + QStringLiteral(" unas dos terceras partes de la superficie ") + best->name.of() + u'.';
    return has + QStringLiteral(" más o menos la mitad de la superficie ") + best->name.of() + u'.';
}

QString sizeComparison(double area, const QList<SizeReference> &references, double spainArea,
                       const Noun &subject)
{
    if (area <= 0)
        return {};
    const SizeReference *best = nullptr;
    double bestDistance = 0;
    for (const SizeReference &r : references) {
        if (r.area <= 0 || r.name.name == subject.name)
            continue;
        const double d = std::fabs(std::log(area / r.area));
        if (!best || d < bestDistance) {
            best = &r;
            bestDistance = d;
        }
    }
    // Beyond about twice the largest reference the country itself is the
    // measure a learner pictures.
    if (!best || bestDistance > std::log(2.25))
        return area >= spainArea * 0.5 ? comparisonWithSpain(area, spainArea, subject) : QString();
    const double r = area / best->area;
    // Regions of one map often match the same measure: say it two ways.
    const int form = variant(subject.name, 3, 15);
    if (form == 2) {
        // The plain comparison after a lead-in: "En extensión, es casi el doble…".
        QString plain = sizeComparisonPlain(r, *best, subject);
        plain[0] = plain[0].toLower();
        return QStringLiteral("En extensión, ") + plain;
    }
    if (form == 1) {
        const QString its = QStringLiteral("Su superficie es ");
        const QString ofIt = QStringLiteral(" la ") + best->name.of() + u'.';
        if (r >= 1.75)
            return its + QStringLiteral("casi el doble de") + ofIt;
        if (r >= 1.4)
            return its + QStringLiteral("una vez y media") + ofIt;
        if (r >= 1.12)
            return QStringLiteral("Su superficie supera un poco") + ofIt;
        if (r > 0.89)
            return subject.verb(QStringLiteral("Tiene"), QStringLiteral("Tienen"))
                + QStringLiteral(" un tamaño parecido al ") + best->name.of() + u'.';
        if (r > 0.7)
            return its + QStringLiteral("algo menor que") + ofIt;
        if (r > 0.56)
            return its + QStringLiteral("unas dos terceras partes de") + ofIt;
        return its + QStringLiteral("más o menos la mitad de") + ofIt;
    }
    return sizeComparisonPlain(r, *best, subject);
}

} // namespace cards::words

namespace cards {

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

} // namespace cards
