// Text data files: encodings and line ends as they come from any system.
#include "platform/datafiles.h"
#include "platform/textfile.h"

#include <QTemporaryDir>
#include <QTest>

class TestTextfile : public QObject {
    Q_OBJECT
private slots:
    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("CR") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("no final end") << "a\nb" << QStringList{"a", "b"};
        QTest::newRow("empty lines kept") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
        QTest::newRow("spaces kept") << " a \r\n" << QStringList{" a "};
        QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("one empty line") << "\r\n" << QStringList{""};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(textfile::splitLines(text), lines);
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8 accents") << QByteArray("Espa\xc3\xb1" "a") << QString::fromUtf8("España");
        QTest::newRow("windows-1252 accents") << QByteArray("Espa\xf1" "a") << QString::fromUtf8("España");
        QTest::newRow("1252 euro and quotes") << QByteArray("\x80 \x93x\x94") << QString::fromUtf8("€ “x”");
        QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xef\xbb\xbf" "Fin") << QStringLiteral("Fin");
        QTest::newRow("ascii") << QByteArray("Fin") << QStringLiteral("Fin");
        QTest::newRow("truncated utf-8 is 1252") << QByteArray("Le\xc3") << QString::fromUtf8("LeÃ");
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(textfile::decode(bytes), text);
    }

    void windows1252RoundTrip()
    {
        const QString text = QString::fromUtf8("Señala Córdoba, Álava, Ñ € œ");
        QCOMPARE(textfile::decodeWindows1252(textfile::encodeWindows1252(text)), text);
        QCOMPARE(textfile::encodeWindows1252(QString::fromUtf8("中")), QByteArray("?"));
    }

    void lineReaderStopsAtEnd()
    {
        textfile::LineReader reader(QStringLiteral("uno\r\ndos"));
        QCOMPARE(reader.readLine().value(), QStringLiteral("uno"));
        QCOMPARE(reader.readLine().value(), QStringLiteral("dos"));
        QVERIFY(reader.atEnd());
        QVERIFY(!reader.readLine().has_value());
    }

    void lookupIgnoresLetterCase()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir(dir.path()).mkpath(QStringLiteral("Textos"));
        QFile f(dir.filePath(QStringLiteral("Textos/ÁVILA.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        datafiles::setProgramFolder(dir.path());
        const QString found = datafiles::dataFile(QStringLiteral("textos"), QString::fromUtf8("Ávila.TXT"));
        QCOMPARE(found, dir.filePath(QStringLiteral("Textos/ÁVILA.txt")));
        QVERIFY(QFileInfo::exists(found));
        const QString missing = datafiles::dataFile(QStringLiteral("textos"), QStringLiteral("Soria.txt"));
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(missing.endsWith(QStringLiteral("Soria.txt")));
        datafiles::setProgramFolder({});
    }
};

QTEST_GUILESS_MAIN(TestTextfile)
#include "tst_textfile.moc"
