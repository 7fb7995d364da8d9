#include "regionnames.h"

#include <QStringList>

namespace forge {

QString regionNameFault(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("empty name");
    if (name != name.trimmed())
        return QStringLiteral("leading or trailing blank");
    if (name.endsWith(u'.'))
        return QStringLiteral("ends with a dot (not a Windows file name)");
    for (const QChar c : name) {
        if (c == u',')
            return QStringLiteral("contains a comma");
        if (c.unicode() < 0x20 || QStringLiteral("<>:\"/\\|?*").contains(c))
            return QStringLiteral("contains '%1', not allowed in file names").arg(c);
    }
    static const QStringList reserved = {
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),  QStringLiteral("NUL"),
        QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4"),
        QStringLiteral("COM5"), QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
        QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"), QStringLiteral("LPT3"),
        QStringLiteral("LPT4"), QStringLiteral("LPT5"), QStringLiteral("LPT6"), QStringLiteral("LPT7"),
        QStringLiteral("LPT8"), QStringLiteral("LPT9")};
    if (reserved.contains(name.section(u'.', 0, 0), Qt::CaseInsensitive))
        return QStringLiteral("reserved device name on Windows");
    if (!toWindows1252(name))
        return QStringLiteral("has a character outside Windows-1252");
    return QString();
}

std::optional<QByteArray> toWindows1252(const QString &text)
{
    // The 27 characters Windows-1252 puts in 0x80..0x9F; 0 marks unused bytes.
    static constexpr char16_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(static_cast<char>(u));
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i) {
            if (high[i] != 0 && high[i] == u)
                found = i;
        }
        if (found < 0)
            return std::nullopt;
        out.append(static_cast<char>(0x80 + found));
    }
    return out;
}

QString collationKey(const QString &name)
{
    // Spanish sorts ñ after every other n word: '~' comes after the letters.
    QString lowered = name.toLower();
    lowered.replace(QChar(0x00F1), QStringLiteral("n~"));
    QString base;
    for (const QChar c : lowered.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            base += c;
    }
    return base + QChar(0) + name;
}

} // namespace forge
