// The soak: complete tests on every map of the atlas, one after another, in
// one main window, and the resident memory at the start and at the end.
//   mapurix-soak [TESTS]      (default 120; at least one pass over the atlas)
// Prints the figures and fails when the memory grew by 5 % or more after
// the first pass over the atlas, which warms the caches of fonts and pictures.
// Both are taken without Qt's bounded pixmap cache, and the end also with it.
#include "platform/datafiles.h"
#include "support/formdriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmapCache>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

namespace {

// Resident memory after handing freed heap pages back to the system, so that
// what is measured is what the game still holds, not what malloc keeps spare.
// Qt's pixmap cache (styled widget pieces, bounded at 10 MB) fills slowly over
// hundreds of tests; it is emptied first unless `withPixmapCache`.
double residentMegabytes(bool withPixmapCache = false)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!withPixmapCache)
        QPixmapCache::clear();
    ::malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

// The offscreen platform warns at every window resize; nothing else is dropped.
QtMessageHandler standardHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (standardHandler && !message.contains(QLatin1String("propagateSizeHints")))
        standardHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    standardHandler = qInstallMessageHandler(quietHandler);
    const int tests = argc > 1 ? std::max(1, atoi(argv[1])) : 120;

    FormDriver d;
    d.programFolder = QStringLiteral(MAPURIX_SOURCE_DATA);
    if (!d.open()) {
        std::fprintf(stderr, "the main window did not open\n");
        return 1;
    }
    const QStringList maps = datafiles::listFiles(datafiles::findFolder(d.programFolder, QStringLiteral("Coordenadas")));
    if (maps.isEmpty()) {
        std::fprintf(stderr, "the atlas has no maps\n");
        return 1;
    }
    const double atOpen = residentMegabytes();
    const auto objects = [&d] { return d.form->findChildren<QObject *>().size() + qApp->topLevelWidgets().size(); };
    qsizetype warmObjects = 0;
    double warm = 0;
    int answers = 0;
    QElapsedTimer clock;
    clock.start();
    for (int t = 0; t < std::max(tests, int(maps.size())); ++t) {
        if (t == maps.size()) {
            warm = residentMegabytes();
            warmObjects = objects();
        }
        const QString &map = maps[t % maps.size()];
        d.chooseMode(1);
        if (!d.loadMap(map) || !d.form->Picture1->isVisible()) {
            std::fprintf(stderr, "test %d: %s did not load\n", t + 1, qPrintable(map));
            return 1;
        }
        const int given = d.playWholeQuiz(0);
        if (given != d.form->state.regionCount) {
            std::fprintf(stderr, "test %d: %s did not finish (%d answers)\n", t + 1, qPrintable(map), given);
            return 1;
        }
        answers += given;
        d.sound.played.clear(); // the recorder is the test's, not the game's
        if (!d.folder.errors.empty()) {
            std::fprintf(stderr, "test %d: %s reported %s\n", t + 1, qPrintable(map),
                         qPrintable(d.folder.errors.front().error.message()));
            return 1;
        }
    }
    if (warm == 0) {
        warm = residentMegabytes();
        warmObjects = objects();
    }
    const double withCache = residentMegabytes(true);
    const double atEnd = residentMegabytes();
    const double growth = 100.0 * (atEnd - warm) / warm;
    std::printf("tests %d over %lld maps, %d answers, %.1f s\n", std::max(tests, int(maps.size())),
                static_cast<long long>(maps.size()), answers, double(clock.elapsed()) / 1000.0);
    std::printf("resident memory: %.1f MB at open, %.1f MB after the first pass, %.1f MB at the end "
                "(%+.2f %% since the first pass; %.1f MB with Qt's pixmap cache)\n",
                atOpen, warm, atEnd, growth, withCache);
    std::printf("objects in the window: %lld after the first pass, %lld at the end\n",
                static_cast<long long>(warmObjects), static_cast<long long>(objects()));
    return growth < 5.0 ? 0 : 1;
}
