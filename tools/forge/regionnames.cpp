#include "regionnames.h"

#include "platform/textfile.h"

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
    QString unmappable;
    textfile::encodeWindows1252(name, &unmappable);
    if (!unmappable.isEmpty())
        return QStringLiteral("has a character outside Windows-1252");
    return QString();
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
