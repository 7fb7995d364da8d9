// artgen: draws the game's animations and pictures into the source tree.
//
//   artgen ATLAS_DIR REPO_ROOT
//
// ATLAS_DIR holds world-atlas's countries-110m.json. Every output is a pure
// function of the code and that file, so a rerun gives identical bytes.
#include "../../common/gifwriter.h"
#include "animations.h"
#include "topojson.h"
#include "worldart.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

namespace {

bool writeGif(const QString &path, const std::vector<gifwriter::Frame> &frames,
              gifwriter::Looping looping)
{
    QString error;
    if (!gifwriter::write(path, frames, looping, &error)) {
        std::fprintf(stderr, "artgen: %s\n", qPrintable(error));
        return false;
    }
    std::printf("%s: %zu frames\n", qPrintable(QDir::current().relativeFilePath(path)),
                frames.size());
    return true;
}

bool writePng(const QString &path, const QImage &image)
{
    QImageWriter writer(path, "png");
    if (!writer.write(image)) {
        std::fprintf(stderr, "artgen: %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    std::printf("%s\n", qPrintable(QDir::current().relativeFilePath(path)));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // QGuiApplication for QPainter's raster engine and its fonts; no window is opened.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: artgen ATLAS_DIR REPO_ROOT\n");
        return 2;
    }
    const QDir atlas(args[1]);
    const QDir root(args[2]);
    QDir::setCurrent(root.absolutePath());

    QString error;
    const auto countries =
        topojson::readObject(atlas.filePath("countries-110m.json"), "countries", &error);
    if (countries.empty()) {
        std::fprintf(stderr, "artgen: %s\n", qPrintable(error));
        return 1;
    }
    const auto shapes = worldart::continentShapes(countries);

    root.mkpath("data/gifs");
    root.mkpath("src/windows/resources");
    const QString gifs = root.filePath("data/gifs/");
    const QString resources = root.filePath("src/windows/resources/");

    // The start-up window's right edge cuts its 153-pixel Earth control after
    // 116 pixels, so the globe is drawn small enough to be seen whole.
    std::vector<gifwriter::Frame> earth;
    for (const QImage &frame :
         worldart::turningEarth(shapes, QSize(2295 / 15, 2055 / 15), 114, 40))
        earth.push_back({frame, 90});

    const bool ok =
        writeGif(gifs + "miro.gif", animations::looking(), gifwriter::PlayOnce) &&
        writeGif(gifs + "acierto.gif", animations::hit(), gifwriter::PlayOnce) &&
        writeGif(gifs + "fallo.gif", animations::miss(), gifwriter::PlayOnce) &&
        writeGif(gifs + "idea.gif", animations::lightBulb(), gifwriter::LoopForever) &&
        writeGif(gifs + "la_tierra.gif", earth, gifwriter::LoopForever) &&
        writePng(resources + "startup-background.png", worldart::startupBackground(shapes)) &&
        writePng(resources + "command2-arrow.png", animations::anotherRegionArrow());
    return ok ? 0 : 1;
}
