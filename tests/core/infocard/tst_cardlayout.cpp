// The card's arithmetic on worked numbers: the "\" halving of positions and
// sizes, the picture's fitting and the flag's centring.
#include "infocard/cardlayout.h"

#include <QTest>

using namespace cardlayout;

class TestCardLayout : public QObject {
    Q_OBJECT
private slots:
    void cardCoversTheMapWithAMargin()
    {
        const Rect card = cardRect({120, 360, 9000, 6750});
        QCOMPARE(card.left, 320.0);
        QCOMPARE(card.top, 560.0);
        QCOMPARE(card.width, 8600.0);
        QCOMPARE(card.height, 6350.0);
    }

    void textFillsTheLeftHalf_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("odd width truncates") << 8595.0 << 6345.0 << 4197.0 << 5945.0;
        QTest::newRow("even width") << 8590.0 << 6345.0 << 4195.0 << 5945.0;
        QTest::newRow("half rounds up to even") << 4225.5 << 1000.0 << 2013.0 << 600.0;
        QTest::newRow("half rounds down to even") << 4224.5 << 1000.0 << 2012.0 << 600.0;
        QTest::newRow("card narrower than the text margin") << 100.0 << 300.0 << -50.0 << -100.0;
    }
    void textFillsTheLeftHalf()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        const Rect text = textRect(W, H);
        QCOMPARE(text.left, 50.0);
        QCOMPARE(text.top, 300.0);
        QFETCH(double, width);
        QFETCH(double, height);
        QCOMPARE(text.width, width);
        QCOMPARE(text.height, height);
    }

    void noticeSitsRightOfTheText_data()
    {
        QTest::addColumn<double>("textHeight");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("quarter is whole") << 5940.0 << 4545.0 << 1685.0;
        QTest::newRow("quarter truncates") << 5950.0 << 4545.0 << 1687.0;
        QTest::newRow("height rounds half to even first") << 4998.5 << 4545.0 << 1449.0;
    }
    void noticeSitsRightOfTheText()
    {
        QFETCH(double, textHeight);
        const Point at = noticePosition({45, 300, 4200, textHeight});
        QFETCH(double, left);
        QFETCH(double, top);
        QCOMPARE(at.left, left);
        QCOMPARE(at.top, top);
    }

    void pictureHeightIsHalfTheCardLess250()
    {
        QCOMPARE(pictureHeight(6345), 2922.0);
        QCOMPARE(pictureHeight(6346), 2923.0);
        QCOMPARE(pictureHeight(300), -100.0);
    }

    void pictureKeepsItsProportions_data()
    {
        QTest::addColumn<double>("naturalWidth");
        QTest::addColumn<double>("naturalHeight");
        QTest::addColumn<double>("fittedHeight");
        QTest::addColumn<double>("width");
        QTest::newRow("exact") << 12000.0 << 4500.0 << 2925.0 << 7800.0;
        QTest::newRow("fraction dropped") << 900.0 << 600.0 << 2925.0 << 4387.0;
        QTest::newRow("natural width rounds half to even (up)") << 899.5 << 600.0 << 2925.0 << 4387.0;
        QTest::newRow("natural width rounds half to even (down)") << 900.5 << 600.0 << 2925.0 << 4387.0;
        QTest::newRow("natural width rounds to 899") << 899.4 << 600.0 << 2925.0 << 4382.0;
        // 5745 x 2925 needs 25 bits: the single-precision product loses its
        // last unit and the quotient falls just short of 28725.
        QTest::newRow("single precision") << 5745.0 << 585.0 << 2925.0 << 28724.0;
        // 36000 twips (2400 pixels) does not fit 16 bits.
        QTest::newRow("wider than 32767 twips") << 36000.0 << 1500.0 << 2925.0 << 70200.0;
        QTest::newRow("much wider") << 150000.0 << 1500.0 << 2925.0 << 292500.0;
        QTest::newRow("no height to fit into") << 900.0 << 600.0 << 0.0 << 0.0;
        QTest::newRow("picture without height") << 900.0 << 0.0 << 2925.0 << 0.0;
    }
    void pictureKeepsItsProportions()
    {
        QFETCH(double, naturalWidth);
        QFETCH(double, naturalHeight);
        QFETCH(double, fittedHeight);
        QFETCH(double, width);
        QCOMPARE(pictureWidth(naturalWidth, naturalHeight, fittedHeight), width);
    }

    void pictureIsCentredOnTheThreeQuarterLine_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("fittedWidth");
        QTest::addColumn<double>("left");
        QTest::newRow("narrow picture") << 8595.0 << 2000.0 << 5445.0;
        // Wider than half the card: it reaches into the left half, behind
        // the text, and past the card's right border.
        QTest::newRow("wider than half the card") << 8595.0 << 7800.0 << 2546.0;
        // The difference keeps its fraction until the halving rounds it.
        QTest::newRow("difference half rounds down to even") << 8600.0 << 2999.5 << 4950.0;
        QTest::newRow("difference half rounds up to even") << 8600.0 << 2998.5 << 4951.0;
    }
    void pictureIsCentredOnTheThreeQuarterLine()
    {
        QFETCH(double, W);
        QFETCH(double, fittedWidth);
        QFETCH(double, left);
        const Point at = picturePosition(W, fittedWidth, 300);
        QCOMPARE(at.left, left);
        QCOMPARE(at.top, 300.0);
    }

    void flagIsCentredInTheLowerRightQuarter_data()
    {
        QTest::addColumn<double>("flagWidth");
        QTest::addColumn<double>("flagHeight");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("small flag") << 450.0 << 300.0 << 6220.0 << 4608.0;
        // Larger than the quarter: still centred on it, spilling left and
        // below, where the card cuts it off.
        QTest::newRow("larger than a quarter") << 6000.0 << 4500.0 << 3446.0 << 2508.0;
    }
    void flagIsCentredInTheLowerRightQuarter()
    {
        QFETCH(double, flagWidth);
        QFETCH(double, flagHeight);
        QFETCH(double, left);
        QFETCH(double, top);
        const Point at = flagPosition(8595, 6345, flagWidth, flagHeight);
        QCOMPARE(at.left, left);
        QCOMPARE(at.top, top);
    }
};

QTEST_APPLESS_MAIN(TestCardLayout)
#include "tst_cardlayout.moc"
