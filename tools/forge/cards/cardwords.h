// Sentences that cards of every kind share: joining sentences into
// paragraphs, areas and comparisons, and the sourced facts every region may
// have (people, heights, rivers, coasts). The kinds' own files say what is
// particular to each.
#pragma once

#include "facttable.h"
#include "spanish.h"

#include <QList>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace cards::words {

using spanish::Noun;

void appendSentence(QString &paragraph, const QString &s);

// One of `count` ways of saying a thing, the same every time for the same
// name, so that neighbouring cards do not read alike and the cards rebuild
// byte for byte.
int variant(const QString &name, int count, int salt = 0);
// The map (the smallest it is on) and place of the region whose card is
// being written. While one is set, the regions of a map share out the
// wordings of each sentence: every call takes the wording that map has used
// least so far (ties go round by place), so no wording stands on many more of
// a map's cards than the others. With none set, the wording is chosen from
// the name itself. clearVariantCounts() forgets what each map has used.
struct VariantPlace {
    int map = 0;
    int place = 0;
};
void setVariantPlace(std::optional<VariantPlace> place);
void clearVariantCounts();

QStringList withArticles(const QStringList &nouns);
QStringList languagesWithArticles(const QStringList &names);

QString areaSentence(double area, const Noun &subject, const QString &which = {});
QString alsoCountries(const QList<Noun> &countries, bool hasOtherNeighbours, const Noun &subject);

// "Limita con A, B y C." — when a name holds a "y" of its own ("Arica y
// Parinacota"), each name takes its own "con" so the list still reads.
QString neighboursSentence(const QString &opening, const QStringList &names);
QString neighboursSentence(const QString &opening, const QList<Noun> &nouns);

// The plural of a noun phrase: "provincia" → "provincias", "región
// autónoma" → "regiones autónomas", "cordobés" → "cordobeses".
QString plural(const QString &phrase);

// Sentences from a region's sourced facts; each is empty when its row is
// missing. `name` picks the wording.
QString populationSentence(const SourcedFigure &people, const QString &name);
QString demonymSentence(const RegionFacts &f, const QString &name);
QString highestPointSentence(const RegionFacts &f, const QString &name);
// "Lo recorre el río Napo." with the subject's pronoun.
QString riverSentence(const RegionFacts &f, const Noun &subject);
QString lakeSentence(const RegionFacts &f);
// "Tiene costa en el océano Pacífico." / "Está a orillas del lago Titicaca."
// / "No tiene salida al mar."; empty when no row tells.
QString coastSentence(const RegionFacts &f, const Noun &subject, const QString &name);
// The remarks and recent changes, one paragraph.
QString remarksParagraph(const RegionFacts &f);

// Its highest point, river and lake, one paragraph (empty when none is known).
QString landParagraph(const RegionFacts &f, const Noun &subject);

// Drops the paragraphs that came out empty and closes the card with its
// remarks.
void finishCard(QStringList &paragraphs, const RegionFacts &f);

// "Es casi el doble de grande que Andalucía." against the nearest in size
// of `references` (name, km²), or against Spain when the region is far
// larger than any of them; empty when the area is unknown.
struct SizeReference {
    Noun name;
    double area = -1;
};
QString sizeComparison(double area, const QList<SizeReference> &references, double spainArea,
                       const Noun &subject);

// People, demonym, area and its comparison, one paragraph.
QString peopleAndSize(const RegionFacts &f, const Noun &subject, const QList<SizeReference> &sizes,
                      double spainArea);

} // namespace cards::words
