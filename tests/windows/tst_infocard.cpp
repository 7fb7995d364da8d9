// The information card on the main window: its layout at a study-mode map
// load, opening and closing it, the files it finds (or does not), and the
// enlarged picture it opens.
#include "windows/form1.h"
#include "windows/form4.h"
#include "controls/animador.h"
#include "controls/clickableimage.h"
#include "controls/filelistbox.h"
#include "controls/mapview.h"
#include "platform/random.h"
#include "support/fixtures.h"
#include "support/mouse.h"
#include "support/recordingsoundplayer.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

namespace {

QString fixtureGif(const QString &name)
{
    return QStringLiteral(MAPURIX_TEST_DATA "/infocard/") + name;
}

// 600 x 450 pixels (9000 x 6750 twips), five square regions.
QImage drawFiveRegionMap()
{
    QImage image(600, 450, QImage::Format_RGB32);
    image.fill(fixtures::kSea);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(fixtures::kLine));
    p.setBrush(Qt::white);
    for (int i = 0; i < 5; ++i)
        p.drawRect(20 + 110 * i, 20, 100, 100);
    return image;
}

// Region names in the coordinates file's Windows-1252: Perú, Chad, Vacía,
// Rota, Enorme.
const char kCoordinates[] = "cinco.png\r\nSe\xf1" "ala\r\n"
                            "Per\xfa,70,70,0,0,0,0,\r\n"
                            "Chad,180,70,0,0,0,0,\r\n"
                            "Vac\xed" "a,290,70,0,0,0,0,\r\n"
                            "Rota,400,70,0,0,0,0,\r\n"
                            "Enorme,510,70,0,0,0,0,\r\n";

enum Region { Peru, Chad, Vacia, Rota, Enorme };

struct CardFixture {
    CardFixture() : form(sound, random, folder.platform())
    {
        folder.addMap(QStringLiteral("Cinco"), kCoordinates, QStringLiteral("cinco.png"), drawFiveRegionMap());
        QDir root(folder.path());
        // Folders and files spelled in other letter cases than the names.
        root.mkpath(QStringLiteral("Textos"));
        root.mkpath(QStringLiteral("IMAGENES"));
        root.mkpath(QStringLiteral("banderaS"));
        folder.writeFile(QStringLiteral("Textos/pERú.TXT"), "Capital: Lima\r\nA\xf1o\r\n");
        QFile::copy(fixtureGif(QStringLiteral("picture.gif")), folder.path(QStringLiteral("IMAGENES/PERÚ.GIF")));
        QFile::copy(fixtureGif(QStringLiteral("flag.gif")), folder.path(QStringLiteral("banderaS/perú.Gif")));

        folder.writeFile(QStringLiteral("Textos/Vacía.txt"), "");
        QFile::copy(fixtureGif(QStringLiteral("wide.gif")), folder.path(QStringLiteral("IMAGENES/vacía.gif")));
        QFile::copy(fixtureGif(QStringLiteral("bigflag.gif")), folder.path(QStringLiteral("banderaS/VACÍA.gif")));

        // Rota: a text that is a dangling link, a picture and a flag that are
        // not pictures.
        QFile::link(folder.path(QStringLiteral("Textos/nada.txt")), folder.path(QStringLiteral("Textos/Rota.txt")));
        QFile::copy(fixtureGif(QStringLiteral("garbage.gif")), folder.path(QStringLiteral("IMAGENES/Rota.gif")));
        QFile::copy(fixtureGif(QStringLiteral("garbage.gif")), folder.path(QStringLiteral("banderaS/Rota.gif")));

        QFile::copy(fixtureGif(QStringLiteral("huge.gif")), folder.path(QStringLiteral("IMAGENES/Enorme.gif")));

        if (!form.Form_Load())
            return;
        form.show();
        mouse::clickRow(form.File1, 0);
    }

    void open(Region region)
    {
        mouse::clickRow(form.List3, int(region));
        QTest::mouseClick(form.Command4, Qt::LeftButton);
    }

