#include "safefile.h"

#include <QFile>
#include <QLocale>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safefile {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

bool isRegularFile(const QString &path)
{
    return !path.isEmpty() && isRegularFile(QFile::encodeName(path));
}

bool isRegularFile(const QByteArray &native)
{
    if (native.isEmpty())
        return false;
    struct stat info {};
    return ::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

std::variant<QByteArray, Fault> read(const QString &path, qint64 limit)
{
    if (path.isEmpty())
        return Fault::Missing;
    return read(QFile::encodeName(path), limit);
}

std::variant<QByteArray, Fault> read(const QByteArray &native, qint64 limit)
{
    if (native.isEmpty())
        return Fault::Missing;
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Fault::Missing : Fault::Unreadable;
    if (!S_ISREG(info.st_mode))
        return Fault::NotRegular;

    Descriptor file;
    file.fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (file.fd < 0)
        return Fault::Unreadable;
    if (::fstat(file.fd, &info) != 0)
        return Fault::Unreadable;
    if (!S_ISREG(info.st_mode))
        return Fault::NotRegular;
    if (info.st_size > limit)
        return Fault::TooLarge;

    // The file may grow while it is read; never take more than the bound.
    QByteArray bytes;
    bytes.reserve(qsizetype(info.st_size));
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.fd, chunk, sizeof chunk);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Fault::Unreadable;
        }
        if (bytes.size() + got > limit)
            return Fault::TooLarge;
        bytes.append(chunk, qsizetype(got));
    }
    return bytes;
}

QString formattedLimit(qint64 limit)
{
    // The bounds are whole mebibytes: no decimals to read.
    return QLocale(QLocale::Spanish, QLocale::Spain).formattedDataSize(limit, 0);
}

QString describe(Fault fault, qint64 limit)
{
    switch (fault) {
    case Fault::Missing:
        return QStringLiteral("No se encuentra el archivo.");
    case Fault::NotRegular:
        return QStringLiteral("No es un archivo normal (es una carpeta, un dispositivo, una tubería o un "
                              "enlace a uno de ellos).");
    case Fault::TooLarge:
        return QStringLiteral("El archivo es demasiado grande: como mucho puede tener %1.").arg(formattedLimit(limit));
    case Fault::Unreadable:
        break;
    }
    return QStringLiteral("No se puede leer el archivo (falta permiso de lectura o está dañado).");
}

bool canListFolder(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    ::closedir(dir);
    return true;
}

bool isPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\') && name != u"." &&
           name != u"..";
}

} // namespace safefile
