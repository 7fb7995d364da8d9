// Program folders as a careless teacher or a prankster leaves them: each
// damage is reported in Spanish, or quietly worked around where the game has
// a fallback, and then a sound map still loads and plays to the end.
#include "controls/errordialog.h"
#include "infocard/cardtext.h"
#include "platform/safefile.h"
#include "support/formdriver.h"
#include "windows/form3.h"
#include "windows/form4.h"

#include <QAccessible>
#include <QBuffer>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTextDocument>

#include <fcntl.h>
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

// What the learner reads on a control, as the toolkit draws it: a label that
// takes its text for markup shows the markup's plain text; a button or a frame
// shows its caption without the "&" that marks a keyboard shortcut.
QString shownText(QWidget *w)
{
    if (auto *label = qobject_cast<QLabel *>(w)) {
        const bool markup = label->textFormat() == Qt::RichText ||
                            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
        if (!markup)
            return label->text();
        QTextDocument document;
        document.setHtml(label->text());
        return document.toPlainText();
    }
    if (auto *text = qobject_cast<QPlainTextEdit *>(w))
        return text->toPlainText();
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(w);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// Markup placed in the program folder's texts. An <img> naming a FIFO makes a
// label that reads markup block for good when it lays itself out, so a fault
// here hangs the test until the harness stops it.
const QString kMarkup = QStringLiteral("A & <b><font size=7 color=red>x</font></b><img src=\"FIFO\">");
// A file name holds no "/", so no closing tag either.
const QString kMarkupInName = QStringLiteral("Mapa & <b>x <font size=7 color=red>y");

QByteArray withFifo(fixtures::ProgramFolder &f, const QString &markup)
{
    if (!QFileInfo::exists(f.path("tubo")))
        fifo(f, "tubo");
    return QString(markup).replace(QStringLiteral("FIFO"), f.path("tubo")).toUtf8();
}

// Writes the markup into one place of the program folder.
using Place = std::function<void(fixtures::ProgramFolder &, const QByteArray &markup)>;
// Drives the windows to where that text shows and returns what is read there.
using Look = std::function<QString(FormDriver &)>;

Place languageLine(int number)
{
    return [number](fixtures::ProgramFolder &f, const QByteArray &markup) {
        QList<QByteArray> lines = {"Entrar", "Errores",  "Aciertos",          "Sin imagen",  "Ficha", "Estudiar",
                                   "Jugar",  "Volver",   "Sin texto", "Prueba finalizada", "Otra prueba", "Fin"};
        lines[number - 1] = markup;
        f.writeFile("idioma", lines.join("\r\n") + "\r\n");
    };
}

// A map "Marcado" on the three-region picture, with the markup in its prompt
// or in the name of its first region.
Place markedMap(const char *pattern)
{
    return [pattern](fixtures::ProgramFolder &f, const QByteArray &markup) {
        f.addMap("Marcado", QByteArray(pattern).replace("MARKUP", markup), "tres.png", fixtures::drawThreeRegionMap());
    };
}

void clickListRow(QListWidget *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// Study mode on "Marcado" (or "Tres") with its first region chosen in the
// list from the keyboard.
void studyFirstRegion(FormDriver &d)
{
    d.chooseMode(0);
    if (!d.loadMap("Marcado") && !d.loadMap("Tres"))
        return;
    d.form->List3->setFocus();
    QTest::keyClick(d.form->List3, Qt::Key_Down);
}

// Plays the test-finished dialog's way: captures what `part` of the dialog
// shows (0 its title, 1 and 2 its buttons), then asks for another test.
QString finishedDialogText(FormDriver &d, int part)
{
    QString shown;
    bool answered = false;
    auto *poll = new QTimer(d.form.get());
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
        auto *dialog = qobject_cast<Form2 *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        const auto close = qScopeGuard([&] {
            answered = true;
            dialog->Command1[0]->click();
        });
        shown = shownText(part == 0 ? static_cast<QWidget *>(dialog->Label2) : dialog->Command1[std::size_t(part - 1)]);
    });
    poll->start();
    d.chooseMode(1);
    d.loadMap("Tres");
    for (int i = 0; i < 6 && !answered; ++i) {
        d.clickRegion(d.form->state.targetRegion);
        d.endLookAnimation();
    }
    return shown;
}

// From wherever a look left the main window back to the map choice.
void backToMapChoice(FormDriver &d)
{
    if (d.form->Command3->isVisible())
        QTest::mouseClick(d.form->Command3, Qt::LeftButton);
    else if (d.form->Picture1->isVisible())
        d.playWholeQuiz(0);
}

