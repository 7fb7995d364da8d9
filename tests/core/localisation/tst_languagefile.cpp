// The language file: every character of a line kept, and missing lines
// falling back to the design texts instead of ending the program.
#include "localisation/languagefile.h"
#include "platform/datafiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestLanguageFile : public QObject {
    Q_OBJECT
private slots:
    void readsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CR LF") << QByteArray("Entrar\r\nFallos\r\n") << 2 << "Fallos";
        QTest::newRow("CR") << QByteArray("Entrar\rFallos\r") << 2 << "Fallos";
        QTest::newRow("LF") << QByteArray("Entrar\nFallos\n") << 2 << "Fallos";
        QTest::newRow("trailing space kept") << QByteArray("x\r\nErrores \r\n") << 2 << "Errores ";
        QTest::newRow("empty first line") << QByteArray("\r\nErrores\r\n") << 1 << "";
        QTest::newRow("windows-1252") << QByteArray("x\r\nx\r\nx\r\nSin regi\xf3n\r\n") << 4
                                      << QString::fromUtf8("Sin región");
        QTest::newRow("utf-8") << QByteArray("x\r\nx\r\nx\r\nSin regi\xc3\xb3n\r\n") << 4
                               << QString::fromUtf8("Sin región");
    }
    void readsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        QFETCH(QString, expected);
        QCOMPARE(LanguageFile::fromBytes(bytes).line(number), expected);
    }

    void shortFileFallsBack_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("errors") << 2 << "Errores";
        QTest::newRow("hits") << 3 << "Aciertos";
        QTest::newRow("dialog title") << 10 << "Prueba finalizada";
        QTest::newRow("another test") << 11 << "Otra prueba";
        QTest::newRow("end") << 12 << "Fin";
        QTest::newRow("missing text notice") << 9 << QString::fromUtf8("Todavía no hay texto para esta región.");
    }
    void shortFileFallsBack()
    {
        QFETCH(int, number);
        QFETCH(QString, expected);
        const auto file = LanguageFile::fromBytes("Jugar\r\n");
        QCOMPARE(file.line(1), QStringLiteral("Jugar"));
        QCOMPARE(file.line(number), expected);
    }

    void moreThanTwelveLinesIgnored()
    {
        QByteArray bytes;
        for (int i = 1; i <= 14; ++i)
            bytes += "linea" + QByteArray::number(i) + "\r\n";
        const auto file = LanguageFile::fromBytes(bytes);
        QCOMPARE(file.line(12), QStringLiteral("linea12"));
        QVERIFY(!file.hasLine(13));
    }

    void shippedFileHasAllTwelveLines()
    {
        datafiles::setProgramFolder(QStringLiteral(MAPURIX_SOURCE_DATA));
        const auto loaded = LanguageFile::load();
        QVERIFY(std::holds_alternative<LanguageFile>(loaded));
        const auto &file = std::get<LanguageFile>(loaded);
        for (int i = 1; i <= LanguageFile::kLineCount; ++i) {
            QVERIFY(file.hasLine(i));
            QCOMPARE(file.line(i), LanguageFile::builtInLine(i));
        }
    }

    void missingFileIsAnError()
    {
        QTemporaryDir dir;
        datafiles::setProgramFolder(dir.path());
        const auto loaded = LanguageFile::load();
        QVERIFY(std::holds_alternative<LoadError>(loaded));
        QVERIFY(std::get<LoadError>(loaded).file.endsWith(QStringLiteral("idioma")));
        datafiles::setProgramFolder({});
    }
};

QTEST_GUILESS_MAIN(TestLanguageFile)
#include "tst_languagefile.moc"
