// Rules for region names, which become list items, prompts and the file names
// of each region's card (text, picture and flag), and for the single-byte
// Windows-1252 text of coordinates files.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace forge {

// Why `name` cannot be a region name, or an empty string when it can.
QString regionNameFault(const QString &name);

// Windows-1252 bytes of `text`, or nothing when a character has no byte there.
std::optional<QByteArray> toWindows1252(const QString &text);

// Sort key that orders Spanish names as a reader expects: accents and case
// only break ties.
QString collationKey(const QString &name);

} // namespace forge
