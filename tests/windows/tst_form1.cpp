// The main window after its load step, and its activation handler.
#include "windows/form1.h"
#include "controls/animador.h"
#include "controls/filelistbox.h"
#include "controls/mapview.h"
#include "platform/random.h"
#include "support/fixtures.h"
#include "support/mouse.h"
#include "support/recordingsoundplayer.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

class TestForm1 : public QObject {
    Q_OBJECT
private slots:

    void loadShowsTheMapChoiceScreen()
    {
        fixtures::ProgramFolder folder;
        folder.addThreeRegionMap(QStringLiteral("Tres"));
        folder.writeFile(QStringLiteral("Coordenadas/Alfa"), "x");
        folder.writeFile(QString::fromUtf8("Coordenadas/África"), "x");
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form1 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());
        form.show();

        QVERIFY(form.File1->isVisible());
        QVERIFY(form.Frame1->isVisible());
        QVERIFY(form.Option1[0]->isVisible() && form.Option1[0]->isChecked());
        QVERIFY(form.Option1[1]->isVisible() && !form.Option1[1]->isChecked());
        QVERIFY(form.Picture2->isVisible());
        for (QWidget *hidden : std::initializer_list<QWidget *>{
                 form.Picture1, form.Command1[0], form.Command1[1], form.Command2, form.List1, form.List2,
                 form.List3, form.Command3, form.Command4, form.Frame2})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->metaObject()->className()));

        // Captions from the language file.
        QCOMPARE(form.Option1[0]->text(), QStringLiteral("Estudiar"));
        QCOMPARE(form.Option1[1]->text(), QStringLiteral("Jugar"));
        QCOMPARE(form.Command3->text(), QStringLiteral("Volver"));
        QCOMPARE(form.state.errorsLabel, QStringLiteral("Errores"));
        QCOMPARE(form.state.hitsLabel, QStringLiteral("Aciertos"));
        QCOMPARE(form.state.uiTexts[5], QStringLiteral("Sin texto"));
        QCOMPARE(form.Frame1->title(), QStringLiteral("Opciones"));
        QVERIFY(form.Label1->text().isEmpty());
        QVERIFY(form.Label2->text().isEmpty());

        // The catalogue lists the coordinates folder, sorted ignoring case.
        QCOMPARE(form.File1->count(), 3);
        QCOMPARE(form.File1->item(0)->text(), QString::fromUtf8("África"));
        QCOMPARE(form.File1->item(1)->text(), QStringLiteral("Alfa"));
        QCOMPARE(form.File1->item(2)->text(), QStringLiteral("Tres"));

        QCOMPARE(form.state.shared.hitCount, std::int16_t(0));
        QCOMPARE(form.state.shared.errorCount, std::int16_t(0));
        QCOMPARE(form.state.questionsAsked, std::int16_t(0));
        QVERIFY(!form.Timer1->isActive());
        QVERIFY(form.Timer2->isActive());
        QCOMPARE(form.Timer2->interval(), 300);

        // Designed outer size: 9600 x 7200 twips, read back as such.
        QCOMPARE(form.outerWidth(), 9600.0);
        QCOMPARE(form.outerHeight(), 7200.0);
        QCOMPARE(form.surface.fillColor(), QRgb(0x0000FF));
        QVERIFY(folder.errors.empty());
    }

    void loadCentresOnTheScreen()
    {
        fixtures::ProgramFolder folder;
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form1 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());
        // The offscreen screen is 800 x 800 pixels, 12000 x 12000 twips: the
        // 9600 x 7200 window goes to Left 1200, Top 2400.
        QCOMPARE(form.screen()->size(), QSize(800, 800));
        QCOMPARE(form.outerWidth(), 9600.0);
        QCOMPARE(form.outerHeight(), 7200.0);
        QCOMPARE(form.leftTwips(), 1200.0);
        QCOMPARE(form.topTwips(), 2400.0);
    }

    void missingCatalogueFolderIsReported()
    {
        fixtures::ProgramFolder folder;
        QDir(folder.path()).rmdir(QStringLiteral("Coordenadas"));
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form1 form(sound, random, folder.platform());
        QVERIFY(!form.Form_Load());
        QCOMPARE(folder.errors.size(), std::size_t(1));
        QCOMPARE(folder.errors[0].severity, errorreport::Severity::Fatal);
        QVERIFY(folder.errors[0].error.file.endsWith(QStringLiteral("Coordenadas")));
    }

    void optionsExcludeEachOther()
    {
        fixtures::ProgramFolder folder;
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form1 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());
        form.show();
        QTest::mouseClick(form.Option1[1], Qt::LeftButton, {}, QPoint(8, 12));
        QVERIFY(form.Option1[1]->isChecked());
        QVERIFY(!form.Option1[0]->isChecked());
        QVERIFY(form.state.mode == PlayMode::Quiz);
        QTest::mouseClick(form.Option1[1], Qt::LeftButton, {}, QPoint(8, 12)); // clicking it again changes nothing
        QVERIFY(form.Option1[1]->isChecked());
        QVERIFY(!form.Option1[0]->isChecked());
        QTest::mouseClick(form.Option1[0], Qt::LeftButton, {}, QPoint(8, 12));
        QVERIFY(form.Option1[0]->isChecked());
        QVERIFY(!form.Option1[1]->isChecked());
        QVERIFY(form.state.mode == PlayMode::Study);
    }

    void activationDoesNothingUnlessAnotherTestWasAsked()
    {
        fixtures::ProgramFolder folder;
        folder.addThreeRegionMap();
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form1 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());
        form.show();
        QVERIFY(mouse::clickRow(form.File1, 0));
        QVERIFY(form.Picture1->isVisible());
        form.state.shared.hitCount = 2;

        form.Form_Activate();
        QVERIFY(form.Picture1->isVisible());
        QVERIFY(!form.File1->isVisible());
        QCOMPARE(form.state.shared.hitCount, std::int16_t(2));

        // A file added while playing appears once the handler re-reads the folder.
        folder.writeFile(QStringLiteral("Coordenadas/Nuevo"), "x");
        QCOMPARE(form.File1->count(), 1);
        form.state.shared.anotherTestRequested = true;
        form.state.shared.errorCount = 4;
        form.state.questionsAsked = 1;
        form.Form_Activate();
        QVERIFY(!form.Picture1->isVisible());
        QVERIFY(form.File1->isVisible());
        QVERIFY(form.Option1[0]->isVisible() && form.Option1[1]->isVisible() && form.Frame1->isVisible());
        QVERIFY(!form.Animador2->isVisible() && !form.Animador3->isVisible());
        QCOMPARE(form.state.shared.hitCount, std::int16_t(0));
        QCOMPARE(form.state.shared.errorCount, std::int16_t(0));
        QCOMPARE(form.state.questionsAsked, std::int16_t(0));
        QVERIFY(!form.state.shared.anotherTestRequested);
        QCOMPARE(form.File1->count(), 2);
    }

    void timer2RecoloursWithEntriesFourToFourteen()
    {
        fixtures::ProgramFolder folder;
        RecordingSoundPlayer sound;
        RandomGenerator random;
        Form1 form(sound, random, folder.platform());
        QVERIFY(form.Form_Load());
        const QRgb allowed[] = {0x800000, 0x800080, 0x808000, 0xC0C0C0, 0x808080, 0x0000FF,
                                0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00};
        QSet<QRgb> seen;
        for (int i = 0; i < 400; ++i) {
            form.Timer2_Timer();
            const QRgb c = form.Label1->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF;
            QVERIFY(std::find(std::begin(allowed), std::end(allowed), c) != std::end(allowed));
            seen.insert(c);
        }
        QCOMPARE(seen.size(), 11);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
