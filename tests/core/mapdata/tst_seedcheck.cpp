// A map whose seeds miss their areas would mark answers wrongly without a
// word; it is refused at load with the line and the field to mend.
#include "mapdata/coordinatesfile.h"
#include "mapdata/seedcheck.h"
#include "platform/safefile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTest>

namespace {

// 200 x 150: Alfa (a mainland and an island), Beta and Gamma (three areas),
// white boxes with one-pixel lines on a blue sea.
QImage threeRegionMap()
{
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(0xA0C8F0);
    QPainter p(&image);
    p.setPen(QColor(0x202020));
    p.setBrush(Qt::white);
    const QRect areas[] = {{10, 10, 50, 50},  {10, 100, 20, 20}, {70, 10, 50, 50},
                           {130, 10, 50, 50}, {130, 80, 20, 20}, {160, 80, 20, 20}};
    for (const QRect &r : areas)
        p.drawRect(r);
    return image;
}

MapDescription parse(const QByteArray &regions)
{
    const auto parsed = parseCoordinatesFile("tres.png\r\nSeñala\r\n" + regions, QStringLiteral("tres"));
    return std::get<MapDescription>(parsed);
}

} // namespace

class TestSeedCheck : public QObject {
    Q_OBJECT
private slots:
    void seeds_data()
    {
        QTest::addColumn<QByteArray>("regions");
        QTest::addColumn<int>("line"); // 0: the map is sound
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("says");
        const QByteArray alfa = "Alfa,35,35,20,110,0,0,\r\n";
        const QByteArray beta = "Beta,95,35,0,0,0,0,\r\n";
        const QByteArray gamma = "Gamma,155,35,140,90,170,90,\r\n";
        QTest::newRow("sound map") << alfa + beta + gamma << 0 << "" << "";
        QTest::newRow("own seeds share an area") << "Alfa,35,35,40,40,20,110,\r\n" + beta << 0 << "" << "";
        QTest::newRow("zero member means no area") << "Alfa,35,35,0,110,20,0,\r\n" + beta << 0 << "" << "";
        QTest::newRow("first seed right of the picture")
            << alfa + "Beta,200,35,0,0,0,0,\r\n" << 4 << "campos 2 y 3 (el primer punto)" << "fuera del dibujo";
        QTest::newRow("first seed below the picture")
            << QByteArray("Alfa,35,150,0,0,0,0,\r\n") << 3 << "campos 2 y 3 (el primer punto)" << "fuera del dibujo";
        QTest::newRow("negative first seed")
            << QByteArray("Alfa,-1,35,0,0,0,0,\r\n") << 3 << "campos 2 y 3 (el primer punto)" << "fuera del dibujo";
        QTest::newRow("third seed outside")
            << alfa + beta + "Gamma,155,35,140,90,170,900,\r\n" << 5 << "campos 6 y 7 (el tercer punto)"
            << "fuera del dibujo";
        QTest::newRow("on a border line")
            << alfa + "Beta,70,35,0,0,0,0,\r\n" << 4 << "campos 2 y 3 (el primer punto)" << "zona blanca";
        QTest::newRow("in the sea")
            << QByteArray("Alfa,5,5,0,0,0,0,\r\n") << 3 << "campos 2 y 3 (el primer punto)" << "zona blanca";
        QTest::newRow("second seed on a line")
            << QByteArray("Alfa,35,35,10,110,0,0,\r\n") << 3 << "campos 4 y 5 (el segundo punto)" << "zona blanca";
        QTest::newRow("two regions in one area")
            << alfa + "Beta,40,40,0,0,0,0,\r\n" << 4 << "campos 2 y 3 (el primer punto)" << "«Alfa» (línea 3)";
        QTest::newRow("island of another region")
            << alfa + beta + "Gamma,155,35,20,110,0,0,\r\n" << 5 << "campos 4 y 5 (el segundo punto)"
            << "«Alfa» (línea 3)";
    }
    void seeds()
    {
        QFETCH(QByteArray, regions);
        QFETCH(int, line);
        QFETCH(QString, field);
        QFETCH(QString, says);
        const auto error = checkSeeds(parse(regions), threeRegionMap(), QStringLiteral("tres"));
        QCOMPARE(error.has_value(), line > 0);
        if (!error)
            return;
        QCOMPARE(error->file, QStringLiteral("tres"));
        QCOMPARE(error->line, line);
        QCOMPARE(error->field, field);
        QVERIFY2(error->what.contains(says), qPrintable(error->what));
    }

    // The atlas as shipped passes its own check.
    void everyAtlasMapIsSound()
    {
        const QDir root(QStringLiteral(MAPURIX_SOURCE_DATA));
        const QStringList maps = QDir(root.filePath(QStringLiteral("Coordenadas"))).entryList(QDir::Files);
        QVERIFY(!maps.isEmpty());
        for (const QString &name : maps) {
            QFile file(root.filePath(QStringLiteral("Coordenadas/") + name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const auto parsed = parseCoordinatesFile(file.readAll(), name);
            QVERIFY2(std::holds_alternative<MapDescription>(parsed), qPrintable(name));
            const auto &map = std::get<MapDescription>(parsed);
            QImageReader reader(root.filePath(QStringLiteral("Mapas/") + map.mapPictureFile));
            const QImage picture = reader.read().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(!picture.isNull(), qPrintable(map.mapPictureFile));
            const auto error = checkSeeds(map, picture, name);
            QVERIFY2(!error, error ? qPrintable(error->message()) : "");
        }
    }
};

QTEST_GUILESS_MAIN(TestSeedCheck)
#include "tst_seedcheck.moc"
