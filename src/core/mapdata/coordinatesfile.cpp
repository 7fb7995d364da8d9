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
        region.name = parts.at(0);
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
        for (int s = 0; s < 3; ++s)
            region.seeds[s] = SeedPoint{values[2 * s], values[2 * s + 1]};
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
    std::size_t i = 0;
    for (const RegionRecord &region : map.regions) {
        state.regionNames[i] = region.name;
        state.seedX1[i] = region.seeds[0].x;
        state.seedY1[i] = region.seeds[0].y;
        state.seedX2[i] = region.seeds[1].x;
        state.seedY2[i] = region.seeds[1].y;
        state.seedX3[i] = std::int16_t(region.seeds[2].x);
        state.seedY3[i] = std::int16_t(region.seeds[2].y);
        ++i;
    }
    state.regionCount = std::int16_t(map.regions.size());
}
