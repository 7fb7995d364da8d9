// Rules for region names, which become list items, prompts and the file names
// of each region's card (text, picture and flag).
#pragma once

#include <QString>

namespace forge {

// Why `name` cannot be a region name, or an empty string when it can.
QString regionNameFault(const QString &name);

// Sort key that orders Spanish names as a reader expects: accents and case
// only break ties.
QString collationKey(const QString &name);

} // namespace forge
