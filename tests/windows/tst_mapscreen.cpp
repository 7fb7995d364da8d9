// Choosing a map: the screens of both modes, the region list, painting and
// naming regions, the palette, and broken maps that must cost nothing.
#include "mapdata/maplayout.h"
#include "support/formdriver.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>

class TestMapScreen : public QObject {
    Q_OBJECT
private slots:
    void studyModeShowsMapAndRegionList()
    {
        FormDriver d;
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        Form1 &f = *d.form;
        QVERIFY(f.Picture1->isVisible() && f.List3->isVisible() && f.Command3->isVisible());
        QVERIFY(f.Command4->isVisible());
        QVERIFY(!f.File1->isVisible() && !f.Frame1->isVisible() && !f.Option1[0]->isVisible());
        QVERIFY(!f.Command1[0]->isVisible() && !f.Command2->isVisible() && !f.Label2->isVisible());
        QCOMPARE(d.items(f.List3), (QStringList{"Alfa", "Beta", "Gamma"}));
        QCOMPARE(f.List3->currentRow(), -1);
        QVERIFY(f.Label1->text().isEmpty());
        QCOMPARE(f.Picture1->size(), QSize(200, 150));
        // The list stands as high as the map plus 75. This map is narrower than
        // the card button (120 + 3375), so the list and the back button above
        // it stand 50 twips right of that button instead of 50 right of the map.
        QCOMPARE(f.List3->x(), units::toPixels(120 + 3375 + 50));
        QCOMPARE(f.List3->y(), f.Picture1->y());
        QCOMPARE(f.List3->height(), units::toPixels(2250 + 75));
        QCOMPARE(f.Command3->y() + f.Command3->height(), f.List3->y());
        QCOMPARE(f.width(), units::toPixels(120 + 3375 + 50 + 1935 + 150 - 90));
        // The atlas forge sizes every map's window with the same function.
        QCOMPARE(f.size(), mapWindowSize(f.Picture1->size()).study);
        QVERIFY(d.folder.errors.empty());
    }

    // The catalogue hides at the map load and hands the keyboard focus on to
    // the region list; the list then has a current row but nobody chose a
    // region, so nothing may be painted or named.
    void regionListTakingTheFocusChoosesNothing()
    {
        FormDriver d;
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        Form1 &f = *d.form;
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(f.List3, &focusIn);
        QVERIFY(f.List3->selectedItems().isEmpty());
        QVERIFY2(f.Label1->text().isEmpty(), qPrintable(f.Label1->text()));
        QVERIFY(f.Picture1->isEnabled());
        // A real choice still names the region.
        QVERIFY(d.chooseRegion(1));
        QCOMPARE(f.Label1->text(), QStringLiteral("Beta"));
    }

    void quizModeAsksAFirstRegion()
    {
        FormDriver d;
        QVERIFY(d.openQuiz());
        Form1 &f = *d.form;
        QVERIFY(f.Picture1->isVisible() && f.Command1[0]->isVisible() && f.Command1[1]->isVisible());
        QVERIFY(f.Command2->isVisible() && f.Command2->isEnabled() && f.Label2->isVisible());
        QVERIFY(!f.List3->isVisible() && !f.Command3->isVisible() && !f.Command4->isVisible());
        QCOMPARE(f.Command1[0]->text(), QStringLiteral("Aciertos"));
        QCOMPARE(f.Command1[1]->text(), QStringLiteral("Errores"));
        const int t = f.state.targetRegion;
        QVERIFY(t >= 0 && t < 3);
        QCOMPARE(f.Label1->text(), QString::fromUtf8("Señala ") + f.state.regions[std::size_t(t)].regionName);
        // The palette box (the 209 x 34 picture in its border, 3195 x 570)
        // sits 100 twips under the map, the prompt 50 right of it, and the
        // window ends 600 twips under the box.
        QCOMPARE(f.Picture2->size(), QSize(units::toPixels(3195), units::toPixels(570)));
        QCOMPARE(f.Picture2->y(), units::toPixels(360 + 2250 + 100));
        QCOMPARE(f.Label1->x(), units::toPixels(120 + 3195 + 50));
        QCOMPARE(f.Label1->y(), units::toPixels(360 + 2250 + 100 + 100));
        QCOMPARE(f.outerHeight(), 3885.0); // 360 + 2250 + 100 + 570 + 600 = 3880, on the pixel grid
        QCOMPARE(f.Animador2->x(), units::toPixels(120 + 3000 + 25));
        QCOMPARE(f.size(), mapWindowSize(f.Picture1->size()).quiz);
        // Animador1(0) waits beyond the window's right edge.
        QVERIFY(f.Animador1[0]->x() >= f.width());
    }

