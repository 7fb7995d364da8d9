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

// Figures grouped by thousands with a point, except four-digit numbers,
// which the Spanish norm writes unbroken: 8028, 13.771, 505.992.
QString formatInteger(qint64 n);

// An area rounded as a person would say it: "0,44", "61", "468", "8000",
// "14.900", "506.000", "1,3 millones", "17,1 millones". Returns the number
// and the noun phrase together: "unos 506.000 kilómetros cuadrados".
QString areaPhrase(double squareKilometres);

// Article for a singular noun phrase: "la" for the feminine names we use
// (ending in -a, with known exceptions, or starting with "lengua"), else "el".
QString articleFor(const QString &noun);

// Ordinal adjectives for ranks 2..10 ("segundo" .. "décimo").
QString ordinal(int n);

// Encodes to Windows-1252; characters it cannot hold are reported in
// *bad (and the result is then not to be written).
QByteArray toWindows1252(const QString &text, QString *bad = nullptr);
QString fromWindows1252(const QByteArray &bytes);

// Joins paragraphs with blank lines and every line ending in CR LF.
QByteArray cardFile(const QStringList &paragraphs, QString *bad = nullptr);

} // namespace spanish
