// What the map's pixels say to the quiz and to painting: the verdict, the
// regions still white, and which areas each kind of painting fills.
#include "quiz/painting.h"
#include "quiz/questioncycle.h"

#include <QTest>

namespace {

// A strip of `n` one-pixel-wide white regions separated by black columns.
MapSurface stripSurface(int n)
{
    QImage image(2 * n + 1, 3, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int i = 0; i < n; ++i)
        for (int y = 0; y < 3; ++y)
            image.setPixel(2 * i + 1, y, 0xFFFFFFFF);
    MapSurface surface;
    surface.load(image);
    return surface;
}

GameState stripState(int n)
{
    GameState state;
    state.regionCount = std::int16_t(n);
    for (int i = 0; i < n; ++i) {
        state.regions[std::size_t(i)].regionName = QString::number(i);
        state.regions[std::size_t(i)].seedX1 = 2 * i + 1;
        state.regions[std::size_t(i)].seedY1 = 1;
    }
    return state;
}

} // namespace

class TestQuestionCycle : public QObject {
    Q_OBJECT
private slots:
    void whiteRegionsAreThoseNotYetPainted()
    {
        MapSurface surface = stripSurface(4);
        GameState state = stripState(4);
        paintRegionPermanently(surface, state, 1);
        QCOMPARE(whiteRegions(surface, state), (std::vector<int>{0, 2, 3}));
        state.regions[2].seedX1 = 500; // outside the picture: reads as painted
        state.regions[3].seedX1 = 0;   // on a line
        QCOMPARE(whiteRegions(surface, state), (std::vector<int>{0}));
    }

    void onlyTheFirstAreaAnswers()
    {
        MapSurface surface = stripSurface(3);
        GameState state = stripState(3);
        state.regions[0].seedX2 = 3; // region 0's second area is region 1's strip
        state.regions[0].seedY2 = 1;
        surface.setFillColor(0x00FF00);
        surface.fill(3, 1);
        QVERIFY(!isAnswerRight(surface, state));
        surface.fill(1, 1);
        QVERIFY(isAnswerRight(surface, state));
    }

    // A region with areas in columns 1, 3 and 5; the seeds of the second and
    // third areas vary.
    void areasEachPaintingFills_data()
    {
        QTest::addColumn<QPoint>("second");
        QTest::addColumn<QPoint>("third");
        QTest::addColumn<QString>("highlighted"); // columns 1, 3, 5: '#' painted
        QTest::addColumn<QString>("painted");
        QTest::newRow("three areas") << QPoint(3, 1) << QPoint(5, 1) << "###" << "###";
        QTest::newRow("zero member: no third area") << QPoint(3, 1) << QPoint(5, 0) << "##." << "##.";
        QTest::newRow("zero x: no second area") << QPoint(0, 1) << QPoint(5, 1) << "#.#" << "#.#";
        QTest::newRow("negative member: nothing to fill") << QPoint(3, -1) << QPoint(0, 0) << "#.." << "#..";
    }
    void areasEachPaintingFills()
    {
        QFETCH(QPoint, second);
        QFETCH(QPoint, third);
        QFETCH(QString, highlighted);
        QFETCH(QString, painted);
        QImage image(7, 3, QImage::Format_RGB32);
        image.fill(Qt::black);
        for (int x : {1, 3, 5})
            for (int y = 0; y < 3; ++y)
                image.setPixel(x, y, 0xFFFFFFFF);
        GameState state;
        state.regionCount = 1;
        RegionRecord &r = state.regions[0];
        r.seedX1 = 1;
        r.seedY1 = 1;
        r.seedX2 = second.x();
        r.seedY2 = second.y();
        r.seedX3 = std::int16_t(third.x());
        r.seedY3 = std::int16_t(third.y());
        auto columns = [](const MapSurface &s) {
            QString text;
            for (int x : {1, 3, 5})
                text += s.point(x, 2) == 0x00FF00 ? u'#' : u'.';
            return text;
        };

        MapSurface study;
        study.load(image);
        study.setFillColor(0x00FF00);
        highlightRegion(study, state, 0);
        QCOMPARE(columns(study), highlighted);

        MapSurface quiz;
        quiz.load(image);
        quiz.setFillColor(0x00FF00);
        quiz.fill(1, 1); // the click's transient paint
        paintRegionPermanently(quiz, state, 0);
        QCOMPARE(columns(quiz), painted);
        QCOMPARE(quiz.persistent().pixel(1, 0) & 0xFFFFFF, 0x00FF00u);
    }

    // Study mode looks at an area whose seed has no zero member; the
    // permanent paint only at one whose members are both above zero.
    void whichAreasCount_data()
    {
        QTest::addColumn<QPoint>("seed");
        QTest::addColumn<bool>("looked");
        QTest::addColumn<bool>("painted");
        QTest::newRow("inside") << QPoint(4, 9) << true << true;
        QTest::newRow("zero x") << QPoint(0, 9) << false << false;
        QTest::newRow("zero y") << QPoint(4, 0) << false << false;
        QTest::newRow("negative x") << QPoint(-4, 9) << true << false;
        QTest::newRow("negative y") << QPoint(4, -9) << true << false;
    }
    void whichAreasCount()
    {
        QFETCH(QPoint, seed);
        QFETCH(bool, looked);
        QFETCH(bool, painted);
        RegionRecord r;
        r.seedX2 = seed.x();
        r.seedY2 = seed.y();
        r.seedX3 = std::int16_t(seed.x());
        r.seedY3 = std::int16_t(seed.y());
        for (int area : {1, 2}) {
            QCOMPARE(r.hasArea(area), looked);
            QCOMPARE(r.hasAreaToPaint(area), painted);
        }
        QVERIFY(r.hasArea(0) && r.hasAreaToPaint(0)); // the first area is always there
    }

    void identificationLooksAtFirstAreasFirst()
    {
        MapSurface surface = stripSurface(3);
        GameState state = stripState(3);
        state.regions[0].seedX2 = 5; // region 0's second area shares region 2's strip
        state.regions[0].seedY2 = 1;
        surface.setFillColor(0x00FF00);
        surface.fill(5, 1);
        const Identification found = identifyPaintedRegion(surface, state);
        QCOMPARE(found.region, 2);
        QCOMPARE(found.pass, 1);
        state.regions[2].seedX1 = 3; // now only region 0's second area sees the paint
        const Identification second = identifyPaintedRegion(surface, state);
        QCOMPARE(second.region, 0);
        QCOMPARE(second.pass, 2);
    }
};

QTEST_APPLESS_MAIN(TestQuestionCycle)
#include "tst_questioncycle.moc"
