// A test from first question to the test-finished dialog, through simulated
// clicks and animation ends, with the sounds recorded in order.
#include "support/formdriver.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSet>

namespace {

int otherRegion(const Form1 &f)
{
    return f.state.targetRegion == 0 ? 1 : 0;
}

} // namespace

class TestQuiz : public QObject {
    Q_OBJECT
private slots:
    void rightWrongRightRight()
    {
        FormDriver d;
        QVERIFY(d.openQuiz());
        Form1 &f = *d.form;
        QStringList asked;

        asked << f.state.regions[std::size_t(f.state.targetRegion)].regionName;
        d.clickRegion(f.state.targetRegion); // right
        QVERIFY(!f.Picture1->isEnabled());
        QVERIFY(!f.Timer2->isActive());
        QCOMPARE(f.Label2->text(), QStringLiteral("3,333333 de 10"));
        d.endLookAnimation();
        QVERIFY(f.Picture1->isEnabled());
        QVERIFY(f.Timer2->isActive());
        QVERIFY(f.Timer1->isActive() && f.Timer1->isSingleShot());

        asked << f.state.regions[std::size_t(f.state.targetRegion)].regionName;
        QCOMPARE(f.Label1->text(), QString::fromUtf8("Señala ") + asked.last());
        d.clickMap(100, 120); // the sea: wrong
        QCOMPARE(f.surface.point(100, 120), qint64(fixtures::kSea)); // the wrong paint is gone
        d.endLookAnimation();
        QCOMPARE(f.state.regions[std::size_t(f.state.targetRegion)].regionName, asked.last()); // still asked

        d.clickRegion(f.state.targetRegion); // right after a miss
        d.endLookAnimation();
        asked << f.state.regions[std::size_t(f.state.targetRegion)].regionName;
        QCOMPARE(QSet<QString>(asked.begin(), asked.end()).size(), 3);

        QString title;
        d.answerDialogWhenItOpens(0, &title);
        d.clickRegion(f.state.targetRegion);
        d.endLookAnimation();
        QCOMPARE(title, QStringLiteral("Prueba finalizada"));

        QCOMPARE(d.items(f.List1), (QStringList{asked[0], "** " + asked[1], asked[2]}));
        QCOMPARE(d.items(f.List2), QStringList{asked[1]});
        QCOMPARE(f.Label2->text(), QStringLiteral("6,666667 de 10"));
        QCOMPARE(f.Command1[0]->text(), QStringLiteral("Aciertos 3"));
        QCOMPARE(f.Command1[1]->text(), QStringLiteral("Errores 1"));

        const QStringList played = d.playedNames();
        QCOMPARE(played.size(), 8);
        const QStringList looks{played[0], played[2], played[4], played[6]};
        QCOMPARE(looks, QStringList(4, QStringLiteral("a_ver.wav")));
        QCOMPARE(played[3], QStringLiteral("fallo.wav"));
        for (int i : {1, 5, 7}) {
            const int n = played[i].chopped(4).toInt();
            QVERIFY2(n >= 1 && n <= 12, qPrintable(played[i]));
        }
        QVERIFY(d.sound.played[0].startsWith(d.folder.path()));

        // "Otra prueba" took the window back to the map choice.
        QCOMPARE(d.programEnds, 0);
        QVERIFY(f.File1->isVisible() && !f.Picture1->isVisible());
        QCOMPARE(f.state.shared.hitCount, std::int16_t(0));
        QCOMPARE(f.state.shared.errorCount, std::int16_t(0));
        QVERIFY(!f.Command2->isEnabled());
        QVERIFY(f.Label1->text().isEmpty());
        QVERIFY(f.Animador1[0]->gifFile().isEmpty());
        QVERIFY(d.loadMap(QStringLiteral("Tres")));
        QVERIFY(f.Command2->isEnabled());
    }

    void allRightAtFirstTryAndFin()
    {
        FormDriver d;
        QVERIFY(d.openQuiz());
        Form1 &f = *d.form;
        for (int i = 0; i < 3; ++i) {
            if (i == 2)
                d.answerDialogWhenItOpens(1);
            d.clickRegion(f.state.targetRegion);
            d.endLookAnimation();
        }
        QCOMPARE(f.Label2->text(), QStringLiteral("10 de 10"));
        QCOMPARE(d.programEnds, 1);
        // "Fin" ends the program: nothing more of the handler ran.
        QVERIFY(!f.Picture1->isEnabled());
        QVERIFY(!f.Timer2->isActive());
    }

