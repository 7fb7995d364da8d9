// The main window's information card: its layout at every study-mode map
// load, opening and closing it with Command4, and the enlarged picture.
#include "windows/form1.h"

#include "windows/form4.h"
#include "infocard/cardlayout.h"
#include "infocard/cardtext.h"
#include "controls/animador.h"
#include "controls/clickableimage.h"
#include "platform/datafiles.h"
#include "platform/safefile.h"
#include "controls/mapview.h"
#include "controls/ui.h"
#include "platform/textfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The region's file in a data folder, found ignoring letter case in both the
// folder and the file name; empty when there is no such plain file. A name
// that would reach into another folder is never a file of this one.
QString regionFile(const QString &programFolder, const QString &folderName, const QString &regionName,
                   const QString &extension)
{
    if (regionName.isEmpty() || regionName.contains(u'/') || regionName.contains(u'\\'))
        return {};
    const QString folder = datafiles::findFolder(programFolder, folderName);
    if (folder.isEmpty())
        return {};
    const QString path = datafiles::findFile(folder, regionName + extension);
    // Only ordinary files count: a hidden file does not exist for the card.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.isHidden())
        return {};
    return path;
}

// First frame of a GIF; null when the file is not a picture that can be read,
// which the card treats as no picture at all.
QImage firstFrame(const QString &path)
{
    auto bytes = safefile::read(path, safefile::kPictureLimit);
    auto *whole = std::get_if<QByteArray>(&bytes);
    if (!whole)
        return {};
    QBuffer buffer(whole);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.read();
}

} // namespace

void Form1::ArrangeInfoCard()
{
    const cardlayout::Rect picture{twips::left(Picture1), twips::top(Picture1),
                                   twips::width(Picture1), twips::height(Picture1)};
    const cardlayout::Rect card = cardlayout::cardRect(picture);
    twips::setTop(Frame2, card.top);
    twips::setLeft(Frame2, card.left);
    twips::setWidth(Frame2, card.width);
    twips::setHeight(Frame2, card.height);

    // Each step reads back what the previous one set: sizes snap to pixels.
    const cardlayout::Rect text = cardlayout::textRect(twips::width(Frame2), twips::height(Frame2));
    twips::setTop(Text2, text.top);
    twips::setLeft(Text2, text.left);
    twips::setWidth(Text2, text.width);
    twips::setHeight(Text2, text.height);

    const cardlayout::Point notice = cardlayout::noticePosition(
        {twips::left(Text2), twips::top(Text2), twips::width(Text2), twips::height(Text2)});
    twips::setTop(Label3, notice.top);
    twips::setLeft(Label3, notice.left);
    Label3->setText(state.uiTexts[0]);

    ui::setCaption(Command4, state.uiTexts[1]);
    Command4->show();
}

void Form1::Command4_Click()
{
    const int i = list3Index();
    if (i < 0 || i >= kMaxRegions)
        return;
    const QString name = state.regions[std::size_t(i)].regionName;

    Picture1->setEnabled(false);
    ui::setTitle(Frame2, name);
    if (Frame2->isVisible()) {
        Picture1->setEnabled(true);
        Frame2->hide();
        HighlightSelectedRegion();
        return;
    }

    // Every opening reads the three files again: they may have been mended
    // while the game runs. A file that is there but cannot be read counts as
    // missing, so one bad file costs its part of the card, not the game.
    Text2->show();
    const QString textPath = regionFile(platform.programFolder, QStringLiteral("textos"), name, QStringLiteral(".txt"));
    const auto bytes = textPath.isEmpty() ? std::nullopt : cardtext::readFile(textPath);
    Text2->setPlainText(bytes ? cardtext::bounded(textfile::decode(*bytes)) : state.uiTexts[5]);

    Image1->hide();
    Label3->hide();
    const QImage picture = firstFrame(regionFile(platform.programFolder, QStringLiteral("imagenes"), name, QStringLiteral(".gif")));
    if (!picture.isNull()) {
        const double W = twips::width(Frame2);
        const double H = twips::height(Frame2);
        Image1->setStretch(false);
        Image1->setPicture(QPixmap::fromImage(picture));
        const double naturalWidth = twips::width(Image1);
        const double naturalHeight = twips::height(Image1);
        Image1->setStretch(true);
        twips::setHeight(Image1, cardlayout::pictureHeight(H));
        twips::setWidth(Image1, cardlayout::pictureWidth(naturalWidth, naturalHeight, twips::height(Image1)));
        const cardlayout::Point at = cardlayout::picturePosition(W, twips::width(Image1), twips::top(Text2));
        twips::setLeft(Image1, at.left);
        twips::setTop(Image1, at.top);
        Image1->show();
    } else {
        Label3->show();
    }

    Animador4->hide();
    const QString flag = regionFile(platform.programFolder, QStringLiteral("banderas"), name, QStringLiteral(".gif"));
    if (!firstFrame(flag).isNull()) {
        Animador4->setGifFile(flag);
        const cardlayout::Point at = cardlayout::flagPosition(
            twips::width(Frame2), twips::height(Frame2), twips::width(Animador4), twips::height(Animador4));
        twips::setTop(Animador4, at.top);
        twips::setLeft(Animador4, at.left);
        Animador4->show();
    }

    Frame2->raise(); // over the map, whatever was raised since
    Frame2->show();
}

void Form1::Image1_Click()
{
    if (!Image1->hasPicture())
        return;
    Form4 form4(Image1->picture(), this);
    showModal(form4);
}
