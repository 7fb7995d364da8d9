// The committed card texts: each one must be readable by the game (it takes
// them as Windows-1252 with CR LF lines) and must be about its own region.
#include "mapdata/coordinatesfile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

// Region names of every coordinates file, as the game lists them.
QStringList regionNames(const QDir &data)
{
    QStringList names;
    const QDir coords(data.filePath(QStringLiteral("Coordenadas")));
    for (const QString &f : coords.entryList(QDir::Files)) {
        const auto bytes = textfile::readBytes(coords.filePath(f));
        if (!bytes)
            continue;
        const auto parsed = parseCoordinatesFile(*bytes, f);
        if (const auto *map = std::get_if<MapDescription>(&parsed)) {
            for (const RegionRecord &region : map->regions)
                names << region.regionName;
        }
    }
    return names;
}

// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252.
bool hasUndefinedByte(const QByteArray &bytes)
{
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            return true;
    }
    return false;
}

} // namespace

class CardFilesTest : public QObject {
    Q_OBJECT
private slots:
    void textsDecodeAndNameTheirRegion();
    void everyRegionHasAText();
};

void CardFilesTest::textsDecodeAndNameTheirRegion()
{
    const QDir texts(QStringLiteral(MAPURIX_SOURCE_DATA "/textos"));
    const QStringList files = texts.entryList({QStringLiteral("*.txt")}, QDir::Files);
    if (files.isEmpty())
        QSKIP("no card texts in data/textos");
    for (const QString &f : files) {
        QFile file(texts.filePath(f));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(f));
        const QByteArray bytes = file.readAll();
        const QString text = textfile::decodeWindows1252(bytes);
        QVERIFY2(!hasUndefinedByte(bytes), qPrintable(f + QStringLiteral(": byte not defined in Windows-1252")));
        QVERIFY2(!bytes.contains('\0'), qPrintable(f));
        // Every line break is CR LF: no lone LF or lone CR.
        QVERIFY2(!QRegularExpression(QStringLiteral("[^\r]\n|\r[^\n]")).match(text).hasMatch(),
                 qPrintable(f + QStringLiteral(": a line does not end in CR LF")));
        // "Granada (Antillas)" is told of as Granada: the brackets only tell
        // two places apart in the lists.
        const QString region = f.chopped(4).section(QStringLiteral(" ("), 0, 0);
        QVERIFY2(text.contains(region, Qt::CaseInsensitive),
                 qPrintable(f + QStringLiteral(": the text does not name its region")));
        QVERIFY2(text.size() > 80, qPrintable(f + QStringLiteral(": too short to tell anything")));
    }
}

void CardFilesTest::everyRegionHasAText()
{
    const QDir data(QStringLiteral(MAPURIX_SOURCE_DATA));
    const QStringList names = regionNames(data);
    if (names.isEmpty())
        QSKIP("no maps in data/Coordenadas");
    QStringList texts = QDir(data.filePath(QStringLiteral("textos"))).entryList({QStringLiteral("*.txt")}, QDir::Files);
    for (QString &t : texts)
        t = t.chopped(4).toCaseFolded();
    QStringList missing;
    for (const QString &n : names)
        if (!texts.contains(n.toCaseFolded()))
            missing << n;
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("regions without a text: ") + missing.join(u", ")));
}

QTEST_GUILESS_MAIN(CardFilesTest)
#include "tst_cardfiles.moc"
