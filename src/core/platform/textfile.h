// Reading the game's text data files: bytes are decoded as UTF-8 when they
// are valid UTF-8 and as Windows-1252 otherwise, and lines end at CR LF, CR or
// LF (files written on any system read the same).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace textfile {

QString decodeWindows1252(const QByteArray &bytes);
QString decode(const QByteArray &bytes);
// Characters Windows-1252 cannot hold become '?'; when `unmappable` is given
// they are also appended to it, so that a writer can refuse the text.
QByteArray encodeWindows1252(const QString &text, QString *unmappable = nullptr);

// True when the bytes are UTF-16 text, which the game does not read: a
// byte-order mark, or text whose every other byte is zero from the start, as
// some editors write "Unicode" files.
bool looksLikeUtf16(const QByteArray &bytes);

// Splits decoded text into lines. The terminator is not part of a line; a final
// terminator does not start another, empty line.
QStringList splitLines(const QString &text);

// Whole file as bytes; nullopt when it is not a regular file, is larger than
// a text file may be (safefile::kTextLimit) or cannot be read.
std::optional<QByteArray> readBytes(const QString &path);

// Sequential line reader over decoded text, as the game reads its files from
// the top. Reading past the end gives nullopt, which the caller reports.
class LineReader {
public:
    explicit LineReader(const QString &text) : lines(splitLines(text)) {}
    bool atEnd() const { return next >= lines.size(); }
    std::optional<QString> readLine();
    int lineNumber() const { return int(next); } // 1-based number of the last line read

private:
    QStringList lines;
    qsizetype next = 0;
};

} // namespace textfile
