// The number conventions are total: a float beyond the whole-number range,
// an infinity or NaN gives a defined answer, never undefined behaviour.
#include "platform/numconv.h"

#include <QTest>
#include <cmath>
#include <limits>

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();
} // namespace

class TestNumconvLimits : public QObject {
    Q_OBJECT
private slots:
    void saturate_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::addColumn<qint64>("floored");
        QTest::newRow("2^63") << 9223372036854775808.0 << kMax << kMax;
        QTest::newRow("1e300") << 1e300 << kMax << kMax;
        QTest::newRow("+inf") << kInf << kMax << kMax;
        QTest::newRow("-1e300") << -1e300 << kMin << kMin;
        QTest::newRow("-inf") << -kInf << kMin << kMin;
        QTest::newRow("-2^63 exactly") << -9223372036854775808.0 << kMin << kMin;
        QTest::newRow("NaN") << std::nan("") << qint64(0) << qint64(0);
        QTest::newRow("largest below 2^63") << 9223372036854774784.0 << qint64(9223372036854774784)
                                            << qint64(9223372036854774784);
        QTest::newRow("float max") << double(std::numeric_limits<float>::max()) << kMax << kMax;
    }
    void saturate()
    {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QFETCH(qint64, floored);
        QCOMPARE(numconv::roundHalfEven(value), rounded);
        QCOMPARE(numconv::intFloor(value), floored);
    }

    void integerDivision_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<qint64>("n");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("huge halves") << 1e300 << qint64(2) << kMax / 2;
        QTest::newRow("min by -1") << -1e300 << qint64(-1) << kMax;
        QTest::newRow("by zero, positive") << 7.0 << qint64(0) << kMax;
        QTest::newRow("by zero, negative") << -7.0 << qint64(0) << kMin;
        QTest::newRow("zero by zero") << 0.2 << qint64(0) << qint64(0);
        QTest::newRow("NaN") << std::nan("") << qint64(4) << qint64(0);
        QTest::newRow("ordinary by -1") << 7.5 << qint64(-1) << qint64(-8);
    }
    void integerDivision()
    {
        QFETCH(double, a);
        QFETCH(qint64, n);
        QFETCH(qint64, expected);
        QCOMPARE(numconv::intDiv(a, n), expected);
    }
};

QTEST_GUILESS_MAIN(TestNumconvLimits)
#include "tst_numconvlimits.moc"