    void layoutArithmetic()
    {
        const TwipsRect map{120, 360, 13500, 10500}; // a 900 x 700 map
        const QuizLayout quiz = arrangeQuizLayout(map, TwipsRect{0, 0, 3195, 570}, 1695);
        QCOMPARE(quiz.picture2Top, 10960.0);
        QCOMPARE(quiz.label1Top, 11060.0);
        QCOMPARE(quiz.label1Left, 3365.0);
        QCOMPARE(quiz.animadorLeft, 13645.0);
        QCOMPARE(quiz.formHeight, 12130.0);
        QCOMPARE(quiz.formWidth, 15490.0);
        const StudyLayout study = arrangeStudyLayout(map, 1935);
        QCOMPARE(study.list3.left, 13670.0);
        QCOMPARE(study.list3.height, 10575.0);
        QCOMPARE(study.formWidth, 15755.0);
        QCOMPARE(study.command3.top, 0.0);
        QCOMPARE(study.command3.height, 360.0);
    }

    // The back button shares the top row with the card button: beside a map
    // of any width it starts right of the card button's right edge (3495).
    void backButtonClearsTheCardButton_data()
    {
        QTest::addColumn<double>("mapWidth");
        QTest::addColumn<double>("list3Left");
        QTest::newRow("1 pixel") << 15.0 << 3545.0;
        QTest::newRow("100 pixels") << 1500.0 << 3545.0;
        QTest::newRow("221 pixels, under the button") << 3315.0 << 3545.0;
        QTest::newRow("224 pixels, less than 50 twips clear") << 3360.0 << 3545.0;
        QTest::newRow("230 pixels, as designed") << 3450.0 << 3620.0;
        QTest::newRow("900 pixels, as designed") << 13500.0 << 13670.0;
    }
    void backButtonClearsTheCardButton()
    {
        QFETCH(double, mapWidth);
        QFETCH(double, list3Left);
        const StudyLayout study = arrangeStudyLayout(TwipsRect{120, 360, mapWidth, 1500}, 1935);
        QCOMPARE(study.list3.left, list3Left);
        QCOMPARE(study.command3.left, list3Left);
        QVERIFY(study.command3.left >= mapwindow::kCommand4Left + mapwindow::kCommand4Width);
        QCOMPARE(study.formWidth, list3Left + 1935 + 150);
    }