    // The dialog has two ways out; Esc and the window system's close are not
    // among them. Before, they left the finished map live, and the next
    // click counted as a hit beyond the map's regions.
    void theDialogOnlyEndsThroughItsButtons()
    {
        FormDriver d;
        d.folder.writeFile(QStringLiteral("Coordenadas/Una"),
                           "tres.png\r\nSe\xf1" "ala\r\nSola,95,35,0,0,0,0,\r\n");
        QVERIFY(d.openQuiz(QStringLiteral("Una")));
        Form1 &f = *d.form;
        bool stayedAfterEscape = false, stayedAfterClose = false;
        Qt::WindowFlags flags;
        QSize minimum, maximum;
        QString caption = QStringLiteral("unread");
        auto *poll = new QTimer(&f);
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, poll, [&] {
            auto *dialog = qobject_cast<Form2 *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll->stop();
            flags = dialog->windowFlags();
            minimum = dialog->minimumSize();
            maximum = dialog->maximumSize();
            caption = dialog->windowTitle();
            QTest::keyClick(dialog, Qt::Key_Escape);
            stayedAfterEscape = dialog->isVisible();
            dialog->close();
            stayedAfterClose = dialog->isVisible();
            mouse::clickButton(dialog->Command1[0]); // "Otra prueba"
        });
        poll->start();
        d.clickRegion(0);
        d.endLookAnimation();
        QVERIFY(stayedAfterEscape);
        QVERIFY(stayedAfterClose);
        QCOMPARE(int(f.state.shared.hitCount), 0); // back on the map choice, counters reset
        QVERIFY(f.File1->isVisible());

