// The language file "idioma" beside the executable: the interface texts that
// change with the language, one text per line, known by line number.
#pragma once

#include "platform/loaderror.h"

#include <QString>
#include <QStringList>
#include <variant>

class LanguageFile {
public:
    static constexpr int kLineCount = 12;

    // Reads the file from the program folder. A missing or unreadable file is
    // an error: the installation is broken.
    static std::variant<LanguageFile, LoadError> load();
    static LanguageFile fromBytes(const QByteArray &bytes);

    // Text of line `number` (1..12), exactly as the file holds it. A line the
    // file does not have takes the design text where there is one, else the
    // built-in Spanish text.
    QString line(int number) const;
    bool hasLine(int number) const { return number >= 1 && number <= lines.size(); }

    static QString builtInLine(int number);

private:
    QStringList lines;
};
