#include "datafiles.h"

#include "safefile.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

namespace datafiles {

namespace {

QString findEntry(const QString &folder, const QString &name, QDir::Filters kind)
{
    if (folder.isEmpty() || name.isEmpty())
        return {};
    const QDir dir(folder);
    const QFileInfo exact(dir.filePath(name));
    // A file is only ever a regular file: a FIFO, a device or a link to one
    // would block or never end when read.
    const auto isWanted = [kind](const QString &path) {
        return (kind & QDir::Dirs) ? QFileInfo(path).isDir() : safefile::isRegularFile(path);
    };
    if (isWanted(exact.filePath()))
        return exact.filePath();
    const QStringList entries = dir.entryList(kind | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && isWanted(dir.filePath(entry)))
            return dir.filePath(entry);
    }
    return {};
}

} // namespace

QString executableFolder()
{
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return QFileInfo(exe).absolutePath();
}

QString findFile(const QString &folder, const QString &name)
{
    return findEntry(folder, name, QDir::Files);
}

QString findFolder(const QString &programFolder, const QString &folderName)
{
    return findEntry(programFolder, folderName, QDir::Dirs);
}

QString dataFile(const QString &programFolder, const QString &folderName, const QString &fileName)
{
    const QString folder = findFolder(programFolder, folderName);
    if (!safefile::isPlainName(fileName))
        return {};
    if (!folder.isEmpty()) {
        const QString found = findFile(folder, fileName);
        if (!found.isEmpty())
            return found;
        return QDir(folder).filePath(fileName);
    }
    return QDir(programFolder).filePath(folderName + QLatin1Char('/') + fileName);
}

QStringList listFiles(const QString &folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    const QDir dir(folder);
    files.removeIf([&dir](const QString &name) { return !safefile::isRegularFile(dir.filePath(name)); });
    // Spanish collation: "África" sorts among the A's, not after "Z".
    QCollator collator{QLocale(QLocale::Spanish, QLocale::Spain)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(files.begin(), files.end(), collator);
    return files;
}

} // namespace datafiles
