// Small pieces of Spanish grammar and typography that the card texts need:
// lists joined with "y"/"e", numbers in words and figures, rounded areas,
// articles, and the Windows-1252 encoding the game reads.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace spanish {

// "A", "A y B", "A, B y C"; the last "y" becomes "e" before a word that
// starts with the sound /i/ ("Francia e Italia", but "agua y hielo").
QString joinList(const QStringList &items);

// Cardinal numbers as words for 1..20 ("uno" .. "veinte"), figures above.
// Feminine forms where they differ ("una").
QString numberWord(int n, bool feminine = false);

// Figures grouped by thousands as the RAE writes them, readable the same in
// every Spanish-speaking country: a non-breaking space between groups of
// three from five digits on, none in four-digit numbers: 8028, 13 771,
// 505 992 (the spaces are U+00A0).
QString formatInteger(qint64 n);

// An area rounded as a person would say it: "0,44", "61", "468", "8000",
// "14 900", "506 000", "1,3 millones", "17,1 millones". Returns the number
// and the noun phrase together: "unos 506 000 kilómetros cuadrados".
QString areaPhrase(double squareKilometres);

// A number of people as a learner reads it, with its noun: "unas 132 000
// personas", "unos 3,1 millones de habitantes", "unos 48 millones de
// personas"; exact below a thousand ("870 habitantes").
QString populationPhrase(double people, const QString &noun);

// Article for a singular noun phrase: "la" for the feminine names we use
// (ending in -a, with known exceptions, or starting with "lengua"), else "el".
QString articleFor(const QString &noun);

// A place's name with what Spanish needs to build sentences around it:
// grammatical gender and number, and the article usage puts before it inside
// a sentence ("Limita con el Reino Unido"). The name itself stays as the map
// writes it.
struct Noun {
    QString name;
    bool feminine = false;
    bool plural = false;
    QString article; // "el", "la", "los", "las" or empty

    static Noun parse(const QString &name, const QString &gender, const QString &number, const QString &article);
    // "el Reino Unido", "Francia".
    QString inSentence() const;
    // At the start of a sentence: "El Reino Unido", "Las Bahamas".
    QString subject() const;
    // "del Reino Unido", "de la India", "de El Salvador", "de Francia".
    QString of() const;
    // The word that agrees: agree("rodeado") gives "rodeada", "rodeados"...
    // for an adjective or participle in -o (or "pequeño"); other words only
    // take the plural.
    QString agree(const QString &masculineSingular) const;
    // "es"/"son", "está"/"están" and the like.
    QString verb(const QString &singular, const QString &plural) const { return this->plural ? plural : singular; }
    // Object pronoun: "lo", "la", "los", "las".
    QString pronoun() const;
};

// The names in a sentence, with their articles, joined with "y"/"e".
QString joinNouns(const QList<Noun> &nouns);

// Capitalises the first letter ("el" -> "El").
QString capitalised(const QString &s);

// Appends a full stop unless the text already ends in one ("Washington D. C.").
QString sentence(const QString &text);

// "unas 660 veces", "unas veinte veces": a number of times rounded to what a
// learner reads (two significant figures, words up to twenty).
QString roundedTimes(double times);

// Ordinal adjectives for ranks 2..10 ("segundo" .. "décimo").
QString ordinal(int n);

// Encodes to Windows-1252; characters it cannot hold are reported in
// *bad (and the result is then not to be written).
QByteArray toWindows1252(const QString &text, QString *bad = nullptr);
QString fromWindows1252(const QByteArray &bytes);

// Joins paragraphs with blank lines, every line ending in CR LF, as UTF-8
// (`bad` is kept for callers that ask and always comes back empty).
QByteArray cardFile(const QStringList &paragraphs, QString *bad = nullptr);

} // namespace spanish
