// The start-up screen and the enlarged picture window: their designed sizes,
// centring on the offscreen screen (800 x 800 pixels, 12000 twips square), the title's colours and the
// button that opens the main window.
#include "windows/appinfo.h"
#include "windows/application.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "controls/animador.h"
#include "platform/colours.h"
#include "platform/numconv.h"
#include "platform/random.h"
#include "support/fixtures.h"
#include "support/mouse.h"
#include "support/recordingsoundplayer.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <QTimer>

namespace {

QRgb textColour(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF;
}

QPixmap solidPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0x00FF00);
    image.setPixel(0, 0, 0x0000FF);
    return QPixmap::fromImage(image);
}

QWidgetList visibleWindows()
{
    QWidgetList shown;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            shown << w;
    }
    return shown;
}

} // namespace

class TestForm34 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(800, 800));
    }

    // The window system appends the application's display name to every
    // caption once one is set ("... — Mapurix 2.0"); the designed captions
    // must reach it whole, so the program sets none.
    void captionsReachTheWindowSystemAsDesigned()
    {
        setUpApplication();
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        fixtures::ProgramFolder folder;
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form3 form(sound, random, folder.platform());
        QCOMPARE(form.windowTitle(), QStringLiteral("Mapurix 2.0 - mapurix@mapurix.org"));
        Form1 main(sound, random, folder.platform());
        QCOMPARE(main.windowTitle(), QStringLiteral("Mapurix 2.0 - mapurix@mapurix.org"));
    }

    void form3AsDesigned()
    {
        fixtures::ProgramFolder folder;
        // The animations are found ignoring letter case.
        QFile::copy(QStringLiteral(MAPURIX_TEST_DATA "/gifs/one.gif"), folder.path(QStringLiteral("gifs/IDEA.gif")));
        QFile::copy(QStringLiteral(MAPURIX_TEST_DATA "/gifs/loop3.gif"), folder.path(QStringLiteral("gifs/La_Tierra.GIF")));
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form3 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());

        QCOMPARE(form.windowTitle(), QStringLiteral("Mapurix 2.0 - ") + appinfo::kContactAddress);
        QCOMPARE(form.size(), QSize(548, 367)); // client 8220 x 5505 twips
        // Outer 8310 x 5820 twips centred on 12000 x 12000.
        QCOMPARE(form.pos(), QPoint(123, 206));

        QCOMPARE(form.Label1->text(), QStringLiteral("Mapurix"));
        QCOMPARE(textColour(form.Label1), QRgb(0xFF0000));
        QCOMPARE(form.Label1->font().pointSizeF(), 48.0);
        QVERIFY(form.Label1->font().bold());
        QCOMPARE(form.Command1->text(), QStringLiteral("Entrar"));
        QCOMPARE(form.Command1->font().pointSizeF(), 24.0);
        QVERIFY(form.Timer1->isActive());
        QCOMPARE(form.Timer1->interval(), 300);

        QCOMPARE(form.Animador1->gifFile(), folder.path(QStringLiteral("gifs/IDEA.gif")));
        QCOMPARE(form.Animador2->gifFile(), folder.path(QStringLiteral("gifs/La_Tierra.GIF")));
        QCOMPARE(form.Animador1->size(), QSize(7, 5));

        QCOMPARE(form.Label3->text(), QStringLiteral("Autor"));
        QCOMPARE(form.Label2[2]->text(), appinfo::kContactAddress);
        QCOMPARE(form.Label2[3]->text(), QStringLiteral("Colaboración"));
        QCOMPARE(form.Label2[1]->text(), QStringLiteral("Noviembre 2002"));
        QCOMPARE(textColour(form.Label2[2]), QRgb(0x0000FF));
        // The credits never run under the button.
        for (QLabel *label : form.Label2) {
            const QRect text(label->pos(), label->sizeHint());
            QVERIFY2(!text.intersects(form.Command1->geometry()), qPrintable(label->text()));
        }
        QVERIFY(folder.errors.empty());
    }

    void form3WithoutLanguageFileDoesNotLoad()
    {
        fixtures::ProgramFolder folder;
        QFile::remove(folder.path(QStringLiteral("idioma")));
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form3 form(sound, random, folder.platform());
        QVERIFY(!form.Form_Load());
        QCOMPARE(folder.errors.size(), std::size_t(1));
        QCOMPARE(folder.errors[0].severity, errorreport::Severity::Fatal);
        QVERIFY(folder.exitCodes.empty()); // the program's start decides, not the window
    }

    void aBrokenInstallationEndsTheProgramThroughItsStart()
    {
        fixtures::ProgramFolder folder;
        QDir(folder.path()).rmdir(QStringLiteral("Coordenadas"));
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form3 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());
        form.show();
        mouse::clickButton(form.Command1);
        QVERIFY(!form.mainWindow());
        QCOMPARE(folder.errors.size(), std::size_t(1));
        QCOMPARE(folder.exitCodes, std::vector<int>{EXIT_FAILURE});
    }

    void titleColoursRepeatAtEveryStart()
    {
        fixtures::ProgramFolder folder;
        RecordingSoundPlayer sound;
        // Two starts: two generators that nobody has seeded.
        RandomGenerator firstStart;
        RandomGenerator secondStart;
        RandomGenerator reference;
        Form3 first(sound, firstStart, folder.platform());
        Form3 second(sound, secondStart, folder.platform());
        QSet<QRgb> seen;
        for (int i = 0; i < 200; ++i) {
            first.Timer1_Timer();
            second.Timer1_Timer();
            const QRgb colour = textColour(first.Label1);
            QCOMPARE(textColour(second.Label1), colour);
            const auto n = numconv::roundHalfEven(double(reference.next()) * 15);
            QCOMPARE(colour, colours::kStandard[std::size_t(n)]);
            seen.insert(colour);
        }
        // All sixteen standard colours turn up, black and white included.
        QCOMPARE(seen.size(), 16);
    }

    void titleColourFollowsTheTimer()
    {
        fixtures::ProgramFolder folder;
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form3 form(sound, random, folder.platform());
        QSignalSpy ticks(form.Timer1, &QTimer::timeout);
        QVERIFY(ticks.wait(2000));
        RandomGenerator reference;
        const auto n = numconv::roundHalfEven(double(reference.next()) * 15);
        QCOMPARE(textColour(form.Label1), colours::kStandard[std::size_t(n)]);
    }

    void command1OpensTheMainWindow_data()
    {
        QTest::addColumn<QByteArray>("firstLine");
        QTest::newRow("caption") << QByteArray("Entrar");
        QTest::newRow("empty first line") << QByteArray();
    }
    void command1OpensTheMainWindow()
    {
        QFETCH(QByteArray, firstLine);
        fixtures::ProgramFolder folder;
        folder.writeFile(QStringLiteral("idioma"), firstLine + "\r\nErrores\r\nAciertos\r\nSin imagen\r\nFicha\r\n"
                                                       "Estudiar\r\nJugar\r\nVolver\r\nSin texto\r\n");
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form3 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());
        QCOMPARE(form.Command1->text(), QString::fromLatin1(firstLine));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QTest::mouseClick(form.Command1, Qt::LeftButton);
        Form1 *main = form.mainWindow();
        QVERIFY(main);
        QVERIFY(main->isVisible());
        QCOMPARE(main->Option1[0]->text(), QStringLiteral("Estudiar"));
        QVERIFY(!form.isVisible());
        QVERIFY(!form.Timer1->isActive());
        // The main window is what keeps the program running now.
        QCOMPARE(visibleWindows(), QWidgetList{main});
        main->close();
    }

    void closingTheStartScreenEndsTheProgram()
    {
        fixtures::ProgramFolder folder;
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form3 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(QApplication::quitOnLastWindowClosed());
        form.close();
        // No window is left, so the program ends; the main window never loaded.
        QVERIFY(visibleWindows().isEmpty());
        QVERIFY(!form.mainWindow());
    }

    void form4SizesItselfAroundThePicture_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<double>("outerWidth");
        QTest::addColumn<double>("outerHeight");
        QTest::addColumn<QPoint>("position");
        // The box is the picture plus its one-pixel border: 302 x 202 pixels,
        // 4530 x 3030 twips. The window adds 325 and 700 twips, which the
        // pixel grid takes to the nearest pixel: 4860 x 3735.
        QTest::newRow("300 x 200") << QSize(300, 200) << 4860.0 << 3735.0 << QPoint(238, 275);
        // Larger than the screen: the top-left part lies off screen, Int
        // rounding the odd half down (-1867.5 to -1868 twips).
        QTest::newRow("larger than the screen") << QSize(1000, 1000) << 15360.0 << 15735.0 << QPoint(-112, -125);
    }
    void form4SizesItselfAroundThePicture()
    {
        QFETCH(QSize, picture);
        Form4 form(solidPicture(picture.width(), picture.height()));
        QCOMPARE(form.windowTitle(), QStringLiteral("Mapurix 2.0 - mapurix@mapurix.org"));
        QCOMPARE(form.Picture1->pos(), QPoint(8, 8)); // 120, 120 twips
        QCOMPARE(form.Picture1->size(), picture + QSize(2, 2));
        QFETCH(double, outerWidth);
        QFETCH(double, outerHeight);
        QFETCH(QPoint, position);
        QCOMPARE(form.outerWidth(), outerWidth);
        QCOMPARE(form.outerHeight(), outerHeight);
        QCOMPARE(form.pos(), position);
    }

    void form4ShowsThePictureUnscaledOnRed()
    {
        Form4 form(solidPicture(30, 20));
        const QImage shot = form.grab().toImage();
        // The margin is red; the picture sits inside the box's border at 1:1.
        QCOMPARE(shot.pixel(2, 2) & 0xFFFFFF, QRgb(0xFF0000));
        QCOMPARE(shot.pixel(shot.width() - 3, shot.height() - 3) & 0xFFFFFF, QRgb(0xFF0000));
        const QPoint box = form.Picture1->pos();
        QCOMPARE(shot.pixel(box + QPoint(1, 1)) & 0xFFFFFF, QRgb(0x0000FF));
        QCOMPARE(shot.pixel(box + QPoint(30, 20)) & 0xFFFFFF, QRgb(0x00FF00));
        QVERIFY((shot.pixel(box + QPoint(31, 21)) & 0xFFFFFF) != 0x00FF00);
    }
};

QTEST_MAIN(TestForm34)
#include "tst_form34.moc"
