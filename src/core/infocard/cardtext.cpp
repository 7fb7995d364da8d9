#include "cardtext.h"

#include "platform/safefile.h"

namespace cardtext {

QString cutMark()
{
    return QStringLiteral("\n[…] (Texto recortado: el archivo es demasiado largo.)");
}

std::optional<QByteArray> readFile(const QString &path)
{
    auto bytes = safefile::read(path, kMaxFileBytes);
    if (auto *whole = std::get_if<QByteArray>(&bytes))
        return std::move(*whole);
    return std::nullopt;
}

QString bounded(const QString &text)
{
    const QString mark = cutMark();
    const bool cut = text.size() > kMaxCharacters;
    QString kept = cut ? text.left(kMaxCharacters - mark.size()) : text;
    // A surrogate pair cut in two would show as a broken character.
    if (cut && !kept.isEmpty() && kept.back().isHighSurrogate())
        kept.chop(1);

    QString shown;
    shown.reserve(kept.size() + kept.size() / kMaxRun + mark.size());
    qsizetype run = 0;
    for (const QChar c : kept) {
        if (c.isSpace()) {
            run = 0;
        } else if (++run > kMaxRun && !c.isLowSurrogate()) {
            shown += QChar(0x200B);
            run = 1;
        }
        shown += c;
    }
    if (cut)
        shown += mark;
    return shown;
}

} // namespace cardtext
