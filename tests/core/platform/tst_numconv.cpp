// The number conventions decide what the learner sees: the mark, the layout.
#include "platform/numconv.h"
#include "platform/units.h"

#include <QTest>

class TestNumconv : public QObject {
    Q_OBJECT
private slots:
    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("half down to even") << 2.5 << qint64(2);
        QTest::newRow("half up to even") << 3.5 << qint64(4);
        QTest::newRow("zero half") << 0.5 << qint64(0);
        QTest::newRow("negative half") << -2.5 << qint64(-2);
        QTest::newRow("negative odd half") << -3.5 << qint64(-4);
        QTest::newRow("just below half") << 2.4999 << qint64(2);
        QTest::newRow("just above half") << 2.5001 << qint64(3);
        QTest::newRow("whole") << 7.0 << qint64(7);
        QTest::newRow("r*15 top") << 14.999999 << qint64(15);
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        QCOMPARE(numconv::roundHalfEven(value), expected);
    }

    void intFloorAndCentring_data()
    {
        QTest::addColumn<double>("outer");
        QTest::addColumn<double>("inner");
        QTest::addColumn<double>("expected");
        QTest::newRow("800x600 screen") << 12000.0 << 9600.0 << 1200.0;
        QTest::newRow("height") << 9000.0 << 7200.0 << 900.0;
        QTest::newRow("odd difference rounds down") << 9599.0 << 9600.0 << -1.0;
        QTest::newRow("small screen") << 9000.0 << 9600.0 << -300.0;
        QTest::newRow("odd positive") << 9601.0 << 9600.0 << 0.0;
    }
    void intFloorAndCentring()
    {
        QFETCH(double, outer);
        QFETCH(double, inner);
        QFETCH(double, expected);
        QCOMPARE(units::centred(outer, inner), expected);
    }

    void intDiv_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<qint64>("n");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("plain") << 4215.0 << qint64(2) << qint64(2107);
        QTest::newRow("rounds before dividing") << 9.5 << qint64(2) << qint64(5); // 10 \ 2
        QTest::newRow("halves to even first") << 8.5 << qint64(2) << qint64(4);  // 8 \ 2
        QTest::newRow("truncates toward zero") << -7.0 << qint64(2) << qint64(-3);
        QTest::newRow("quarter") << 2215.0 << qint64(4) << qint64(553);
    }
    void intDiv()
    {
        QFETCH(double, a);
        QFETCH(qint64, n);
        QFETCH(qint64, expected);
        QCOMPARE(numconv::intDiv(a, n), expected);
    }

    void floatToText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three of four") << 3.0f * 10 / 4 << "7,5";
        QTest::newRow("two of three") << 2.0f * 10 / 3 << "6,666667";
        QTest::newRow("all right") << 10.0f << "10";
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("one of three") << 1.0f * 10 / 3 << "3,333333";
        QTest::newRow("one of seven") << 10.0f / 7 << "1,428571";
        QTest::newRow("small") << 10.0f / 61 << "0,1639344";
        QTest::newRow("whole below ten") << 5.0f << "5";
        QTest::newRow("negative") << -2.5f << "-2,5";
        QTest::newRow("below one tenth") << 0.05f << "0,05";
        QTest::newRow("large whole") << 1234567.0f << "1234567";
    }
    void floatToText()
    {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(numconv::floatToText(value), expected);
    }
};

QTEST_APPLESS_MAIN(TestNumconv)
#include "tst_numconv.moc"
