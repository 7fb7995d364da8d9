#include "languagefile.h"

#include "platform/datafiles.h"
#include "platform/safefile.h"
#include "platform/textfile.h"

#include <QDir>
#include <array>

namespace {

// The Spanish texts shipped in data/idioma; lines 2, 3 and 10 to 12 are the
// design texts of the captions they replace.
const std::array<const char *, LanguageFile::kLineCount> kBuiltIn = {
    "¡A jugar!",
    "Errores",
    "Aciertos",
    "Esta región todavía no tiene imagen.",
    "Ficha de la región",
    "Estudiar el mapa",
    "Hacer una prueba",
    "Volver a los mapas",
    "Todavía no hay texto para esta región.",
    "Prueba finalizada",
    "Otra prueba",
    "Fin",
};

} // namespace

std::variant<LanguageFile, LoadError> LanguageFile::load(const QString &programFolder)
{
    const QString path = datafiles::findFile(programFolder, QStringLiteral("idioma"));
    if (path.isEmpty()) {
        return LoadError{QDir(programFolder).filePath(QStringLiteral("idioma")), 0, {},
                         QStringLiteral("No se encuentra el archivo de idioma. La instalación está "
                                        "incompleta: vuelve a instalar el juego.")};
    }
    const auto bytes = safefile::read(path, safefile::kTextLimit);
    if (const auto *fault = std::get_if<safefile::Fault>(&bytes)) {
        if (*fault == safefile::Fault::TooLarge) {
            return LoadError{path, 0, {},
                             QStringLiteral("El archivo de idioma es demasiado grande: como mucho puede tener "
                                            "%1, y sus doce líneas caben en mucho menos.")
                                 .arg(safefile::formattedLimit(safefile::kTextLimit))};
        }
        return LoadError{path, 0, {},
                         QStringLiteral("No se puede leer el archivo de idioma. ") +
                             safefile::describe(*fault, safefile::kTextLimit)};
    }
    return fromBytes(std::get<QByteArray>(bytes));
}

LanguageFile LanguageFile::fromBytes(const QByteArray &bytes)
{
    LanguageFile file;
    file.lines = textfile::splitLines(textfile::decode(bytes));
    if (file.lines.size() > kLineCount)
        file.lines.resize(kLineCount);
    return file;
}

QString LanguageFile::line(int number) const
{
    if (hasLine(number))
        return lines.at(number - 1);
    return builtInLine(number);
}

QString LanguageFile::builtInLine(int number)
{
    if (number < 1 || number > kLineCount)
        return {};
    return QString::fromUtf8(kBuiltIn[std::size_t(number - 1)]);
}
