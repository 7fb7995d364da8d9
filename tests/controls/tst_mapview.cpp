// The map and palette widgets: what they show and how a press reaches the
// game (button numbers and picture coordinates).
#include "surface/mapsurface.h"
#include "controls/mapview.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QImage twoAreas()
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(0xffffffff);
    for (int y = 0; y < 20; ++y)
        image.setPixel(15, y, 0xff000000);
    return image;
}

} // namespace

class TestMapView : public QObject {
    Q_OBJECT

private slots:
    void pressesReportButtonAndPixel_data();
    void pressesReportButtonAndPixel();
    void extraButtonsAreIgnored();
    void showsTheDisplayedSurfaceAtOneToOne();
    void takesThePictureSize();
    void paletteShowsAndReadsItsPicture();
};

void TestMapView::pressesReportButtonAndPixel_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("number");
    QTest::addColumn<QPoint>("at");

    QTest::newRow("left") << Qt::LeftButton << 1 << QPoint(3, 4);
    QTest::newRow("right") << Qt::RightButton << 2 << QPoint(29, 19);
    QTest::newRow("middle") << Qt::MiddleButton << 4 << QPoint(0, 1); // (0, 0) means the centre to QTest
}

void TestMapView::pressesReportButtonAndPixel()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, number);
    QFETCH(QPoint, at);

    MapSurface surface;
    surface.load(twoAreas());
    MapView map;
    map.setSurface(&surface);
    PaletteView palette;
    for (QWidget *widget : {static_cast<QWidget *>(&map), static_cast<QWidget *>(&palette)}) {
        QSignalSpy spy(widget, SIGNAL(mouseDown(int, double, double)));
        QTest::mousePress(widget, button, {}, at);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), number);
        QCOMPARE(spy.at(0).at(1).toDouble(), double(at.x()));
        QCOMPARE(spy.at(0).at(2).toDouble(), double(at.y()));
    }
}

void TestMapView::extraButtonsAreIgnored()
{
    MapView map;
    QSignalSpy spy(&map, &MapView::mouseDown);
    QTest::mousePress(&map, Qt::BackButton, {}, QPoint(1, 1));
    QCOMPARE(spy.size(), 0);
    QCOMPARE(mouseButtonNumber(Qt::ExtraButton4), 0);
}

void TestMapView::showsTheDisplayedSurfaceAtOneToOne()
{
    MapSurface surface;
    surface.load(twoAreas());
    MapView map;
    map.setSurface(&surface);
    QCOMPARE(map.size(), QSize(30, 20));
    QCOMPARE(map.minimumSize(), map.maximumSize());

    surface.fill(2, 2);
    map.refreshView();
    QCOMPARE(map.grab().toImage().convertToFormat(QImage::Format_RGB32), surface.displayed());
    QCOMPARE(map.grab().toImage().pixel(20, 10) & 0xffffff, 0xffffffu);
    QCOMPARE(map.grab().toImage().pixel(10, 10) & 0xffffff, 0x0000ffu);
}

void TestMapView::takesThePictureSize()
{
    MapSurface surface;
    MapView map;
    map.resize(201, 161); // the designed box, kept until a picture arrives
    map.setSurface(&surface);
    QCOMPARE(map.size(), QSize(201, 161));
    surface.load(twoAreas());
    map.refreshView();
    QCOMPARE(map.size(), QSize(30, 20));
    QImage bigger(40, 25, QImage::Format_RGB32);
    bigger.fill(0xff00ff00);
    surface.load(bigger);
    map.refreshView();
    QCOMPARE(map.size(), QSize(40, 25));
}

void TestMapView::paletteShowsAndReadsItsPicture()
{
    PaletteView palette;
    QCOMPARE(palette.size(), QSize(209, 34));
    QCOMPARE(palette.grab().toImage().convertToFormat(QImage::Format_RGB32), palette.picture());
    QCOMPARE(palette.point(16 * 5 + 8, 16 + 8), 0x0000ff); // bottom row, sixth swatch
    QCOMPARE(palette.point(18.5, 2), 0x000000);            // 18.5 -> 18: inner black line
    QCOMPARE(palette.point(209, 0), -1);
    QCOMPARE(palette.point(0, -1), -1);
}

QTEST_MAIN(TestMapView)
#include "tst_mapview.moc"
