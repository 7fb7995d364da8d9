// Where the game's data files live and how they are found: beside the
// executable, in folders such as "Coordenadas" or "textos", with letter case
// ignored so that data copied from a case-blind file system still plays.
#pragma once

#include <QString>
#include <QByteArray>
#include <QStringList>
#include <vector>

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

// A file of a folder as the catalogue lists it: its name as shown, and its
// path in the file system's own bytes, to open it by.
struct ListedFile {
    QString name;
    QByteArray nativePath;
};

// Regular files of a folder, or links to them (no folders, FIFOs, devices or
// hidden files), sorted as a Spanish reader expects: ignoring case and
// accents, numbers by value. A name that is not valid UTF-8 (a file copied
// from an older system) is shown as Windows-1252 reads it, as the contents of
// the game's files are.
std::vector<ListedFile> listFileEntries(const QString &folder);
QStringList listFiles(const QString &folder);

// A file name as the file system stores it, read as UTF-8 when it is valid
// UTF-8 and as Windows-1252 otherwise.
QString decodeName(const QByteArray &bytes);

} // namespace datafiles
