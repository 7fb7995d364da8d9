#include "seedcheck.h"

#include <vector>

namespace {

// Region lines start at line 3; the parser refuses empty lines between them.
int lineOf(std::size_t region)
{
    return int(region) + 3;
}

QString pointLabel(int seed)
{
    static const char *const names[3] = {"primer", "segundo", "tercer"};
    return QStringLiteral("campos %1 y %2 (el %3 punto)")
        .arg(2 + 2 * seed)
        .arg(3 + 2 * seed)
        .arg(QString::fromLatin1(names[seed]));
}

bool isWhite(QRgb pixel)
{
    return (pixel & 0xffffff) == 0xffffff;
}

// Labels the 4-connected white area around (x, y) with `owner`, the same
// connectivity the paint fill uses. Returns the label that was already there
// when the area belongs to someone else, or -1.
int claimArea(const QImage &image, std::vector<int> &owners, int x, int y, int owner)
{
    const int w = image.width();
    const int h = image.height();
    const int already = owners[std::size_t(y) * std::size_t(w) + std::size_t(x)];
    if (already >= 0)
        return already == owner ? -1 : already;
    std::vector<std::pair<int, int>> stack{{x, y}};
    owners[std::size_t(y) * std::size_t(w) + std::size_t(x)] = owner;
    while (!stack.empty()) {
        const auto [cx, cy] = stack.back();
        stack.pop_back();
        const std::pair<int, int> next[4] = {{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
        for (const auto &[nx, ny] : next) {
            if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                continue;
            int &label = owners[std::size_t(ny) * std::size_t(w) + std::size_t(nx)];
            if (label >= 0 || !isWhite(image.pixel(nx, ny)))
                continue;
            label = owner;
            stack.push_back({nx, ny});
        }
    }
    return -1;
}

} // namespace

std::optional<LoadError> checkSeeds(const MapDescription &map, const QImage &picture,
                                    const QString &fileName)
{
    const int w = picture.width();
    const int h = picture.height();
    std::vector<int> owners(std::size_t(w) * std::size_t(h), -1);
    for (std::size_t r = 0; r < map.regions.size(); ++r) {
        const RegionRecord &region = map.regions[r];
        for (int s = 0; s < 3; ++s) {
            if (!region.hasArea(s))
                continue; // no such area
            const QPoint seed = region.seed(s);
            const struct {
                int x, y;
            } p{seed.x(), seed.y()};
            if (p.x < 0 || p.y < 0 || p.x >= w || p.y >= h) {
                return LoadError{fileName, lineOf(r), pointLabel(s),
                                 QStringLiteral("El punto (%1, %2) de «%3» cae fuera del dibujo del mapa, "
                                                "que mide %4 × %5 píxeles.")
                                     .arg(p.x).arg(p.y).arg(region.regionName).arg(w).arg(h)};
            }
            if (!isWhite(picture.pixel(p.x, p.y))) {
                return LoadError{fileName, lineOf(r), pointLabel(s),
                                 QStringLiteral("El punto (%1, %2) de «%3» no cae en una zona blanca del "
                                                "dibujo (quizá sobre una línea de frontera o en el mar).")
                                     .arg(p.x).arg(p.y).arg(region.regionName)};
            }
            const int other = claimArea(picture, owners, p.x, p.y, int(r));
            if (other >= 0) {
                return LoadError{fileName, lineOf(r), pointLabel(s),
                                 QStringLiteral("El punto (%1, %2) de «%3» cae en la misma zona blanca que "
                                                "«%4» (línea %5): cada región necesita su propia zona.")
                                     .arg(p.x).arg(p.y).arg(region.regionName)
                                     .arg(map.regions[std::size_t(other)].regionName).arg(lineOf(std::size_t(other)))};
            }
        }
    }
    return std::nullopt;
}
