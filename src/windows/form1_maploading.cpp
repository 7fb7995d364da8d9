// The main window's map loading, mode options and region list.
#include "windows/form1.h"

#include "mapdata/coordinatesfile.h"
#include "mapdata/maplayout.h"
#include "mapdata/seedcheck.h"
#include "controls/animador.h"
#include "platform/datafiles.h"
#include "platform/errorreport.h"
#include "controls/filelistbox.h"
#include "controls/mapview.h"
#include "controls/ui.h"
#include "platform/numconv.h"
#include "platform/random.h"
#include "platform/safefile.h"
#include "platform/textfile.h"
#include "quiz/painting.h"
#include "quiz/questioncycle.h"

#include <QBuffer>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

namespace {

TwipsRect rectOf(const QWidget *w)
{
    return TwipsRect{twips::left(w), twips::top(w), twips::width(w), twips::height(w)};
}

// Reads a map picture exactly as stored: no scaling, no colour conversion
// beyond 32-bit RGB.
std::variant<QImage, LoadError> readMapPicture(const QString &path)
{
    auto bytes = safefile::read(path, safefile::kPictureLimit);
    if (const auto *fault = std::get_if<safefile::Fault>(&bytes)) {
        return LoadError{path, 0, {},
                         *fault == safefile::Fault::Missing
                             ? QStringLiteral("No se encuentra el dibujo del mapa.")
                             : safefile::describe(*fault, safefile::kPictureLimit)};
    }
    QBuffer buffer(&std::get<QByteArray>(bytes));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull()) {
        const bool exists = QFileInfo::exists(path);
        return LoadError{path, 0, {},
                         exists ? QStringLiteral("No se puede leer el dibujo del mapa (%1).")
                                      .arg(reader.errorString())
                                : QStringLiteral("No se encuentra el dibujo del mapa.")};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void Form1::File1_Click()
{
    const QString fileName = File1->fileName();
    if (fileName.isEmpty())
        return;
    const QString path = QDir(File1->path()).filePath(fileName);

    // A broken map must not cost the learner the program: everything is read
    // and checked before the window changes, and a fault leaves the map-choice
    // screen and the previous state as they were.
    const auto bytes = safefile::read(File1->nativeFilePath(), safefile::kTextLimit);
    if (const auto *fault = std::get_if<safefile::Fault>(&bytes)) {
        platform.errors.report(LoadError{path, 0, {}, safefile::describe(*fault, safefile::kTextLimit)},
                               errorreport::Severity::Recoverable);
        return;
    }
    auto parsed = parseCoordinatesFile(std::get<QByteArray>(bytes), path);
    if (const auto *error = std::get_if<LoadError>(&parsed)) {
        platform.errors.report(*error, errorreport::Severity::Recoverable);
        return;
    }
    const auto &map = std::get<MapDescription>(parsed);
    if (!safefile::isPlainName(map.mapPictureFile)) {
        platform.errors.report(LoadError{path, 1, {},
                                         QStringLiteral("«%1» no es un nombre de archivo de la carpeta Mapas: "
                                                        "la línea 1 debe dar solo el nombre del dibujo, sin "
                                                        "carpetas.").arg(map.mapPictureFile)},
                               errorreport::Severity::Recoverable);
        return;
    }
    const QString picturePath = datafiles::dataFile(platform.programFolder, QStringLiteral("Mapas"), map.mapPictureFile);
    auto picture = readMapPicture(picturePath);
    if (auto *error = std::get_if<LoadError>(&picture)) {
        error->what += QStringLiteral("\nLo nombra la línea 1 de «%1».").arg(QDir::toNativeSeparators(path));
        platform.errors.report(*error, errorreport::Severity::Recoverable);
        return;
    }
    if (const auto error = checkWindowFits(std::get<QImage>(picture).size(), picturePath, path)) {
        platform.errors.report(*error, errorreport::Severity::Recoverable);
        return;
    }
    if (const auto error = checkSeeds(map, std::get<QImage>(picture), path)) {
        platform.errors.report(*error, errorreport::Severity::Recoverable);
        return;
    }

    Option1[0]->hide();
    Option1[1]->hide();
    File1->hide();
    state.coordinatesPath = path;
    LoadCoordinatesFile(map);

    surface.load(std::get<QImage>(picture));
    Picture1->setSurface(&surface);
    // The first question follows the rule of every later one: only regions
    // still white are drawn.
    const auto first = quiz.firstQuestion(whiteRegions(surface, state), random);
    if (!first)
        state.targetRegion = 0;
    setLabel1Caption(state.questionPrompt + u' ' + state.regions[std::size_t(state.targetRegion)].regionName);
    Picture1->setEnabled(true);
    Picture1->show();
    surface.refresh();
    Picture1->refreshView();

    List1->clear();
    List2->clear();
    ui::setCaption(Command1[0], state.hitsLabel);
    ui::setCaption(Command1[1], state.errorsLabel);
    ArrangeQuizLayout();
    update();
    centreOnScreen();

    Timer2->start();
    state.score = 0;
    Command2->setEnabled(true);
    Frame1->hide();
    Option1[0]->hide();
    Option1[1]->hide();
    twips::setLeft(Animador1[0], outerWidth() + leftTwips());

    if (state.mode == PlayMode::Quiz) {
        List3->hide();
        Command2->show();
        Command1[0]->show();
        Command1[1]->show();
        Label2->show();
        Command3->hide();
        Command4->hide();
        Picture1->show();
    } else {
        {
            const QSignalBlocker quiet(List3); // filling the list selects nothing
            List3->clear();
            for (int i = 0; i < state.regionCount; ++i)
                List3->addItem(state.regions[std::size_t(i)].regionName);
            List3->setCurrentRow(-1);
        }
        setLabel1Caption(QString());
        List1->hide();
        List2->hide();
        Label2->hide();
        const StudyLayout study = arrangeStudyLayout(rectOf(Picture1), twips::width(List3));
        twips::setGeometry(List3, study.list3.left, study.list3.top, study.list3.width, study.list3.height);
        twips::setOuterWidth(this, twips::kTitledFrame, study.formWidth);
        twips::setGeometry(Command3, study.command3.left, study.command3.top, study.command3.width,
                           study.command3.height);
        List3->show();
        Command2->hide();
        Command1[0]->hide();
        Command1[1]->hide();
        Command3->show();
        ArrangeInfoCard();
        Picture1->show();
    }
}

std::optional<LoadError> Form1::checkWindowFits(QSize picture, const QString &picturePath,
                                                const QString &coordinatesPath) const
{
    // A window larger than the screen would open with its back button and
    // its prompt out of reach, so such a picture is refused.
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize room = mapWindowRoom(shown ? shown->availableGeometry().size() : mapwindow::kSmallestScreen);
    if (mapWindowFits(picture, room))
        return std::nullopt;
    const QSize largest = largestMapPicture(room);
    using numconv::spanishInteger;
    return LoadError{picturePath, 0, {},
                     QStringLiteral("El dibujo del mapa es demasiado grande para la pantalla: mide %1 × %2 "
                                    "píxeles, y en esta pantalla puede medir como mucho %3 × %4 píxeles para "
                                    "que la ventana del juego quepa entera.\nLo nombra la línea 1 de «%5».")
                         .arg(spanishInteger(picture.width()), spanishInteger(picture.height()),
                              spanishInteger(largest.width()), spanishInteger(largest.height()),
                              QDir::toNativeSeparators(coordinatesPath))};
}

void Form1::LoadCoordinatesFile(const MapDescription &map)
{
    // The file was read and checked by File1_Click before the window changed.
    storeMap(map, state);
}

void Form1::ArrangeQuizLayout()
{
    const QuizLayout layout = arrangeQuizLayout(rectOf(Picture1), rectOf(Picture2), twips::width(Animador2));
    twips::setLeft(Picture2, layout.picture2Left);
    twips::setLeft(Label1, layout.label1Left);
    twips::setTop(Picture2, layout.picture2Top);
    twips::setTop(Label1, layout.label1Top);
    twips::setLeft(Animador2, layout.animadorLeft);
    twips::setLeft(Animador3, layout.animadorLeft);
    twips::setOuterSize(this, twips::kTitledFrame, layout.formWidth, layout.formHeight);
}

void Form1::Command3_Click()
{
    Option1[0]->show();
    Option1[1]->show();
    Frame1->show();
    Picture1->hide();
    File1->show();
    state.resetTestCounters();
    List3->hide();
    Frame2->hide();
    Command3->hide();
    Command4->hide();
}

void Form1::List3_Click()
{
    Frame2->hide();
    HighlightSelectedRegion();
}

void Form1::HighlightSelectedRegion()
{
    const int i = list3Index();
    if (i < 0 || i >= state.regionCount)
        return;
    Picture1->setEnabled(true);
    surface.refresh();
    highlightRegion(surface, state, i);
    Picture1->refreshView();
    setLabel1Caption(List3->item(i)->text());
}