    fixtures::ProgramFolder folder;
    RecordingSoundPlayer sound;
    RandomGenerator random;
    Form1 form;
};

QRect twipsRect(const QWidget *w)
{
    return QRect(int(twips::left(w)), int(twips::top(w)), int(twips::width(w)), int(twips::height(w)));
}

} // namespace

class TestInfoCard : public QObject {
    Q_OBJECT
private slots:

    void studyLoadLaysTheCardOut()
    {
        CardFixture f;
        Form1 &form = f.form;
        QVERIFY(form.List3->isVisible());
        // The map the card is laid over: 600 x 450 pixels at its design place.
        QCOMPARE(twipsRect(form.Picture1), QRect(120, 360, 9000, 6750));

        // Each size is read back on the pixel grid before the next step uses
        // it: 8600 x 6350 becomes 8595 x 6345, and so on.
        QCOMPARE(twipsRect(form.Frame2), QRect(315, 555, 8595, 6345));
        QCOMPARE(twipsRect(form.Text2), QRect(45, 300, 4200, 5940));
        QCOMPARE(twips::left(form.Label3), 4545.0);
        QCOMPARE(twips::top(form.Label3), 1680.0);
        QCOMPARE(form.Label3->text(), QStringLiteral("Sin imagen"));
        QCOMPARE(form.Command4->text(), QStringLiteral("Ficha"));
        QVERIFY(form.Command4->isVisible());
        QVERIFY(!form.Frame2->isVisible());
        QVERIFY(f.folder.errors.empty());
    }

    // A hidden file does not exist for the card, even with the region's name.
    void hiddenFilesCountAsAbsent()
    {
        CardFixture f;
        Form1 &form = f.form;
        form.state.regions[Chad].regionName = QStringLiteral(".Chad");
        f.folder.writeFile(QStringLiteral("Textos/.Chad.txt"), "Yamena");
        QFile::copy(fixtureGif(QStringLiteral("picture.gif")), f.folder.path(QStringLiteral("IMAGENES/.chad.gif")));
        QFile::copy(fixtureGif(QStringLiteral("flag.gif")), f.folder.path(QStringLiteral("banderaS/.Chad.gif")));
        f.open(Chad);
        QVERIFY(form.Frame2->isVisible());
        QCOMPARE(form.Text2->toPlainText(), QStringLiteral("Sin texto"));
        QVERIFY(form.Label3->isVisible());
        QVERIFY(!form.Image1->isVisible());
        QVERIFY(!form.Animador4->isVisible());
    }

    void command4DoesNothingWithoutASelectedRegion()
    {
        CardFixture f;
        QCOMPARE(f.form.List3->currentRow(), -1);
        QTest::mouseClick(f.form.Command4, Qt::LeftButton);
        QVERIFY(!f.form.Frame2->isVisible());
        QVERIFY(f.form.Picture1->isEnabled());
    }

    void filesDifferingOnlyInLetterCaseAreFound()
    {
        CardFixture f;
        Form1 &form = f.form;
        f.open(Peru);
        QVERIFY(form.Frame2->isVisible());
        QCOMPARE(form.Frame2->title(), QStringLiteral("Perú"));
        QVERIFY(!form.Picture1->isEnabled());

        // The text as the file holds it, decoded from Windows-1252.
        QCOMPARE(form.Text2->toPlainText(), QStringLiteral("Capital: Lima\nAño\n"));

        // 60 x 40 pixels: 2925 high (2922 on the pixel grid), 4380 wide,
        // centred on the three-quarter line, level with the text.
        QVERIFY(form.Image1->isVisible());
        QVERIFY(!form.Label3->isVisible());
        QCOMPARE(twipsRect(form.Image1), QRect(4260, 300, 4380, 2925));
        // The first frame, unscaled, is what the enlarged window will show.
        const QImage first = form.Image1->picture().toImage();
        QCOMPARE(first.size(), QSize(60, 40));
        QCOMPARE(first.pixel(5, 5) & 0xFFFFFF, QRgb(0x0000FF));
        QCOMPARE(first.pixel(0, 0) & 0xFFFFFF, QRgb(0xFF0000));

        // The 30 x 20 flag centred in the lower-right quarter.
        QVERIFY(form.Animador4->isVisible());
        QCOMPARE(twipsRect(form.Animador4), QRect(6225, 4605, 450, 300));
        QVERIFY(f.folder.errors.empty());
    }

