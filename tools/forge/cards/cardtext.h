// The words of a region card. Each kind of region has a plain struct of
// facts already in Spanish (names looked up, capitals chosen, areas known)
// and a function that writes the paragraphs a child reads on the card.
// Nothing here reads files, so every sentence can be tested on small input.
#pragma once

#include <QString>
#include <QStringList>

namespace cards {

struct CountryFacts {
    QString name;                 // as on the map
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
    QStringList currencies;       // Spanish names
    QStringList neighbours;       // land neighbours, Spanish names, sorted
    bool landlocked = false;
    QString statusNote;           // territories and disputed lands
    QString dispute;              // own paragraph: a disputed part of the country
    QString credit;               // last line: where the facts come from
};

struct ProvinceFacts {
    QString name;
    QString community;            // name of its autonomous community or city
    bool singleProvince = false;  // the community has only this province (same land)
    bool autonomousCity = false;  // Ceuta, Melilla
    QString capital;
    QString capitalNote;
    double area = -1;
    QStringList neighbours;       // provinces
    QStringList countries;        // foreign neighbours by land
    QString note;                 // islands and the like
    QString credit;
};

struct CommunityFacts {
    QString name;
    bool autonomousCity = false;
    QString capital;
    QString capitalNote;
    QStringList provinces;
    double area = -1;
    QStringList neighbours;       // communities
    QStringList countries;
    QString note;
    QString credit;
};

struct StateFacts {
    QString name;
    bool district = false;        // the federal district, not a state
    QString capital;
    QString largestCity;          // when it is not the capital
    double area = -1;
    QStringList neighbours;       // states
    QStringList countries;
    QString note;
    QString credit;
};

QStringList countryText(const CountryFacts &f);
QStringList provinceText(const ProvinceFacts &f);
QStringList communityText(const CommunityFacts &f);
// A single-province community and its province share one name and one card.
QStringList singleProvinceCommunityText(const CommunityFacts &c, const ProvinceFacts &p);
QStringList stateText(const StateFacts &f);

// "Es unas tres veces más grande que España." and the like; empty when
// either area is unknown.
QString comparisonWithSpain(double area, double spainArea, bool feminine = false);

} // namespace cards