    // The main window must fit the screen with the title bar; the room is the
    // screen's, never less than the 1366 x 720 the atlas is drawn for.
    void windowFitsTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("largest");
        // Study mode is 144 pixels wider than the picture, quiz mode 88 higher,
        // and the title bar takes 30.
        QTest::newRow("small laptop") << QSize(1366, 720) << QSize(1222, 602);
        QTest::newRow("smaller screen: the atlas's room") << QSize(800, 600) << QSize(1222, 602);
        QTest::newRow("full HD less a panel") << QSize(1920, 1040) << QSize(1776, 922);
    }
    void windowFitsTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, largest);
        const QSize room = mapWindowRoom(screen);
        QCOMPARE(largestMapPicture(room), largest);
        QVERIFY(mapWindowFits(largest, room));
        QVERIFY(!mapWindowFits(largest + QSize(1, 0), room));
        QVERIFY(!mapWindowFits(largest + QSize(0, 1), room));
    }

    void listSelectionHighlightsEveryArea()
    {
        FormDriver d;
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        Form1 &f = *d.form;
        QVERIFY(d.chooseRegion(2)); // Gamma: three areas
        QCOMPARE(f.Label1->text(), QStringLiteral("Gamma"));
        QCOMPARE(f.surface.point(155, 35), qint64(0x0000FF));
        QCOMPARE(f.surface.point(140, 90), qint64(0x0000FF));
        QCOMPARE(f.surface.point(170, 90), qint64(0x0000FF));
        QVERIFY(d.chooseRegion(0)); // the earlier highlight goes first
        QCOMPARE(f.surface.point(155, 35), qint64(0xFFFFFF));
        QCOMPARE(f.surface.point(35, 35), qint64(0x0000FF));
        QCOMPARE(f.surface.point(20, 110), qint64(0x0000FF));
        // The persistent image is never touched by study-mode paint.
        QCOMPARE(f.surface.persistent().pixel(35, 35) & 0xFFFFFF, 0xFFFFFFu);
    }

    // The learner's own mouse on the list: the first click after the map load,
    // a click on another row, the arrow keys, a click on the map that moves the
    // list's selection, and a click on the row already selected.
    void mouseOnTheRegionListLightsEachChoice()
    {
        FormDriver d;
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        Form1 &f = *d.form;
        const auto lit = [&f](int x, int y) { return f.surface.point(x, y) == qint64(0x0000FF); };

        QVERIFY(d.chooseRegion(2));
        QCOMPARE(f.Label1->text(), QStringLiteral("Gamma"));
        QVERIFY(lit(155, 35) && lit(140, 90) && lit(170, 90));

        QVERIFY(d.chooseRegion(0));
        QCOMPARE(f.Label1->text(), QStringLiteral("Alfa"));
        QVERIFY(lit(35, 35) && lit(20, 110));
        QVERIFY(!lit(155, 35));

        QTest::keyClick(f.List3, Qt::Key_Down);
        QCOMPARE(f.Label1->text(), QStringLiteral("Beta"));
        QVERIFY(lit(95, 35) && !lit(35, 35));

        // The map's first area of Gamma selects its row and lights it whole.
        d.clickMap(155, 35);
        QCOMPARE(f.List3->selectedItems().value(0), f.List3->item(2));
        QVERIFY(lit(140, 90) && lit(170, 90));

        // Another area only names; the selected row, clicked again, lights
        // its region once more.
        d.clickMap(22, 112);
        QCOMPARE(f.Label1->text(), QStringLiteral("Alfa"));
        QVERIFY(d.chooseRegion(2));
        QCOMPARE(f.Label1->text(), QStringLiteral("Gamma"));
        QVERIFY(lit(155, 35) && lit(140, 90) && lit(170, 90) && !lit(22, 112));
    }

    void studyClicksNameTheRegion_data()
    {
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QString>("named");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QPoint>("alsoPainted"); // (-1,-1) when nothing else
        QTest::newRow("first area selects and paints all") << QPoint(36, 30) << "Alfa" << 0 << QPoint(20, 110);
        QTest::newRow("second area names only") << QPoint(22, 112) << "Alfa" << -1 << QPoint(-1, -1);
        QTest::newRow("third area names only") << QPoint(171, 92) << "Gamma" << -1 << QPoint(-1, -1);
        QTest::newRow("a line names nothing") << QPoint(10, 30) << "" << -1 << QPoint(-1, -1);
        QTest::newRow("the sea names nothing") << QPoint(100, 120) << "" << -1 << QPoint(-1, -1);
    }
    void studyClicksNameTheRegion()
    {
        QFETCH(QPoint, click);
        QFETCH(QString, named);
        QFETCH(int, selected);
        QFETCH(QPoint, alsoPainted);
        FormDriver d;
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        Form1 &f = *d.form;
        d.clickMap(click.x(), click.y());
        QCOMPARE(f.Label1->text(), named);
        QCOMPARE(f.List3->currentRow(), selected);
        QCOMPARE(f.surface.point(click.x(), click.y()), qint64(0x0000FF));
        if (alsoPainted.x() >= 0)
            QCOMPARE(f.surface.point(alsoPainted.x(), alsoPainted.y()), qint64(0x0000FF));
        // The next click removes the previous click's paint.
        d.clickMap(95, 35);
        QCOMPARE(f.Label1->text(), QStringLiteral("Beta"));
        if (click != QPoint(10, 30) && click != QPoint(100, 120))
            QCOMPARE(f.surface.point(click.x(), click.y()), qint64(0xFFFFFF));
    }

    void sharedAreaNamesTheLowerIndex()
    {
        FormDriver d;
        d.folder.writeFile(QStringLiteral("Coordenadas/Doble"),
                           "tres.png\r\nSe\xf1" "ala\r\nUno,95,35,0,0,0,0,\r\nDos,96,36,0,0,0,0,\r\n");
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Doble")));
        // Two regions in one white area could never both be answered: the map
        // is refused at load, naming the second region's line.
        QCOMPARE(d.folder.errors.size(), std::size_t(1));
        QCOMPARE(d.folder.errors.front().error.line, 4);
        QVERIFY(d.form->File1->isVisible());
    }

    void otherButtonsDoNothingOnTheMap()
    {
        FormDriver d;
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        d.clickMap(35, 35, Qt::RightButton);
        d.clickMap(35, 35, Qt::MiddleButton);
        QCOMPARE(d.form->surface.point(35, 35), qint64(0xFFFFFF));
        QVERIFY(d.form->Label1->text().isEmpty());
    }

    void paletteSetsTheExactColour_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("button");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("red swatch") << QPoint(16 * 1 + 8, 19 + 5) << int(Qt::LeftButton) << QRgb(0xFF0000);
        QTest::newRow("last swatch, right button") << QPoint(16 * 12 + 8, 8) << int(Qt::RightButton) << QRgb(0x804000);
        QTest::newRow("grid line") << QPoint(0, 0) << int(Qt::LeftButton) << QRgb(0xFFFFFF);
    }
    void paletteSetsTheExactColour()
    {
        QFETCH(QPoint, at);
        QFETCH(int, button);
        QFETCH(QRgb, colour);
        FormDriver d;
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        const qint64 expected = d.form->Picture2->point(at.x(), at.y());
        if (at != QPoint(0, 0))
            QCOMPARE(expected, qint64(colour));
        QTest::mouseClick(d.form->Picture2, Qt::MouseButton(button), {},
                          at + QPoint(PaletteView::kBorder, PaletteView::kBorder));
        QCOMPARE(qint64(d.form->surface.fillColor()), expected);
        d.clickMap(95, 35);
        QCOMPARE(d.form->surface.point(95, 35), expected);
    }

    void aSmallerMapLeavesOldEntriesUnlisted()
    {
        FormDriver d;
        d.folder.writeFile(QStringLiteral("Coordenadas/Una"),
                           "tres.png\r\nSe\xf1" "ala\r\nSola,95,35,0,0,0,0,\r\n");
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        d.clickButton(d.form->Command3);
        QVERIFY(d.loadMap(QStringLiteral("Una")));
        QCOMPARE(d.items(d.form->List3), QStringList{"Sola"});
        QCOMPARE(d.form->state.regionCount, std::int16_t(1));
        QCOMPARE(d.form->state.regions[2].regionName, QStringLiteral("Gamma"));
    }

    void backButtonReturnsToMapChoice()
    {
        FormDriver d;
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        Form1 &f = *d.form;
        f.state.shared.hitCount = 3;
        f.state.shared.anotherTestRequested = true;
        d.clickButton(f.Command3);
        QVERIFY(f.File1->isVisible() && f.Frame1->isVisible() && f.Option1[1]->isVisible());
        QVERIFY(!f.Picture1->isVisible() && !f.List3->isVisible() && !f.Command3->isVisible());
        QVERIFY(!f.Command4->isVisible() && !f.Frame2->isVisible());
        QCOMPARE(f.state.shared.hitCount, std::int16_t(0));
        QVERIFY(!f.state.shared.anotherTestRequested);
    }

    void picturesLoadInEveryFormatWithExactColours_data()
    {
        QTest::addColumn<QString>("pictureName");
        QTest::newRow("bmp") << "tres.bmp";
        QTest::newRow("gif") << "tres.gif";
        QTest::newRow("png with an odd letter case") << "TRES.Png";
    }
    void picturesLoadInEveryFormatWithExactColours()
    {
        QFETCH(QString, pictureName);
        FormDriver d;
        const QImage drawn = fixtures::drawThreeRegionMap();
        if (pictureName.endsWith(QStringLiteral(".gif"))) {
            // Qt writes no GIF: use a small one made for the animation tests.
            QFile::copy(QStringLiteral(MAPURIX_TEST_DATA "/gifs/map.gif"), d.folder.path("Mapas/tres.gif"));
        } else {
            drawn.save(d.folder.path(QStringLiteral("Mapas/") + pictureName.toLower()),
                       pictureName.endsWith(QStringLiteral(".bmp")) ? "BMP" : "PNG");
        }
        d.folder.writeFile(QStringLiteral("Coordenadas/Otra"),
                           pictureName.toUtf8() + "\r\nSe\xf1" "ala\r\n" +
                               (pictureName.endsWith(QStringLiteral(".gif")) ? "A,1,1,0,0,0,0,\r\n"
                                                                             : "A,35,35,0,0,0,0,\r\n"));
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Otra")));
        QVERIFY(d.folder.errors.empty());
        const QImage expected = pictureName.endsWith(QStringLiteral(".gif"))
                                    ? QImage(d.folder.path("Mapas/tres.gif")).convertToFormat(QImage::Format_RGB32)
                                    : drawn;
        QCOMPARE(d.form->surface.size(), expected.size());
        QCOMPARE(d.form->surface.persistent(), expected);
    }

    void brokenMapsAreReportedAndChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("coordinates");
        QTest::addColumn<bool>("withPicture");
        QTest::addColumn<int>("line");
        QTest::newRow("missing picture") << QByteArray("nada.png\r\nP\r\nA,1,1,0,0,0,0,\r\n") << false << 0;
        QTest::newRow("bad seed") << QByteArray("tres.png\r\nP\r\nA,1,uno,0,0,0,0,\r\n") << true << 3;
        QTest::newRow("missing comma") << QByteArray("tres.png\r\nP\r\nA,1,1,0,0,0\r\n") << true << 3;
        QTest::newRow("one line") << QByteArray("tres.png") << true << 2;
    }
    void brokenMapsAreReportedAndChangeNothing()
    {
        QFETCH(QByteArray, coordinates);
        QFETCH(int, line);
        FormDriver d;
        d.folder.writeFile(QStringLiteral("Coordenadas/Rota"), coordinates);
        QVERIFY(d.open());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        d.clickButton(d.form->Command3);
        const GameState before = d.form->state;
        QVERIFY(d.loadMap(QStringLiteral("Rota")));
        QCOMPARE(d.folder.errors.size(), std::size_t(1));
        const LoadError &e = d.folder.errors[0].error;
        QCOMPARE(d.folder.errors[0].severity, errorreport::Severity::Recoverable);
        QCOMPARE(e.line, line);
        QVERIFY(e.message().contains(line == 0 ? QStringLiteral("nada.png") : QStringLiteral("Rota")));
        // Still on the map-choice screen, with the earlier map's state.
        QVERIFY(d.form->File1->isVisible() && d.form->Option1[0]->isVisible());
        QVERIFY(!d.form->Picture1->isVisible());
        QCOMPARE(d.form->state.regionCount, before.regionCount);
        for (std::size_t i = 0; i < std::size_t(kMaxRegions); ++i)
            QCOMPARE(d.form->state.regions[i].regionName, before.regions[i].regionName);
        QCOMPARE(d.form->state.mapPictureFile, before.mapPictureFile);
    }
};

QTEST_MAIN(TestMapScreen)
#include "tst_mapscreen.moc"