    void regionWithNoneOfItsFiles()
    {
        CardFixture f;
        Form1 &form = f.form;
        f.open(Chad);
        QVERIFY(form.Frame2->isVisible());
        QCOMPARE(form.Frame2->title(), QStringLiteral("Chad"));
        QCOMPARE(form.Text2->toPlainText(), QStringLiteral("Sin texto"));
        QVERIFY(form.Text2->isVisible());
        QVERIFY(form.Label3->isVisible());
        QVERIFY(!form.Image1->isVisible());
        QVERIFY(!form.Animador4->isVisible());
        QVERIFY(f.folder.errors.empty());
    }

    void unreadableFilesCountAsMissing()
    {
        CardFixture f;
        Form1 &form = f.form;
        f.open(Rota);
        QVERIFY(form.Frame2->isVisible());
        QCOMPARE(form.Text2->toPlainText(), QStringLiteral("Sin texto"));
        QVERIFY(form.Label3->isVisible());
        QVERIFY(!form.Image1->isVisible());
        QVERIFY(!form.Animador4->isVisible());
        QVERIFY(f.folder.errors.empty());
    }

    void emptyTextWidePictureAndLargeFlag()
    {
        CardFixture f;
        Form1 &form = f.form;
        f.open(Vacia);
        // An empty file shows an empty box, not the missing-text notice.
        QCOMPARE(form.Text2->toPlainText(), QString());

        // 900 x 150 pixels fitted 2925 high is 17550 wide: centred on the
        // three-quarter line it starts far left of the card.
        QCOMPARE(twipsRect(form.Image1), QRect(-2325, 300, 17550, 2925));
        // Where they overlap the text stays on top.
        const QPoint inText = form.Text2->geometry().topLeft() + QPoint(40, 40);
        QVERIFY(form.Image1->geometry().contains(inText));
        QWidget *top = form.Frame2->childAt(inText);
        QVERIFY(top == form.Text2 || form.Text2->isAncestorOf(top));

        // 400 x 300 pixels: larger than a quarter, still centred on it.
        QCOMPARE(twipsRect(form.Animador4), QRect(3450, 2505, 6000, 4500));
    }

    void pictureWiderThan32767Twips()
    {
        CardFixture f;
        f.open(Enorme);
        QVERIFY(f.form.Image1->isVisible());
        // 2400 x 100 pixels: 36000 x 1500 twips fitted 2925 high.
        QCOMPARE(twips::width(f.form.Image1), 70200.0);
        QCOMPARE(twips::left(f.form.Image1), -28650.0);
    }

    void command4ClosesTheCardAndRepaintsTheRegion()
    {
        CardFixture f;
        Form1 &form = f.form;
        f.open(Peru);
        QVERIFY(form.Frame2->isVisible());
        QTest::mouseClick(form.Command4, Qt::LeftButton);
        QVERIFY(!form.Frame2->isVisible());
        QVERIFY(form.Picture1->isEnabled());
        QCOMPARE(form.Label1->text(), QStringLiteral("Perú"));
        QCOMPARE(form.Command4->text(), QStringLiteral("Ficha"));
    }