        // A fixed dialog border without a title bar.
        QVERIFY(!(flags & Qt::FramelessWindowHint));
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(!(flags & (Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)));
        QCOMPARE(minimum, maximum);
        QCOMPARE(caption, QString());
    }

    void theMarkFollowsTheLocaleGiven_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("mark");
        QTest::newRow("Spanish") << QLocale(QLocale::Spanish, QLocale::Spain) << "3,333333 de 10";
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "3.333333 de 10";
    }
    void theMarkFollowsTheLocaleGiven()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, mark);
        FormDriver d;
        d.locale = locale;
        QVERIFY(d.openQuiz());
        d.clickRegion(d.form->state.targetRegion);
        QCOMPARE(d.form->Label2->text(), mark);
    }

    void oneRegionMapEndsAtTheFirstHit()
    {
        FormDriver d;
        d.folder.writeFile(QStringLiteral("Coordenadas/Una"),
                           "tres.png\r\nSe\xf1" "ala\r\nSola,95,35,0,0,0,0,\r\n");
        QVERIFY(d.openQuiz(QStringLiteral("Una")));
        QString title;
        d.answerDialogWhenItOpens(0, &title);
        d.clickRegion(0);
        d.endLookAnimation();
        QCOMPARE(title, QStringLiteral("Prueba finalizada"));
    }

    void missesThatLookLikeHits_data()
    {
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<bool>("paintWhite");
        QTest::newRow("island of the asked region") << QPoint(20, 110) << false;
        QTest::newRow("asked region painted white") << QPoint(35, 35) << true;
    }
    void missesThatLookLikeHits()
    {
        QFETCH(QPoint, click);
        QFETCH(bool, paintWhite);
        FormDriver d;
        QVERIFY(d.openQuiz());
        Form1 &f = *d.form;
        f.state.targetRegion = 0; // Alfa
        if (paintWhite)
            f.surface.setFillColor(0xFFFFFF);
        d.clickMap(click.x(), click.y());
        QCOMPARE(f.state.shared.errorCount, std::int16_t(1));
        QCOMPARE(d.items(f.List2), QStringList{"Alfa"});
        QCOMPARE(f.surface.point(click.x(), click.y()), qint64(0xFFFFFF));
        QVERIFY(f.state.lastAnswerWrong && f.state.targetMissed);
        d.endLookAnimation();
        QCOMPARE(d.playedNames().last(), QStringLiteral("fallo.wav"));
        QVERIFY(f.Animador2->isVisible());
    }

    void clicksDuringTheLookBeatAreIgnored()
    {
        FormDriver d;
        QVERIFY(d.openQuiz());
        Form1 &f = *d.form;
        d.clickMap(100, 120);
        const int sounds = int(d.sound.played.size());
        d.clickRegion(otherRegion(f));
        QCOMPARE(int(d.sound.played.size()), sounds);
        QCOMPARE(f.state.shared.errorCount, std::int16_t(1));
        QCOMPARE(f.surface.point(f.state.regions[std::size_t(otherRegion(f))].seedX1, f.state.regions[std::size_t(otherRegion(f))].seedY1),
                 qint64(0xFFFFFF));
    }

    void timer1RepaintsOnceAfterAVerdict()
    {
        FormDriver d;
        QVERIFY(d.openQuiz());
        Form1 &f = *d.form;
        QVERIFY(!f.Timer1->isActive());
        d.clickRegion(f.state.targetRegion);
        QVERIFY(!f.Timer1->isActive());
        d.endLookAnimation();
        QVERIFY(f.Timer1->isActive());
        QCOMPARE(f.Timer1->interval(), 100);
        f.Timer1_Timer();
        QVERIFY(!f.Timer1->isActive());
    }

    void skipping()
    {
        FormDriver d;
        QVERIFY(d.openQuiz());
        Form1 &f = *d.form;
        // A wrong answer, a skip, then a right answer: listed as missed, not scored.
        d.clickMap(100, 120);
        d.endLookAnimation();
        d.clickButton(f.Command2);
        QCOMPARE(f.state.questionsAsked, std::int16_t(0));
        const QString name = f.state.regions[std::size_t(f.state.targetRegion)].regionName;
        d.clickRegion(f.state.targetRegion);
        d.endLookAnimation();
        QCOMPARE(d.items(f.List1), QStringList{"** " + name});
        QCOMPARE(f.state.score, 0.0f);
        QVERIFY(f.Label2->text().isEmpty());

        // On the last region the skip does nothing.
        d.clickRegion(f.state.targetRegion);
        d.endLookAnimation();
        const int last = f.state.targetRegion;
        QCOMPARE(f.state.questionsAsked, std::int16_t(2));
        for (int i = 0; i < 5; ++i)
            d.clickButton(f.Command2);
        QCOMPARE(f.state.targetRegion, last);
    }

    void listsShowAndHide()
    {
        FormDriver d;
        QVERIFY(d.openQuiz());
        Form1 &f = *d.form;
        d.clickButton(f.Command1[0]);
        QVERIFY(f.List1->isVisible() && !f.List2->isVisible());
        d.clickButton(f.Command1[1]);
        QVERIFY(f.List1->isVisible() && f.List2->isVisible());
        d.clickButton(f.Command1[0]);
        QVERIFY(!f.List1->isVisible() && f.List2->isVisible());
    }

    void aFaultySeedCannotTrapTheLearner()
    {
        FormDriver d;
        // Beta's seed lies on a line: it could never be answered, so the map is
        // refused at load, naming the line.
        d.folder.writeFile(QStringLiteral("Coordenadas/Mala"),
                           "tres.png\r\nSe\xf1" "ala\r\nAlfa,35,35,0,0,0,0,\r\nBeta,70,35,0,0,0,0,\r\n"
                           "Gamma,155,35,0,0,0,0,\r\n");
        QVERIFY(d.openQuiz(QStringLiteral("Mala")));
        QCOMPARE(d.folder.errors.size(), std::size_t(1));
        QCOMPARE(d.folder.errors.front().error.line, 4);
        QVERIFY(d.form->File1->isVisible());
        QVERIFY(d.loadAndPlay());
    }

    // Maps of the atlas as shipped, played from the first question to the
    // dialog: every seed must paint its own region and no other.
    void aWholeQuizOnAnAtlasMap_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("regions");
        QTest::newRow("Costa Rica") << QStringLiteral("Costa Rica - provincias") << QStringLiteral("costa-rica.png") << 7;
        QTest::newRow("Uruguay") << QStringLiteral("Uruguay - departamentos") << QStringLiteral("uruguay.png") << 19;
        QTest::newRow("Chile, south in an inset") << QStringLiteral("Chile - regiones") << QStringLiteral("chile.png")
                                                  << 16;
    }
    void aWholeQuizOnAnAtlasMap()
    {
        QFETCH(QString, map);
        QFETCH(QString, picture);
        QFETCH(int, regions);
        FormDriver d;
        const QDir data(QStringLiteral(MAPURIX_SOURCE_DATA));
        for (const QString &file : {QStringLiteral("Coordenadas/") + map, QStringLiteral("Mapas/") + picture}) {
            QFile source(data.filePath(file));
            QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(source.fileName()));
            d.folder.writeFile(file, source.readAll());
        }
        QVERIFY(d.openQuiz(map));
        Form1 &f = *d.form;
        QCOMPARE(f.state.regionCount, std::int16_t(regions));
        // The window, with a 30-pixel title bar, fits a 1366 x 768 screen less its panel.
        QVERIFY(f.width() <= 1366 && f.height() + 30 <= 720);
        QSet<int> asked;
        QString title;
        for (int i = 0; i < regions; ++i) {
            const int target = f.state.targetRegion;
            QVERIFY(!asked.contains(target));
            asked.insert(target);
            if (i == regions - 1)
                d.answerDialogWhenItOpens(1, &title);
            d.clickRegion(target);
            d.endLookAnimation();
            QCOMPARE(f.state.shared.errorCount, std::int16_t(0));
        }
        QCOMPARE(title, QStringLiteral("Prueba finalizada"));
        QCOMPARE(f.Label2->text(), QStringLiteral("10 de 10"));
        QCOMPARE(d.programEnds, 1);
        QVERIFY(d.folder.errors.empty());
    }
};

QTEST_MAIN(TestQuiz)
#include "tst_quiz.moc"
