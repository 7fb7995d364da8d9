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
    }

    // The one codec of the game and its tools: what the forge writes and
    // what it must refuse to write.
    void encodeWindows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("unmappable");
        QTest::newRow("latin-1 letter") << QString::fromUtf8("España") << QByteArray("Espa\xF1" "a") << QString();
        QTest::newRow("the 0x80 row") << QString::fromUtf8("\u20AC\u2019\u0178") << QByteArray("\x80\x92\x9F")
                                      << QString();
        QTest::newRow("a C1 control is not the euro sign") << QString::fromUtf8("\u0080") << QByteArray("?")
                                                            << QString::fromUtf8("\u0080");
        QTest::newRow("Polish letters") << QString::fromUtf8("Łódź") << QByteArray("?\xF3" "d?")
                                        << QString::fromUtf8("Łź");
        QTest::newRow("Romanian letters") << QString::fromUtf8("Chișinău") << QByteArray("Chi?in?u")
                                          << QString::fromUtf8("șă");
        QTest::newRow("ideograph") << QString::fromUtf8("中") << QByteArray("?") << QString::fromUtf8("中");
    }
    void encodeWindows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, unmappable);
        QString refused;
        QCOMPARE(textfile::encodeWindows1252(text, &refused), bytes);
        QCOMPARE(refused, unmappable);
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
        const QString found = datafiles::dataFile(dir.path(), QStringLiteral("textos"), QString::fromUtf8("Ávila.TXT"));
        QCOMPARE(found, dir.filePath(QStringLiteral("Textos/ÁVILA.txt")));
        QVERIFY(QFileInfo::exists(found));
        const QString missing = datafiles::dataFile(dir.path(), QStringLiteral("textos"), QStringLiteral("Soria.txt"));
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(missing.endsWith(QStringLiteral("Soria.txt")));
    }
};

QTEST_GUILESS_MAIN(TestTextfile)
#include "tst_textfile.moc"