    void reopeningForAnotherRegion()
    {
        CardFixture f;
        Form1 &form = f.form;
        f.open(Peru);
        QVERIFY(form.Image1->isVisible());
        // Choosing another region in the list closes the card...
        QVERIFY(mouse::clickRow(form.List3, int(Chad)));
        QVERIFY(!form.Frame2->isVisible());
        // ...and the button opens it for that region, with nothing left over.
        QTest::mouseClick(form.Command4, Qt::LeftButton);
        QVERIFY(form.Frame2->isVisible());
        QCOMPARE(form.Frame2->title(), QStringLiteral("Chad"));
        QCOMPARE(form.Text2->toPlainText(), QStringLiteral("Sin texto"));
        QVERIFY(!form.Image1->isVisible());
        QVERIFY(!form.Animador4->isVisible());
        QVERIFY(form.Label3->isVisible());

        QVERIFY(mouse::clickRow(form.List3, int(Peru)));
        QTest::mouseClick(form.Command4, Qt::LeftButton);
        QVERIFY(form.Image1->isVisible());
        QVERIFY(form.Animador4->isVisible());
        QVERIFY(!form.Label3->isVisible());
    }

    void typingIntoTheTextWritesNothingBack()
    {
        CardFixture f;
        Form1 &form = f.form;
        const QString path = f.folder.path(QStringLiteral("Textos/pERú.TXT"));
        f.open(Peru);
        QVERIFY(!form.Text2->isReadOnly());
        form.Text2->setFocus();
        QTest::keyClicks(form.Text2, QStringLiteral("xyz"));
        QVERIFY(form.Text2->toPlainText().contains(QStringLiteral("xyz")));
        QTest::mouseClick(form.Command4, Qt::LeftButton); // close
        QTest::mouseClick(form.Command4, Qt::LeftButton); // open: read again
        QCOMPARE(form.Text2->toPlainText(), QStringLiteral("Capital: Lima\nAño\n"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Capital: Lima\r\nA\xf1o\r\n"));
    }

    void mendedFilesAreReadAtTheNextOpening()
    {
        CardFixture f;
        Form1 &form = f.form;
        f.open(Chad);
        QVERIFY(form.Label3->isVisible());
        QTest::mouseClick(form.Command4, Qt::LeftButton);
        f.folder.writeFile(QStringLiteral("Textos/CHAD.txt"), "Yamena");
        QFile::copy(fixtureGif(QStringLiteral("picture.gif")), f.folder.path(QStringLiteral("IMAGENES/chad.gif")));
        QTest::mouseClick(form.Command4, Qt::LeftButton);
        QCOMPARE(form.Text2->toPlainText(), QStringLiteral("Yamena"));
        QVERIFY(form.Image1->isVisible());
    }

    void clickingThePictureOpensItEnlarged()
    {
        CardFixture f;
        Form1 &form = f.form;
        struct Shown {
            bool modal = false;
            QString caption;
            QSize picture;
            QPoint position;
        };
        // Opens the enlarged window from the card's picture and notes what it
        // showed before closing it.
        const auto openEnlarged = [&form] {
            Shown shown;
            QTimer::singleShot(0, &form, [&shown] {
                auto *dialog = qobject_cast<Form4 *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                const auto closeIt = qScopeGuard([dialog] { dialog->close(); });
                shown = {dialog->isModal(), dialog->windowTitle(), dialog->Picture1->pixmap().size(), dialog->pos()};
            });
            QTest::mouseClick(form.Image1, Qt::LeftButton, {}, QPoint(3, 3));
            return shown;
        };

        f.open(Peru);
        const Shown first = openEnlarged();
        QVERIFY(first.modal);
        QCOMPARE(first.caption, form.windowTitle());
        QCOMPARE(first.picture, QSize(60, 40));
        // The activation handler ran on return and left the card as it was.
        QVERIFY(form.Frame2->isVisible());
        QVERIFY(form.Image1->isVisible());
        QVERIFY(!form.File1->isVisible());

        // A fresh window each time: the same picture at the same place.
        const Shown again = openEnlarged();
        QCOMPARE(again.picture, first.picture);
        QCOMPARE(again.position, first.position);

        // Another region's card enlarges that region's picture.
        QVERIFY(mouse::clickRow(form.List3, int(Vacia)));
        QTest::mouseClick(form.Command4, Qt::LeftButton);
        QCOMPARE(openEnlarged().picture, QSize(900, 150));
    }
};

QTEST_MAIN(TestInfoCard)
#include "tst_infocard.moc"
