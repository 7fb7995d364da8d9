// Reading the program folder's files when anyone may have put anything there:
// only regular files (or links to them) are read, never FIFOs, devices or
// folders, and never more than a bound fixed for each kind of file, checked
// before a byte is read.
#pragma once

#include <QByteArray>
#include <QString>
#include <variant>

namespace safefile {

// Bounds for each kind of data file. The real files are a few kilobytes; the
// bounds leave a hundredfold room and still read in a blink.
constexpr qint64 kTextLimit = 1 << 20;     // coordinates, language and card texts
constexpr qint64 kPictureLimit = 32 << 20; // map pictures, card pictures, flags, animations
constexpr qint64 kSoundLimit = 32 << 20;   // wave files

enum class Fault {
    Missing,    // nothing there
    NotRegular, // a folder, FIFO, device, socket or a link to one
    TooLarge,   // larger than the bound
    Unreadable, // there, but opening or reading it failed
};

// True when `path` is a regular file or a symbolic link to one.
bool isRegularFile(const QString &path);
// The same for a path spelled in the file system's own bytes, which need not
// be valid UTF-8 (a file copied from an older system).
bool isRegularFile(const QByteArray &nativePath);

// The whole file, when it is a regular file of at most `limit` bytes. The
// file is opened without blocking and checked on the open descriptor, so a
// FIFO swapped in after a look-up cannot stall the game either.
std::variant<QByteArray, Fault> read(const QString &path, qint64 limit);
std::variant<QByteArray, Fault> read(const QByteArray &nativePath, qint64 limit);

// A size bound as a Spanish reader writes it ("1 MiB").
QString formattedLimit(qint64 limit);

// The fault in Spanish, for the learner or the teacher who mends the file.
QString describe(Fault fault, qint64 limit);

// True when `folder` is a folder whose entries can be listed.
bool canListFolder(const QString &folder);

// True when `name` names a file directly inside a folder: not empty, no
// folder separator of any system, not "." or "..".
bool isPlainName(const QString &name);

} // namespace safefile