QImage whitePicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(Look)

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
            << "guardado en UTF-16, una codificación que el juego no admite" << false;
        const QString utf16NoMark = QStringLiteral("tres.png\r\nSeñala\r\nAlfa,35,35,0,0,0,0,\r\n");
        QTest::newRow("UTF-16 without a mark")
            << map(QByteArray(reinterpret_cast<const char *>(utf16NoMark.utf16()), 2 * utf16NoMark.size())) << true
            << "guardado en UTF-16" << false;
        // The window around it would not fit the offscreen screen (800 x 800),
        // given at least the room of the smallest screen the atlas is drawn
        // for (1366 x 720): 1366 x 800.
        QTest::newRow("picture too large for the screen") << Damage([](fixtures::ProgramFolder &f) {
            write(f, "Coordenadas/Malo", "enorme.png\r\nS\r\nAlfa,35,35,0,0,0,0,\r\n");
            whitePicture(QSize(2000, 1500)).save(f.path("Mapas/enorme.png"), "PNG");
        }) << true << "enorme.png».\nEl dibujo del mapa es demasiado grande para la pantalla: mide 2000 × 1500 "
                      "píxeles, y en esta pantalla puede medir como mucho 1222 × 682 píxeles" << false;
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

    // Text from the program folder shows as it stands wherever it shows:
    // markup is not drawn (nor its <img> loaded) and "&" is no shortcut.
    void markupShowsAsText_data()
    {
        QTest::addColumn<Place>("place");
        QTest::addColumn<QString>("markup");
        QTest::addColumn<Look>("look");
        QTest::addColumn<QString>("expected");
        const Look quizPrompt = [](FormDriver &d) {
            d.chooseMode(1);
            d.loadMap("Marcado");
            return shownText(d.form->Label1);
        };
        QTest::newRow("prompt line, quiz")
            << markedMap("tres.png\r\nMARKUP\r\nAlfa,35,35,20,110,0,0,\r\n") << kMarkup << quizPrompt << "%1 Alfa";
        const Place markedRegion = markedMap("tres.png\r\nPinta\r\nMARKUP,35,35,20,110,0,0,\r\n"
                                             "Beta,95,35,0,0,0,0,\r\n");
        QTest::newRow("region name, quiz prompt")
            << markedMap("tres.png\r\nPinta\r\nMARKUP,35,35,20,110,0,0,\r\n") << kMarkup << quizPrompt
            << "Pinta %1";
        QTest::newRow("region name, chosen in the study list") << markedRegion << kMarkup << Look([](FormDriver &d) {
            studyFirstRegion(d);
            return shownText(d.form->Label1);
        }) << "%1";
        QTest::newRow("region name, painted on the map") << markedRegion << kMarkup << Look([](FormDriver &d) {
            d.chooseMode(0);
            d.loadMap("Marcado");
            d.clickMap(35, 35);
            return shownText(d.form->Label1);
        }) << "%1";
        QTest::newRow("region name, the study list") << markedRegion << kMarkup << Look([](FormDriver &d) {
            d.chooseMode(0);
            d.loadMap("Marcado");
            return d.form->List3->item(0)->text();
        }) << "%1";
        QTest::newRow("region name, the card's title") << markedRegion << kMarkup << Look([](FormDriver &d) {
            studyFirstRegion(d);
            QTest::mouseClick(d.form->Command4, Qt::LeftButton);
            return shownText(d.form->Frame2);
        }) << "%1";
        QTest::newRow("region name, the hit list")
            << markedMap("tres.png\r\nPinta\r\nMARKUP,35,35,20,110,0,0,\r\n") << kMarkup << Look([](FormDriver &d) {
                   d.chooseMode(1);
                   d.loadMap("Marcado");
                   d.clickRegion(0);
                   return d.form->List1->item(0)->text();
               }) << "%1";
        QTest::newRow("file name, the catalogue") << Place([](fixtures::ProgramFolder &f, const QByteArray &markup) {
            f.addThreeRegionMap(QString::fromUtf8(markup));
        }) << kMarkupInName << Look([](FormDriver &d) {
            const auto found = d.form->File1->findItems(kMarkupInName, Qt::MatchExactly);
            return found.isEmpty() ? QString() : found.first()->text();
        }) << "%1";

        QTest::newRow("language line 1, start-up button") << languageLine(1) << kMarkup << Look([](FormDriver &d) {
            Form3 form3(d.sound, d.random, d.folder.platform());
            form3.Form_Load();
            return shownText(form3.Command1);
        }) << "%1";
        QTest::newRow("language line 2, error counter") << languageLine(2) << kMarkup << Look([](FormDriver &d) {
            d.chooseMode(1);
            d.loadMap("Tres");
            return shownText(d.form->Command1[1]);
        }) << "%1";
        QTest::newRow("language line 3, hit counter") << languageLine(3) << kMarkup << Look([](FormDriver &d) {
            d.chooseMode(1);
            d.loadMap("Tres");
            d.clickRegion(d.form->state.targetRegion);
            return shownText(d.form->Command1[0]);
        }) << "%1 1";
        QTest::newRow("language line 4, no-picture notice") << languageLine(4) << kMarkup << Look([](FormDriver &d) {
            studyFirstRegion(d);
            QTest::mouseClick(d.form->Command4, Qt::LeftButton);
            return shownText(d.form->Label3);
        }) << "%1";
        QTest::newRow("language line 5, card button") << languageLine(5) << kMarkup << Look([](FormDriver &d) {
            d.chooseMode(0);
            d.loadMap("Tres");
            return shownText(d.form->Command4);
        }) << "%1";
        QTest::newRow("language line 6, study option")
            << languageLine(6) << kMarkup << Look([](FormDriver &d) { return shownText(d.form->Option1[0]); })
            << "%1";
        QTest::newRow("language line 7, quiz option")
            << languageLine(7) << kMarkup << Look([](FormDriver &d) { return shownText(d.form->Option1[1]); })
            << "%1";
        QTest::newRow("language line 8, back button") << languageLine(8) << kMarkup << Look([](FormDriver &d) {
            d.chooseMode(0);
            d.loadMap("Tres");
            return shownText(d.form->Command3);
        }) << "%1";
        QTest::newRow("language line 9, no-text notice") << languageLine(9) << kMarkup << Look([](FormDriver &d) {
            studyFirstRegion(d);
            QTest::mouseClick(d.form->Command4, Qt::LeftButton);
            return shownText(d.form->Text2);
        }) << "%1";
        for (int line : {10, 11, 12}) {
            QTest::addRow("language line %d, test-finished dialog", line)
                << languageLine(line) << kMarkup
                << Look([line](FormDriver &d) { return finishedDialogText(d, line - 10); }) << "%1";
        }
    }
    void markupShowsAsText()
    {
        QFETCH(Place, place);
        QFETCH(QString, markup);
        QFETCH(Look, look);
        QFETCH(QString, expected);
        FormDriver d;
        const QByteArray written = withFifo(d.folder, markup);
        place(d.folder, written);
        QVERIFY(d.open());
        QCOMPARE(look(d), expected.arg(QString::fromUtf8(written)));
        QVERIFY(d.folder.errors.empty());
        backToMapChoice(d);
        QVERIFY(d.loadAndPlay());
    }

    // The error report names the file and quotes what it holds; the box
    // shows both as text. The name holds no "/", so its <img> names the FIFO
    // from the working folder.
    void errorReportShowsMarkupAsText_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("markup in the file name")
            << QStringLiteral("Malo <b>x <img src=tubo>") << QByteArray() << QStringLiteral("Malo <b>x <img src=tubo>»");
        QTest::newRow("markup in line 1, quoted")
            << QStringLiteral("Malo") << QByteArray("MARKUP\r\nS\r\nAlfa,35,35,0,0,0,0,\r\n")
            << QStringLiteral("«MARKUP» no es un nombre de archivo");
    }
    void errorReportShowsMarkupAsText()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, contents);
        QFETCH(QString, quoted);
        MessageBoxErrorReport box;
        FormDriver d;
        d.errorReport = &box;
        const QByteArray markup = withFifo(d.folder, kMarkup);
        write(d.folder, "Coordenadas/" + fileName, QByteArray(contents).replace("MARKUP", markup));
        const QString workingFolder = QDir::currentPath();
        QDir::setCurrent(d.folder.path());
        const auto restore = qScopeGuard([&workingFolder] { QDir::setCurrent(workingFolder); });
        QVERIFY(d.open());
        QString shown;
        auto *poll = new QTimer(d.form.get());
        poll->setInterval(5);
        connect(poll, &QTimer::timeout, poll, [&shown, poll] {
            auto *message = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!message)
                return;
            poll->stop();
            poll->deleteLater();
            const auto close = qScopeGuard([message] { message->accept(); });
            shown = shownText(message->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")));
        });
        poll->start();
        d.chooseMode(1);
        QVERIFY(d.loadMap(fileName));
        QVERIFY2(shown.contains(QString(quoted).replace(QStringLiteral("MARKUP"), QString::fromUtf8(markup))),
                 qPrintable(shown));
        QVERIFY(d.loadAndPlay());
    }

    // Every label of every window reads its text as text, so a label added
    // later cannot show data as markup.
    void everyLabelIsPlainText()
    {
        FormDriver d;
        QVERIFY(d.open());
        d.chooseMode(0);
        QVERIFY(d.loadMap("Tres"));
        Form2 form2(*d.form);
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form3 form3(sound, random, d.folder.platform());
        Form4 form4(QPixmap::fromImage(whitePicture(QSize(20, 10))));
        for (const QWidget *window : std::initializer_list<const QWidget *>{d.form.get(), &form2, &form3, &form4}) {
            for (const QLabel *label : window->findChildren<QLabel *>())
                QVERIFY2(label->textFormat() == Qt::PlainText,
                         qPrintable(QStringLiteral("%1 in %2").arg(label->metaObject()->className(),
                                                                   window->metaObject()->className())));
        }
    }

    // Maps with tiny pictures: in study mode the way back to the maps and
    // the card button both stay within reach of the mouse.
    void tinyMapKeepsItsButtons_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1 x 1") << QSize(1, 1);
        QTest::newRow("100 x 100") << QSize(100, 100);
    }
    void tinyMapKeepsItsButtons()
    {
        QFETCH(QSize, size);
        FormDriver d;
        d.folder.addMap("Diminuto", "diminuto.png\r\nPinta\r\nPunto,0,0,0,0,0,0,\r\n", "diminuto.png",
                        whitePicture(size));
        QVERIFY(d.open());
        d.chooseMode(0);
        QVERIFY(d.loadMap("Diminuto"));
        QVERIFY(d.folder.errors.empty());
        Form1 &f = *d.form;
        QVERIFY(f.Command3->isVisible() && f.Command4->isVisible());
        for (QPushButton *button : {f.Command3, f.Command4}) {
            const QPoint centre = button->geometry().center();
            QCOMPARE(f.childAt(centre), button);
            QVERIFY(f.rect().contains(button->geometry()));
        }
        // Choosing the region and opening the card, then back, by the mouse.
        clickListRow(f.List3, 0);
        QTest::mouseClick(f.childAt(f.Command4->geometry().center()), Qt::LeftButton);
        QVERIFY(f.Frame2->isVisible());
        QTest::mouseClick(f.childAt(f.Command3->geometry().center()), Qt::LeftButton);
        QVERIFY(f.File1->isVisible());
        QVERIFY(d.loadAndPlay());
    }

    // A coordinates file named in Windows-1252, as an older system copied
    // it: listed under that reading, and it loads and plays.
    void windows1252FileNameIsListed()
    {
        FormDriver d;
        const QByteArray native = QFile::encodeName(d.folder.path("Coordenadas")) + "/Espa\xf1" "a";
        QFile file;
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        QVERIFY(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        file.write(fixtures::threeRegionCoordinates());
        file.close();
        QVERIFY(d.open());
        QVERIFY2(d.items(d.form->File1).contains(QString::fromUtf8("España")),
                 qPrintable(d.items(d.form->File1).join(u'|')));
        QVERIFY(d.loadAndPlay(QString::fromUtf8("España")));
        QVERIFY(d.folder.errors.empty());
        d.form->Form_Activate();
        QVERIFY(d.loadAndPlay());
    }

    // A language file over the bound stops the start with a report that says
    // so and gives the bound; mended, the game plays.
    void languageFileTooLarge()
    {
        FormDriver d;
        {
            QFile big(d.folder.path("idioma"));
            QVERIFY(big.open(QIODevice::WriteOnly));
            big.write("Entrar\r\n");
            big.resize(safefile::kTextLimit + 1);
        }
        Form3 form3(d.sound, d.random, d.folder.platform());
        QVERIFY(!form3.Form_Load());
        QCOMPARE(d.folder.errors.size(), std::size_t(1));
        const QString message = d.folder.errors.front().error.message();
        QVERIFY2(message.contains(QStringLiteral("idioma")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("demasiado grande: como mucho puede tener 1 MiB")),
                 qPrintable(message));
        d.folder.errors.clear();
        languageLine(1)(d.folder, "Entrar");
        QVERIFY(d.open());
        QVERIFY(d.loadAndPlay());
    }
};

QTEST_MAIN(TestBadFolders)
#include "tst_badfolders.moc"
