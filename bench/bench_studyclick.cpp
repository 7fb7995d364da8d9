// Times a study-mode click on the largest map of the bundled atlas: the
// repaint, the fill, the identification over all regions, the list selection
// and the highlight of every area of the region found. Runs offscreen.
#include "windows/form1.h"
#include "mapdata/coordinatesfile.h"
#include "controls/animador.h"
#include "platform/datafiles.h"
#include "controls/filelistbox.h"
#include "platform/random.h"
#include "platform/soundplayer.h"
#include "platform/textfile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct SilentSound : SoundPlayer {
    void play(const QString &) override {}
};

// The catalogue entry with the most regions; the larger picture breaks ties.
QString largestMap(const QString &dataFolder)
{
    const QString catalogue = QDir(dataFolder).filePath(QStringLiteral("Coordenadas"));
    QString best;
    long long bestScore = -1;
    for (const QString &name : datafiles::listFiles(catalogue)) {
        const auto bytes = textfile::readBytes(QDir(catalogue).filePath(name));
        if (!bytes)
            continue;
        const auto parsed = parseCoordinatesFile(*bytes, name);
        if (!std::holds_alternative<MapDescription>(parsed))
            continue;
        const auto &map = std::get<MapDescription>(parsed);
        const QSize size = QImageReader(datafiles::dataFile(QStringLiteral("Mapas"), map.mapPictureFile)).size();
        const long long score = (long long)map.regions.size() * 100000000LL + (long long)size.width() * size.height();
        if (score > bestScore) {
            bestScore = score;
            best = name;
        }
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dataFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(MAPURIX_SOURCE_DATA);
    datafiles::setProgramFolder(dataFolder);
    Animador::setManualPlayback(true);

    const QString mapName = largestMap(dataFolder);
    if (mapName.isEmpty()) {
        std::fprintf(stderr, "no playable map in %s\n", qPrintable(dataFolder));
        return 1;
    }
    SilentSound sound;
    RandomGenerator random(1);
    Form1 form(sound, random);
    if (!form.Form_Load())
        return 1;
    form.show();
    const auto items = form.File1->findItems(mapName, Qt::MatchExactly);
    form.File1->setCurrentItem(items.first());
    form.File1_Click();
    QCoreApplication::processEvents();

    // Click the first seed of every region in turn, several rounds.
    std::vector<double> times;
    const int regions = form.state.regionCount;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < regions; ++i) {
            const auto k = std::size_t(i);
            QElapsedTimer timer;
            timer.start();
            form.Picture1_Mousedown(1, 0, form.state.seedX1[k], form.state.seedY1[k]);
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (form.List3->currentRow() != i) {
                std::fprintf(stderr, "region %d was not identified\n", i);
                return 1;
            }
        }
    }
    std::sort(times.begin(), times.end());
    const QSize size = form.surface.size();
    std::printf("map: %s (%d regions, %dx%d pixels)\n", qPrintable(mapName), regions, size.width(),
                size.height());
    std::printf("study click median: %.3f ms  (p90 %.3f ms, %zu clicks; one frame is 16 ms)\n",
                times[times.size() / 2], times[times.size() * 9 / 10], times.size());
    return 0;
}
