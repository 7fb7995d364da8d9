// Where the game's data files live and how they are found: beside the
// executable, in folders such as "Coordenadas" or "textos", with letter case
// ignored so that data copied from a case-blind file system still plays.
#pragma once

#include <QString>
#include <QStringList>

namespace datafiles {

// The folder of the executable with symlinks resolved, never the working
// directory. The program's start gives it to the windows as their program
// folder; tests give them a folder of fixtures instead.
QString executableFolder();

// Finds `name` in `folder`, ignoring letter case; an exact match wins.
// Returns the full path of the existing file, or an empty string.
QString findFile(const QString &folder, const QString &name);

// Finds the data folder `folderName` (ignoring case) under `programFolder`.
// Returns its path, or an empty string when there is none.
QString findFolder(const QString &programFolder, const QString &folderName);

// A data file: programFolder / folderName / fileName, each step looked up
// ignoring case. When no regular file matches, returns the path as it would be
// spelled, so that error messages can name it; readers check what is there
// before they open it. A name that would leave the folder (a folder part, an
// absolute path, "..") gives an empty string.
QString dataFile(const QString &programFolder, const QString &folderName, const QString &fileName);

// Regular files of a folder, or links to them (no folders, FIFOs, devices or
// hidden files), sorted as a Spanish
// reader expects: ignoring case and accents, numbers by value.
QStringList listFiles(const QString &folder);

} // namespace datafiles
