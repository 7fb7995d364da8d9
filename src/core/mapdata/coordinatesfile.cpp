#include "coordinatesfile.h"

#include "platform/textfile.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

const char *const kFieldNames[7] = {"el nombre", "la X del primer punto",  "la Y del primer punto",
                                    "la X del segundo punto", "la Y del segundo punto",
                                    "la X del tercer punto",  "la Y del tercer punto"};

QString fieldLabel(int index)
{
    return QStringLiteral("campo %1 (%2)").arg(index + 1).arg(QString::fromUtf8(kFieldNames[index]));
}

// A whole number in -32768..32767, spaces around it and a sign allowed.
std::optional<int> parseCoordinate(const QString &field)
{
    const QString trimmed = field.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    if (!ok || value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return value;
}

} // namespace

std::variant<MapDescription, LoadError> parseCoordinatesFile(const QByteArray &bytes,
                                                             const QString &fileName)
{
    if (textfile::looksLikeUtf16(bytes)) {
        return LoadError{fileName, 0, {},
                         QStringLiteral("El archivo está guardado en UTF-16, una codificación que el juego no "
                                        "admite. Guárdalo como UTF-8 (o Windows-1252) y vuelve a elegirlo.")};
    }
    QStringList lines = textfile::splitLines(textfile::decode(bytes));
    if (lines.size() < 2) {
        return LoadError{fileName, int(lines.size()) + 1, {},
                         QStringLiteral("El archivo tiene menos de dos líneas: faltan el nombre "
                                        "del dibujo del mapa y la pregunta.")};
    }
    // Editors often leave empty lines at the very end; they are not regions.
    while (lines.size() > 2 && lines.last().isEmpty())
        lines.removeLast();

    MapDescription map;
    map.mapPictureFile = lines.at(0);
    map.questionPrompt = lines.at(1);
    if (map.mapPictureFile.trimmed().isEmpty())
        return LoadError{fileName, 1, {}, QStringLiteral("La primera línea debe nombrar el dibujo del mapa.")};

    for (qsizetype li = 2; li < lines.size(); ++li) {
        const int lineNumber = int(li) + 1;
        if (map.regions.size() == kMaxRegions) {
            return LoadError{fileName, lineNumber, {},
                             QStringLiteral("Un mapa admite como mucho %1 regiones.").arg(kMaxRegions)};
        }
        const QString &line = lines.at(li);
        const QStringList parts = line.split(u',');
        // Seven fields, each followed by its comma; anything after the seventh is ignored.
        if (parts.size() < 8) {
            const int missing = int(parts.size()) - 1; // fields that have their comma
            return LoadError{fileName, lineNumber, fieldLabel(std::max(missing, 0)),
                             line.isEmpty()
                                 ? QStringLiteral("La línea está vacía; cada región necesita siete campos "
                                                  "seguidos de coma: nombre,X1,Y1,X2,Y2,X3,Y3,")
                                 : QStringLiteral("Falta la coma detrás del campo; cada región necesita siete "
                                                  "campos seguidos de coma: nombre,X1,Y1,X2,Y2,X3,Y3,")};
        }
        RegionRecord region;
        region.regionName = parts.at(0);
        int values[6] = {};
        for (int f = 0; f < 6; ++f) {
            const auto value = parseCoordinate(parts.at(f + 1));
            if (!value) {
                return LoadError{fileName, lineNumber, fieldLabel(f + 1),
                                 QStringLiteral("«%1» no es un número entero entre -32768 y 32767.")
                                     .arg(parts.at(f + 1))};
            }
            values[f] = *value;
        }
        region.seedX1 = values[0];
        region.seedY1 = values[1];
        region.seedX2 = values[2];
        region.seedY2 = values[3];
        region.seedX3 = std::int16_t(values[4]);
        region.seedY3 = std::int16_t(values[5]);
        map.regions.push_back(region);
    }
    if (map.regions.empty())
        return LoadError{fileName, 3, {}, QStringLiteral("El mapa no tiene ninguna región.")};
    return map;
}

void storeMap(const MapDescription &map, GameState &state)
{
    state.mapPictureFile = map.mapPictureFile;
    state.questionPrompt = map.questionPrompt;
    std::copy(map.regions.begin(), map.regions.end(), state.regions.begin());
    state.regionCount = std::int16_t(map.regions.size());
}
