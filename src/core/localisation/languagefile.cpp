#include "languagefile.h"

#include "platform/datafiles.h"
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

std::variant<LanguageFile, LoadError> LanguageFile::load()
{
    const QString path = datafiles::findFile(datafiles::programFolder(), QStringLiteral("idioma"));
    if (path.isEmpty()) {
        return LoadError{QDir(datafiles::programFolder()).filePath(QStringLiteral("idioma")), 0, {},
                         QStringLiteral("No se encuentra el archivo de idioma. La instalación está "
                                        "incompleta: vuelve a instalar el juego.")};
    }
    const auto bytes = textfile::readBytes(path);
    if (!bytes) {
        return LoadError{path, 0, {}, QStringLiteral("No se puede leer el archivo de idioma.")};
    }
    return fromBytes(*bytes);
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
