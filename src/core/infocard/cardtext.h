// The text a card shows. A text box lays out a paragraph as a whole, so a
// text of megabytes, or one run of letters with nowhere to break, stalls the
// window; a card text is a few hundred characters, so anything beyond the
// bound is cut, with a mark that says so.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace cardtext {

// The largest card text file read at all; a larger one counts as unreadable.
// Whatever is read is cut to kMaxCharacters for showing.
constexpr qint64 kMaxFileBytes = 16 << 20;

// The most characters of a text a card shows, the mark included (the breaks
// added to long runs aside).
constexpr qsizetype kMaxCharacters = 20000;

// The longest run of characters without a space or line break that is kept
// whole; longer runs are broken with a zero-width space so the box can wrap.
constexpr qsizetype kMaxRun = 200;

// What appears where a text was cut.
QString cutMark();

// The bytes of a card text file; nullopt when it is not a regular file, is
// larger than kMaxFileBytes or cannot be read.
std::optional<QByteArray> readFile(const QString &path);

// `text` as the card shows it: cut to kMaxCharacters with the mark, and
// long runs made breakable.
QString bounded(const QString &text);

} // namespace cardtext
