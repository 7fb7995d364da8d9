// The coordinates file: what loads, and how each broken file is reported.
#include "mapdata/coordinatesfile.h"

#include <QTest>

namespace {

QByteArray header() { return "mapa.png\r\nSe\xf1" "ala\r\n"; }

QByteArray regionLines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "R" + QByteArray::number(i) + "," + QByteArray::number(10 + i) + ",20,0,0,0,0,\r\n";
    return bytes;
}

} // namespace

class TestCoordinatesFile : public QObject {
    Q_OBJECT
private slots:
    void parsesRegions()
    {
        const QByteArray bytes = header() + "Alfa,120,85,0,0,0,0,\r\n"
                                            " Beta Sur ,1,2,3,4,5,6,texto de sobra\r\n"
                                            "Gamma, +7 ,-8,  9,10,11 ,12,\r\n";
        const auto result = parseCoordinatesFile(bytes, QStringLiteral("x"));
        QVERIFY(std::holds_alternative<MapDescription>(result));
        const auto &map = std::get<MapDescription>(result);
        QCOMPARE(map.mapPictureFile, QStringLiteral("mapa.png"));
        QCOMPARE(map.questionPrompt, QString::fromUtf8("Señala"));
        QCOMPARE(map.regions.size(), std::size_t(3));
        QCOMPARE(map.regions[0].name, QStringLiteral("Alfa"));
        QCOMPARE(map.regions[0].seeds[0].x, 120);
        QCOMPARE(map.regions[0].seeds[1].x, 0);
        QCOMPARE(map.regions[1].name, QStringLiteral(" Beta Sur ")); // names stay verbatim
        QCOMPARE(map.regions[1].seeds[2].y, 6);
        QCOMPARE(map.regions[2].seeds[0].x, 7);
        QCOMPARE(map.regions[2].seeds[0].y, -8);
        QCOMPARE(map.regions[2].seeds[2].x, 11);
    }

    void lineEndsAndTrailingEmptyLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("regions");
        QTest::newRow("CR LF after last") << header() + regionLines(2) << 2;
        QTest::newRow("no end after last") << header() + regionLines(2).chopped(2) << 2;
        QTest::newRow("empty lines at end ignored") << header() + regionLines(2) + "\r\n\r\n" << 2;
        QTest::newRow("LF only") << QByteArray("m.png\nP\nA,1,2,0,0,0,0,\nB,3,4,0,0,0,0,\n") << 2;
        QTest::newRow("utf-8") << QByteArray("m.png\nSe\xc3\xb1" "ala\n\xc3\x81vila,1,2,0,0,0,0,\n") << 1;
        QTest::newRow("61 regions") << header() + regionLines(61) << 61;
    }
    void lineEndsAndTrailingEmptyLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, regions);
        const auto result = parseCoordinatesFile(bytes, QStringLiteral("x"));
        if (const auto *error = std::get_if<LoadError>(&result))
            QFAIL(qPrintable(error->message()));
        QCOMPARE(int(std::get<MapDescription>(result).regions.size()), regions);
    }

    void faultsNameLineAndField_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("field"); // start of the field text
        QTest::newRow("one line only") << QByteArray("mapa.png\r\n") << 2 << QString();
        QTest::newRow("empty file") << QByteArray() << 1 << QString();
        QTest::newRow("no regions") << header() << 3 << QString();
        QTest::newRow("empty line between regions")
            << header() + "A,1,2,0,0,0,0,\r\n\r\nB,1,2,0,0,0,0,\r\n" << 4 << "campo 1";
        QTest::newRow("seventh comma missing") << header() + "A,1,2,0,0,0,0\r\n" << 3 << "campo 7";
        QTest::newRow("only a name") << header() + "A\r\n" << 3 << "campo 1";
        QTest::newRow("x1 not a number") << header() + "A,x,2,0,0,0,0,\r\n" << 3 << "campo 2";
        QTest::newRow("y2 empty") << header() + "A,1,2,3,,0,0,\r\n" << 3 << "campo 5";
        QTest::newRow("x3 too big") << header() + "A,1,2,0,0,32768,0,\r\n" << 3 << "campo 6";
        QTest::newRow("y3 decimal") << header() + "A,1,2,0,0,0,1.5,\r\n" << 3 << "campo 7";
        QTest::newRow("62 regions") << header() + regionLines(62) << 64 << QString();
        QTest::newRow("first fault wins")
            << header() + "A,1,x,0,0,0,0,\r\nB,y,2,0,0,0,0,\r\n" << 3 << "campo 3";
    }
    void faultsNameLineAndField()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, field);
        const auto result = parseCoordinatesFile(bytes, QStringLiteral("/datos/Coordenadas/Mapa"));
        QVERIFY(std::holds_alternative<LoadError>(result));
        const auto &error = std::get<LoadError>(result);
        QCOMPARE(error.line, line);
        QVERIFY2(error.field.startsWith(field), qPrintable(error.field));
        QVERIFY(error.message().contains(QStringLiteral("Mapa")));
        QVERIFY(!error.what.isEmpty());
    }

    void storeKeepsHigherEntries()
    {
        GameState state;
        auto first = std::get<MapDescription>(parseCoordinatesFile(header() + regionLines(5), {}));
        storeMap(first, state);
        QCOMPARE(state.regionCount, std::int16_t(5));
        auto second = std::get<MapDescription>(
            parseCoordinatesFile(header() + "Nueva,99,98,0,0,0,0,\r\n", {}));
        storeMap(second, state);
        QCOMPARE(state.regionCount, std::int16_t(1));
        QCOMPARE(state.regionNames[0], QStringLiteral("Nueva"));
        QCOMPARE(state.seedX1[0], 99);
        // Entries beyond the new map stay as the earlier map left them.
        QCOMPARE(state.regionNames[4], QStringLiteral("R4"));
        QCOMPARE(state.seedX1[4], 14);
    }
};

QTEST_APPLESS_MAIN(TestCoordinatesFile)
#include "tst_coordinatesfile.moc"
