// The card writer reads the catalogue as the game does: a coordinates file
// the game refuses is refused, naming the line, and a region keeps a seed
// only for each area the game sees.
#include "cards.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class CardCoordinatesTest : public QObject {
    Q_OBJECT
private slots:
    void refusesWhatTheGameRefuses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("where");
        const QByteArray head = "m.png\r\nSe\xf1" "ala\r\n";
        QTest::newRow("non-numeric seed") << head + "Alfa,1,dos,0,0,0,0,\r\n" << QStringLiteral("Línea 3, campo 3");
        QTest::newRow("missing comma") << head + "Alfa,1,2,0,0,0,0\r\n" << QStringLiteral("Línea 3");
        QTest::newRow("empty line amid regions")
            << head + "Alfa,1,2,0,0,0,0,\r\n\r\nBeta,3,4,0,0,0,0,\r\n" << QStringLiteral("Línea 4");
        QTest::newRow("seed beyond 16 bits") << head + "Alfa,1,2,0,0,40000,0,\r\n" << QStringLiteral("campo 6");
        QTest::newRow("no region") << head << QStringLiteral("Línea 3");
        QTest::newRow("one line") << QByteArray("m.png\r\n") << QStringLiteral("Línea 2");
    }
    void refusesWhatTheGameRefuses()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, where);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("Mala")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QString error;
        QVERIFY(!cards::readCoordinates(file.fileName(), &error));
        QVERIFY2(error.contains(QStringLiteral("Mala")) && error.contains(where), qPrintable(error));
    }

    void keepsASeedForEachArea()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("Buena")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("m.png\r\nSe\xf1" "ala\r\n\xc1vila,5,6,0,0,0,0,\r\nIslas,1,2,3,4,0,9,\r\nTres,1,2,3,4,5,6,\r\n");
        file.close();
        QString error;
        const auto map = cards::readCoordinates(file.fileName(), &error);
        QVERIFY2(map, qPrintable(error));
        QCOMPARE(map->picture, QStringLiteral("m.png"));
        QCOMPARE(map->regions.size(), 3);
        QCOMPARE(map->regions[0].name, QString::fromUtf8("Ávila")); // Windows-1252
        QCOMPARE(map->regions[0].seeds, QList<QPoint>{QPoint(5, 6)});
        QCOMPARE(map->regions[1].seeds, (QList<QPoint>{QPoint(1, 2), QPoint(3, 4)}));
        QCOMPARE(map->regions[2].seeds.size(), 3);
    }
};

QTEST_GUILESS_MAIN(CardCoordinatesTest)
#include "tst_cardcoordinates.moc"
