// The words of a region card. Each kind of region has a plain struct of
// facts already in Spanish (names looked up with their gender, number and
// article, capitals chosen, areas known) and a function that writes the
// paragraphs a child reads on the card. Nothing here reads files, so every
// sentence can be tested on small input.
#pragma once

#include "cardwords.h"
#include "facttable.h"
#include "spanish.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace cards {

using spanish::Noun;
using words::SizeReference;

struct CountryFacts {
    Noun name;                    // as on the map
    bool sovereign = true;        // false: a territory (its status comes in statusNote)
    QString where;                // "del oeste de Europa", "de América del Sur"
    QStringList capitals;         // Spanish forms; empty when it has none
    QString capitalNote;          // sentence that explains several capitals or a dispute
    double area = -1;             // km²; negative when unknown
    double spainArea = -1;        // for the comparison a Spanish child can picture
    bool isSpain = false;
    int worldRank = 0;            // by area among sovereign countries, 1 = largest; 0 = not told
    int smallRank = 0;            // 1 = smallest; 0 = not told
    QString largestIn;            // continent where it is the largest country ("África"), or empty
    QStringList languages;        // Spanish names, official order
    int languageCount = 0;        // may exceed languages.size() when only some are named
    QString languageNote;         // replaces the language sentence (no official language by law...)
    QStringList currencies;       // Spanish names of the legal tender
    QList<Noun> neighbours;       // land neighbours, sorted
    bool landlocked = false;
    QString coastNote;            // replaces the sentence on the coast (a coast on an inland sea)
    QString statusNote;           // territories and disputed lands
    QString dispute;              // own paragraph: a disputed part of the country
    RegionFacts sourced;          // people, heights, rivers, coasts, remarks
};

struct ProvinceFacts {
    Noun name;
    Noun community;               // its autonomous community or city
    bool singleProvince = false;  // the community has only this province (same land)
    bool autonomousCity = false;  // Ceuta, Melilla
    QString capital;
    QString capitalNote;
    double area = -1;
    QStringList neighbours;       // provinces, after "la provincia de"
    QList<Noun> countries;        // foreign neighbours by land
    QString note;                 // islands and the like
    RegionFacts sourced;
    QList<SizeReference> sizes;   // what its area is compared with
    double spainArea = -1;
};

struct CommunityFacts {
    Noun name;
    bool autonomousCity = false;
    QString capital;
    QString capitalNote;
    QStringList provinces;
    double area = -1;
    QList<Noun> neighbours;       // communities
    QList<Noun> countries;
    QString note;
    RegionFacts sourced;
    QList<SizeReference> sizes;
    double spainArea = -1;
};

struct StateFacts {
    Noun name;
    bool district = false;        // the federal district, not a state
    QString capital;
    QString largestCity;          // when it is not the capital
    double area = -1;             // total area (land and water)
    QStringList neighbours;       // states, after "los estados de"
    bool bordersDistrict = false; // touches the federal district
    QList<Noun> countries;
    QString note;
    RegionFacts sourced;
    QList<SizeReference> sizes;
    double spainArea = -1;
};

// A first-level division of any country, from its name table (the noun of
// its kind), its facts table (capital, note) and its boundaries.
struct DivisionFacts {
    Noun name;                    // in running text: "Córdoba", without the map's "(Argentina)"
    bool labelled = false;        // the map's name carries a country in brackets
    QString kind;                 // "estado", "provincia", "región", "comunidad autónoma"...
    bool kindFeminine = false;    // of the noun of its kind: "una provincia", "un estado"
    Noun country;
    int divisionCount = 0;        // how many divisions of its kind the map shows
    int allDivisions = 0;         // how many of every kind
    QString capital;
    QString nationalCapital;      // the country's capital, to say when it is this one's too
    QList<Noun> neighbours;       // divisions of the same country
    QList<Noun> countries;        // divisions of other countries are told as their countries
    bool island = false;          // all its land is islands: no neighbour by land
    int islands = 0;              // how many pieces of land, when it is islands
    QString note;
    RegionFacts sourced;          // area, people, coasts... from the facts tables
    QList<SizeReference> sizes;
    double spainArea = -1;
};

// A sea, gulf, bay or ocean, from its facts table. Its name is the one
// running text wants ("mar Negro", "golfo de México"): the word for the kind
// of water in lower case, as Spanish writes it inside a sentence.
struct SeaFacts {
    Noun name;
    QString description;          // what follows "es": "un mar interior entre Europa y Asia"
    QString links;                // sentence: the straits and seas it opens on
    QList<Noun> coasts;           // countries whose coasts it bathes, in order along them
    QString shores;               // instead of countries: "Asia, Oceanía y América"
    double area = -1;             // km²; negative when unknown
    int depth = -1;               // deepest point in metres, rounded; negative when unknown
    QString deepest;              // where that point is: "la fosa de las Marianas"
    QString note;
};

QStringList countryText(const CountryFacts &f);
QStringList provinceText(const ProvinceFacts &f);
QStringList communityText(const CommunityFacts &f);
// A single-province community and its province share one name and one card.
QStringList singleProvinceCommunityText(const CommunityFacts &c, const ProvinceFacts &p);
QStringList stateText(const StateFacts &f);
QStringList divisionText(const DivisionFacts &f);
QStringList seaText(const SeaFacts &f);

// Whether a name table's `tipo` ("mar", "golfo", "bahía", "océano",
// "estrecho", "canal") makes its row a sea rather than a division.
bool isWaterKind(const QString &kind);

// "Mar Negro" as running text writes it: "mar Negro". Names that do not
// start with the word for a kind of water are returned as they are.
QString seaNameInSentence(const QString &name);

// "Es unas tres veces más grande que España." and the like, agreeing with
// the subject; empty when either area is unknown.
QString comparisonWithSpain(double area, double spainArea, const Noun &subject = {});

} // namespace cards
