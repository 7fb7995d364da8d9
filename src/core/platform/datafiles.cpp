#include "datafiles.h"

#include "safefile.h"
#include "textfile.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>
#include <algorithm>

#include <dirent.h>

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

QString decodeName(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString name = utf8.decode(bytes);
    return utf8.hasError() ? textfile::decodeWindows1252(bytes) : name;
}

std::vector<ListedFile> listFileEntries(const QString &folder)
{
    std::vector<ListedFile> files;
    QByteArray base = QFile::encodeName(folder);
    if (base.isEmpty())
        return files;
    if (!base.endsWith('/'))
        base += '/';
    // Read with the system's own calls: names that are not valid UTF-8 are
    // kept as bytes to open them, and shown as Windows-1252 reads them.
    DIR *dir = ::opendir(base.constData());
    if (!dir)
        return files;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith('.')) // hidden, or "." and ".."
            continue;
        const QByteArray native = base + name;
        if (safefile::isRegularFile(native))
            files.push_back(ListedFile{decodeName(name), native});
    }
    ::closedir(dir);
    // Spanish collation: "África" sorts among the A's, not after "Z".
    QCollator collator{QLocale(QLocale::Spanish, QLocale::Spain)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(files.begin(), files.end(),
              [&collator](const ListedFile &a, const ListedFile &b) { return collator(a.name, b.name); });
    return files;
}

QStringList listFiles(const QString &folder)
{
    QStringList names;
    for (const ListedFile &file : listFileEntries(folder))
        names << file.name;
    return names;
}

} // namespace datafiles
