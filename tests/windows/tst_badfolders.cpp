// Program folders as a careless teacher or a prankster leaves them: each
// damage is reported in Spanish, or quietly worked around where the game has
// a fallback, and then a sound map still loads and plays to the end.
#include "infocard/cardtext.h"
#include "platform/safefile.h"
#include "support/formdriver.h"
#include "windows/form3.h"

#include <QBuffer>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Damage = std::function<void(fixtures::ProgramFolder &)>;

QByteArray threeRegionsWith(const QByteArray &regions)
{
    return "tres.png\r\nSe\xf1" "ala\r\n" + regions;
}

void write(fixtures::ProgramFolder &f, const QString &relative, const QByteArray &bytes)
{
    f.writeFile(relative, bytes);
}

void fifo(fixtures::ProgramFolder &f, const QString &relative)
{
    ::mkfifo(QFile::encodeName(f.path(relative)).constData(), 0644);
}

void link(fixtures::ProgramFolder &f, const QString &target, const QString &relative)
{
    QFile::link(target, f.path(relative));
}

QByteArray pngBytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    fixtures::drawThreeRegionMap().save(&buffer, "PNG");
    return bytes;
}

QByteArray manyRegions(int n)
{
    QByteArray lines;
    for (int i = 0; i < n; ++i)
        lines += "R" + QByteArray::number(i) + ",35,35,0,0,0,0,\r\n";
    return threeRegionsWith(lines);
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

Q_DECLARE_METATYPE(Damage)

class TestBadFolders : public QObject {
    Q_OBJECT
private slots:
    // A damaged map in the catalogue next to the sound one, "Tres".
    void damagedMapIsReported_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("says");
        QTest::addColumn<bool>("needsPermissions");
        const auto map = [](QByteArray bytes) {
            return Damage([bytes](fixtures::ProgramFolder &f) { write(f, "Coordenadas/Malo", bytes); });
        };
        QTest::newRow("empty") << map({}) << true << "menos de dos líneas" << false;
        QTest::newRow("binary") << map(QByteArray::fromHex("89504e470d0a1a0a0000000d49484452ff00fe")) << true
                                << "Línea 3, campo 1" << false;
        QTest::newRow("NUL bytes") << map(QByteArray(4096, '\0')) << true << "menos de dos líneas" << false;
        const QString utf16 = QStringLiteral("\uFEFFtres.png\r\nSeñala\r\nAlfa,35,35,0,0,0,0,\r\n");
        QTest::newRow("UTF-16")
            << map(QByteArray(reinterpret_cast<const char *>(utf16.utf16()), 2 * utf16.size())) << true
            << "Línea 3" << false;
        QTest::newRow("62 regions") << map(manyRegions(62)) << true << "como mucho 61" << false;
        QTest::newRow("huge number") << map(threeRegionsWith("Alfa,99999999999,35,0,0,0,0,\r\n")) << true
                                     << "no es un número entero" << false;
        QTest::newRow("seed outside the picture")
            << map(threeRegionsWith("Alfa,35,35,0,0,0,0,\r\nBeta,400,35,0,0,0,0,\r\n")) << true
            << "Línea 4, campos 2 y 3 (el primer punto):\nEl punto (400, 35) de «Beta» cae fuera del dibujo"
            << false;
        QTest::newRow("seed on a border")
            << map(threeRegionsWith("Alfa,10,35,0,0,0,0,\r\n")) << true << "no cae en una zona blanca" << false;
        QTest::newRow("seed in the sea")
            << map(threeRegionsWith("Alfa,35,35,0,0,0,0,\r\nBeta,100,120,0,0,0,0,\r\n")) << true
            << "no cae en una zona blanca" << false;
        QTest::newRow("two regions, one area")
            << map(threeRegionsWith("Alfa,35,35,0,0,0,0,\r\nBeta,40,40,0,0,0,0,\r\n")) << true
            << "misma zona blanca que «Alfa»" << false;
        QTest::newRow("missing picture")
            << map("falta.png\r\nSeñala\r\nAlfa,35,35,0,0,0,0,\r\n") << true << "No se encuentra el dibujo" << false;
        QTest::newRow("truncated picture") << Damage([](fixtures::ProgramFolder &f) {
            write(f, "Coordenadas/Malo", "cortado.png\r\nS\r\nAlfa,35,35,0,0,0,0,\r\n");
            write(f, "Mapas/cortado.png", pngBytes().left(200));
        }) << true << "No se puede leer el dibujo" << false;
        QTest::newRow("zero-byte picture") << Damage([](fixtures::ProgramFolder &f) {
            write(f, "Coordenadas/Malo", "vacio.png\r\nS\r\nAlfa,35,35,0,0,0,0,\r\n");
            write(f, "Mapas/vacio.png", {});
        }) << true << "No se puede leer el dibujo" << false;
        QTest::newRow("picture up and out")
            << map("../idioma\r\nS\r\nAlfa,35,35,0,0,0,0,\r\n") << true << "sin carpetas" << false;
        QTest::newRow("picture by absolute path")
            << map("/etc/passwd\r\nS\r\nAlfa,35,35,0,0,0,0,\r\n") << true << "sin carpetas" << false;
        QTest::newRow("picture is a FIFO") << Damage([](fixtures::ProgramFolder &f) {
            write(f, "Coordenadas/Malo", "tubo.png\r\nS\r\nAlfa,35,35,0,0,0,0,\r\n");
            fifo(f, "Mapas/tubo.png");
        }) << true << "No es un archivo normal" << false;
        QTest::newRow("picture links to a FIFO") << Damage([](fixtures::ProgramFolder &f) {
            write(f, "Coordenadas/Malo", "enlace.png\r\nS\r\nAlfa,35,35,0,0,0,0,\r\n");
            fifo(f, "tubo");
            link(f, f.path("tubo"), "Mapas/enlace.png");
        }) << true << "No es un archivo normal" << false;
        QTest::newRow("sparse 2 GB map") << Damage([](fixtures::ProgramFolder &f) {
            QFile file(f.path("Coordenadas/Malo"));
            if (file.open(QIODevice::WriteOnly))
                file.resize(qint64(2) << 30);
        }) << true << "demasiado grande" << false;
        QTest::newRow("map links to /dev/zero")
            << Damage([](fixtures::ProgramFolder &f) { link(f, "/dev/zero", "Coordenadas/Malo"); }) << false << ""
            << false;
        QTest::newRow("map links to /dev/urandom")
            << Damage([](fixtures::ProgramFolder &f) { link(f, "/dev/urandom", "Coordenadas/Malo"); }) << false
            << "" << false;
        QTest::newRow("map is a FIFO")
            << Damage([](fixtures::ProgramFolder &f) { fifo(f, "Coordenadas/Malo"); }) << false << "" << false;
        QTest::newRow("unreadable map") << Damage([](fixtures::ProgramFolder &f) {
            write(f, "Coordenadas/Malo", threeRegionsWith("Alfa,35,35,0,0,0,0,\r\n"));
            QFile::setPermissions(f.path("Coordenadas/Malo"), QFileDevice::WriteOwner);
        }) << true << "No se puede leer el archivo" << true;
    }
    void damagedMapIsReported()
    {
        QFETCH(Damage, damage);
        QFETCH(bool, listed);
        QFETCH(QString, says);
        QFETCH(bool, needsPermissions);
        if (needsPermissions && runningAsRoot())
            QSKIP("root reads every file whatever its permissions");

        FormDriver d;
        damage(d.folder);
        QVERIFY(d.open());
        d.chooseMode(1);
        QCOMPARE(d.loadMap(QStringLiteral("Malo")), listed);
        if (listed) {
            QCOMPARE(d.folder.errors.size(), std::size_t(1));
            const QString message = d.folder.errors.front().error.message();
            QVERIFY2(message.contains(says), qPrintable(message));
            QVERIFY2(message.contains(QStringLiteral("Malo")), qPrintable(message));
            QCOMPARE(d.folder.errors.front().severity, errorreport::Severity::Recoverable);
            QVERIFY(d.form->File1->isVisible()); // still choosing a map
        } else {
            QVERIFY(d.folder.errors.empty());
        }
        QVERIFY(d.loadAndPlay());
    }

    // Damage beside the catalogue: the game falls back and plays on.
    void damagedFolderPlaysOn_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<bool>("needsPermissions");
        QTest::newRow("no gifs folder")
            << Damage([](fixtures::ProgramFolder &f) { QDir(f.path("gifs")).removeRecursively(); }) << false;
        QTest::newRow("no sonidos folder")
            << Damage([](fixtures::ProgramFolder &f) { QDir(f.path("sonidos")).removeRecursively(); }) << false;
        QTest::newRow("corrupt miro.gif")
            << Damage([](fixtures::ProgramFolder &f) { write(f, "gifs/miro.gif", "GIF89a\x10\x00garbage"); })
            << false;
        QTest::newRow("miro.gif is a FIFO")
            << Damage([](fixtures::ProgramFolder &f) { fifo(f, "gifs/miro.gif"); }) << false;
        QTest::newRow("miro.gif links to /dev/zero")
            << Damage([](fixtures::ProgramFolder &f) { link(f, "/dev/zero", "gifs/miro.gif"); }) << false;
        QTest::newRow("acierto.gif is a FIFO")
            << Damage([](fixtures::ProgramFolder &f) { fifo(f, "gifs/acierto.gif"); }) << false;
        QTest::newRow("a_ver.wav is a FIFO")
            << Damage([](fixtures::ProgramFolder &f) { fifo(f, "sonidos/a_ver.wav"); }) << false;
        QTest::newRow("unreadable miro.gif") << Damage([](fixtures::ProgramFolder &f) {
            write(f, "gifs/miro.gif", "GIF89a");
            QFile::setPermissions(f.path("gifs/miro.gif"), QFileDevice::WriteOwner);
        }) << true;
    }
    void damagedFolderPlaysOn()
    {
        QFETCH(Damage, damage);
        QFETCH(bool, needsPermissions);
        if (needsPermissions && runningAsRoot())
            QSKIP("root reads every file whatever its permissions");
        FormDriver d;
        damage(d.folder);
        QVERIFY(d.open());
        QVERIFY(d.loadAndPlay());
        QVERIFY(d.folder.errors.empty());
    }

    void unreadableCatalogueSaysWhy()
    {
        if (runningAsRoot())
            QSKIP("root lists every folder whatever its permissions");
        FormDriver d;
        QFile::setPermissions(d.folder.path("Coordenadas"), QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(d.open());
        QFile::setPermissions(d.folder.path("Coordenadas"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(d.folder.errors.size(), std::size_t(1));
        QVERIFY(d.folder.errors.front().error.what.contains(QStringLiteral("falta permiso de lectura")));
    }

    // The start-up screen with its animation swapped for a FIFO shows at once.
    void startUpAnimationIsAFifo()
    {
        fixtures::ProgramFolder folder;
        fifo(folder, "gifs/idea.gif");
        link(folder, "/dev/zero", "gifs/la_tierra.gif");
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form3 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());
        QVERIFY(folder.errors.empty());
    }

    // Card texts of any length show at once, cut with a mark past the bound;
    // a text that is a device counts as no text.
    void cardTexts_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<bool>("missing");
        QTest::newRow("4 MB in one run") << Damage([](fixtures::ProgramFolder &f) {
            write(f, "textos/Alfa.txt", QByteArray(4 << 20, 'x'));
        }) << true << false;
        QTest::newRow("256 KB in one run") << Damage([](fixtures::ProgramFolder &f) {
            write(f, "textos/Alfa.txt", QByteArray(256 << 10, 'x'));
        }) << true << false;
        QTest::newRow("beyond the file bound") << Damage([](fixtures::ProgramFolder &f) {
            QFile file(f.path("textos/Alfa.txt"));
            if (file.open(QIODevice::WriteOnly))
                file.resize(cardtext::kMaxFileBytes + 1);
        }) << false << true;
        QTest::newRow("links to /dev/zero") << Damage([](fixtures::ProgramFolder &f) {
            link(f, "/dev/zero", "textos/Alfa.txt");
        }) << false << true;
        QTest::newRow("a FIFO") << Damage([](fixtures::ProgramFolder &f) { fifo(f, "textos/Alfa.txt"); }) << false
                                << true;
    }
    void cardTexts()
    {
        QFETCH(Damage, damage);
        QFETCH(bool, cut);
        QFETCH(bool, missing);
        FormDriver d;
        QDir(d.folder.path()).mkdir("textos");
        damage(d.folder);
        QVERIFY(d.open());
        d.chooseMode(0);
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        QVERIFY(d.chooseRegion(0));
        QTest::mouseClick(d.form->Command4, Qt::LeftButton);
        QVERIFY(d.form->Frame2->isVisible());
        const QString shown = d.form->Text2->toPlainText();
        if (missing) {
            QCOMPARE(shown, QStringLiteral("Sin texto"));
        } else {
            QCOMPARE(shown.endsWith(cardtext::cutMark()), cut);
            QVERIFY(shown.size() <= cardtext::kMaxCharacters + cardtext::kMaxCharacters / cardtext::kMaxRun);
        }
        QVERIFY(d.folder.errors.empty());
        QTest::mouseClick(d.form->Command3, Qt::LeftButton);
        QVERIFY(d.loadAndPlay());
    }
};

QTEST_MAIN(TestBadFolders)
#include "tst_badfolders.moc"
