// The quiz's rules without a window: the draw, the verdict, the mark.
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
        state.regionNames[std::size_t(i)] = QString::number(i);
        state.seedX1[std::size_t(i)] = 2 * i + 1;
        state.seedY1[std::size_t(i)] = 1;
    }
    return state;
}

} // namespace

class TestQuestionCycle : public QObject {
    Q_OBJECT
private slots:
    void drawsOnlyUnansweredRegionsUniformly()
    {
        MapSurface surface = stripSurface(4);
        GameState state = stripState(4);
        paintRegionPermanently(surface, state, 1);
        RandomGenerator random(3);
        int counts[4] = {};
        for (int i = 0; i < 3000; ++i)
            ++counts[*drawUnansweredRegion(surface, state, random)];
        QCOMPARE(counts[1], 0);
        for (int r : {0, 2, 3})
            QVERIFY2(counts[r] > 850 && counts[r] < 1150, qPrintable(QString::number(counts[r])));
    }

    void drawsNothingWhenNoRegionIsWhite()
    {
        MapSurface surface = stripSurface(2);
        GameState state = stripState(2);
        state.seedX1[1] = 0; // on the black border
        paintRegionPermanently(surface, state, 0);
        RandomGenerator random;
        QVERIFY(!drawUnansweredRegion(surface, state, random).has_value());
        QVERIFY(isTestFinished(surface, state));
        QCOMPARE(countUnanswered(surface, state), 0);
    }

    void aSeedOutsideThePictureCountsAsPainted()
    {
        MapSurface surface = stripSurface(2);
        GameState state = stripState(2);
        state.seedX1[0] = 500;
        QCOMPARE(countUnanswered(surface, state), 1);
    }

    void mark_data()
    {
        QTest::addColumn<float>("score");
        QTest::addColumn<int>("regions");
        QTest::addColumn<QString>("text");
        QTest::newRow("3 of 4") << 3.0f << 4 << "7,5 de 10";
        QTest::newRow("2 of 3") << 2.0f << 3 << "6,666667 de 10";
        QTest::newRow("all") << 52.0f << 52 << "10 de 10";
        QTest::newRow("1 of 61") << 1.0f << 61 << "0,1639344 de 10";
    }
    void mark()
    {
        QFETCH(float, score);
        QFETCH(int, regions);
        QFETCH(QString, text);
        QCOMPARE(markText(score, std::int16_t(regions)), text);
    }

    void permanentPaintCoversEveryAreaWhateverTheClickCovered()
    {
        QImage image(7, 3, QImage::Format_RGB32);
        image.fill(Qt::black);
        for (int x : {1, 3, 5})
            for (int y = 0; y < 3; ++y)
                image.setPixel(x, y, 0xFFFFFFFF);
        MapSurface surface;
        surface.load(image);
        GameState state;
        state.regionCount = 1;
        state.seedX1[0] = 1;
        state.seedY1[0] = 1;
        state.seedX2[0] = 3;
        state.seedY2[0] = 1;
        state.seedX3[0] = 5;
        state.seedY3[0] = 0; // a zero member: no third area
        surface.setFillColor(0x00FF00);
        surface.fill(1, 1); // the click's transient paint
        paintRegionPermanently(surface, state, 0);
        QCOMPARE(surface.point(1, 2), qint64(0x00FF00));
        QCOMPARE(surface.point(3, 2), qint64(0x00FF00));
        QCOMPARE(surface.point(5, 2), qint64(0xFFFFFF));
        QCOMPARE(surface.persistent().pixel(3, 0) & 0xFFFFFF, 0x00FF00u);
    }
};

QTEST_APPLESS_MAIN(TestQuestionCycle)
#include "tst_questioncycle.moc"
