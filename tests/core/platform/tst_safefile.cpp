// Whatever sits in the program folder, reading it neither blocks nor runs
// away: FIFOs, devices, links to them and huge files are refused up front.
#include "platform/datafiles.h"
#include "platform/safefile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using safefile::Fault;

class TestSafeFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        write(QStringLiteral("mapa.txt"), "europa.png\r\nSe\xf1" "ala\r\n");
        QVERIFY(::mkfifo(QFile::encodeName(path(QStringLiteral("tuberia"))).constData(), 0644) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("cero"))));
        QVERIFY(QFile::link(QStringLiteral("/dev/urandom"), path(QStringLiteral("azar.gif"))));
        QVERIFY(QFile::link(path(QStringLiteral("tuberia")), path(QStringLiteral("enlace-tuberia"))));
        QVERIFY(QFile::link(path(QStringLiteral("mapa.txt")), path(QStringLiteral("enlace-mapa"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("carpeta")));
        // Sparse: 2 GB on paper, nothing on disk.
        QFile sparse(path(QStringLiteral("enorme.txt")));
        QVERIFY(sparse.open(QIODevice::WriteOnly));
        QVERIFY(sparse.resize(qint64(2) << 30));
        // Exactly at the bound, and one byte over.
        write(QStringLiteral("justo.txt"), QByteArray(safefile::kTextLimit, 'a'));
        write(QStringLiteral("pasado.txt"), QByteArray(safefile::kTextLimit + 1, 'a'));
    }

    void read_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fault"); // -1: read whole
        QTest::newRow("regular file") << "mapa.txt" << -1;
        QTest::newRow("link to a regular file") << "enlace-mapa" << -1;
        QTest::newRow("at the bound") << "justo.txt" << -1;
        QTest::newRow("missing") << "no-esta.txt" << int(Fault::Missing);
        QTest::newRow("FIFO") << "tuberia" << int(Fault::NotRegular);
        QTest::newRow("link to a FIFO") << "enlace-tuberia" << int(Fault::NotRegular);
        QTest::newRow("link to /dev/zero") << "cero" << int(Fault::NotRegular);
        QTest::newRow("link to /dev/urandom") << "azar.gif" << int(Fault::NotRegular);
        QTest::newRow("folder") << "carpeta" << int(Fault::NotRegular);
        QTest::newRow("sparse 2 GB") << "enorme.txt" << int(Fault::TooLarge);
        QTest::newRow("one byte over") << "pasado.txt" << int(Fault::TooLarge);
    }
    void read()
    {
        QFETCH(QString, name);
        QFETCH(int, fault);
        const auto result = safefile::read(path(name), safefile::kTextLimit);
        if (fault < 0) {
            QVERIFY(std::holds_alternative<QByteArray>(result));
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(std::get<QByteArray>(result), file.readAll());
        } else {
            QVERIFY(std::holds_alternative<Fault>(result));
            QCOMPARE(int(std::get<Fault>(result)), fault);
            QVERIFY(!safefile::describe(std::get<Fault>(result), safefile::kTextLimit).isEmpty());
        }
        QCOMPARE(textfile::readBytes(path(name)).has_value(), fault < 0);
    }

    void unreadableFile()
    {
        if (::geteuid() == 0)
            QSKIP("root reads files whatever their permissions");
        QTemporaryDir own;
        const QString secret = QDir(own.path()).filePath(QStringLiteral("secreto.txt"));
        QFile file(secret);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QFile::setPermissions(secret, QFileDevice::WriteOwner);
        const auto result = safefile::read(secret, safefile::kTextLimit);
        QVERIFY(std::holds_alternative<Fault>(result));
        QCOMPARE(std::get<Fault>(result), Fault::Unreadable);
    }

    // Look-ups and listings see regular files only, whatever the name's case.
    void lookUpSeesRegularFilesOnly()
    {
        QCOMPARE(datafiles::findFile(dir.path(), QStringLiteral("MAPA.TXT")), path(QStringLiteral("mapa.txt")));
        QCOMPARE(datafiles::findFile(dir.path(), QStringLiteral("tuberia")), QString());
        QCOMPARE(datafiles::findFile(dir.path(), QStringLiteral("CERO")), QString());
        QCOMPARE(datafiles::findFile(dir.path(), QStringLiteral("enlace-tuberia")), QString());
        const QStringList listed = datafiles::listFiles(dir.path());
        QCOMPARE(listed, QStringList({"enlace-mapa", "enorme.txt", "justo.txt", "mapa.txt", "pasado.txt"}));
    }

    void dataFilesStayInTheirFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("plain") << "europa.png" << true;
        QTest::newRow("spaces and accents") << "América del Sur.png" << true;
        QTest::newRow("dots inside") << "a..b.png" << true;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("parent") << ".." << false;
        QTest::newRow("up and across") << "../idioma" << false;
        QTest::newRow("subfolder") << "otra/europa.png" << false;
        QTest::newRow("backslash") << "..\\idioma" << false;
        QTest::newRow("drive") << "C:\\mapas\\europa.png" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("empty") << "" << false;
    }
    void dataFilesStayInTheirFolder()
    {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QCOMPARE(safefile::isPlainName(name), plain);
        QCOMPARE(datafiles::dataFile(dir.path(), QStringLiteral("carpeta"), name).isEmpty(), !plain);
    }

    void folderListing()
    {
        QVERIFY(safefile::canListFolder(dir.path()));
        QVERIFY(!safefile::canListFolder(path(QStringLiteral("no-esta"))));
        QVERIFY(!safefile::canListFolder(path(QStringLiteral("mapa.txt"))));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
