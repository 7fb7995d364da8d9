// The quiz's rules without a window: verdicts, draws, skips, the end of the
// test and the mark, each from a table of cases.
#include "quiz/quiz.h"

#include <QTest>
#include <cmath>

namespace {

// Three regions, named A, B and C, as a loaded map leaves the state.
GameState threeRegions()
{
    GameState state;
    state.regionCount = 3;
    state.questionPrompt = QStringLiteral("Señala");
    state.hitsLabel = QStringLiteral("Aciertos");
    state.errorsLabel = QStringLiteral("Errores");
    const char *names[] = {"A", "B", "C"};
    for (std::size_t i = 0; i < 3; ++i)
        state.regions[i].regionName = QString::fromLatin1(names[i]);
    return state;
}

const QLocale kSpanish(QLocale::Spanish, QLocale::Spain);

} // namespace

class TestQuizRules : public QObject {
    Q_OBJECT
private slots:
    // '+' is a right answer, '-' a wrong one; the regions are asked in the
    // order A, B, C, the next one after every right answer.
    void answers_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QStringList>("hitList");
        QTest::addColumn<QStringList>("errorList");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("hitsCaption");
        QTest::addColumn<QString>("errorsCaption");
        QTest::newRow("all right at the first try")
            << "+++" << QStringList{"A", "B", "C"} << QStringList{} << "10 de 10" << "Aciertos 3" << "";
        QTest::newRow("right, wrong, right, right")
            << "+-++" << QStringList{"A", "** B", "C"} << QStringList{"B"} << "6,666667 de 10" << "Aciertos 3"
            << "Errores 1";
        QTest::newRow("missed twice, then right")
            << "--+" << QStringList{"** A"} << QStringList{"A", "A"} << "" << "Aciertos 1" << "Errores 2";
        QTest::newRow("a miss marks only its own region")
            << "+-+-+" << QStringList{"A", "** B", "** C"} << QStringList{"B", "C"} << "3,333333 de 10"
            << "Aciertos 3" << "Errores 2";
    }
    void answers()
    {
        QFETCH(QString, answers);
        QFETCH(QStringList, hitList);
        QFETCH(QStringList, errorList);
        QFETCH(QString, mark);
        QFETCH(QString, hitsCaption);
        QFETCH(QString, errorsCaption);

        GameState state = threeRegions();
        Quiz quiz(state, kSpanish);
        QStringList hits, errors;
        QString shownMark, shownHits, shownErrors;
        for (const QChar answer : answers) {
            const int asked = state.targetRegion;
            const AnswerOutcome outcome = quiz.judge(answer == u'+');
            QCOMPARE(outcome.right, answer == u'+');
            QCOMPARE(state.lastAnswerWrong, !outcome.right);
            if (outcome.right) {
                hits << outcome.listEntry;
                shownHits = outcome.counterCaption;
                if (outcome.markText)
                    shownMark = *outcome.markText;
                QCOMPARE(outcome.regionToPaint, asked);
                QVERIFY(!state.targetMissed);
                state.targetRegion = asked + 1;
            } else {
                errors << outcome.listEntry;
                shownErrors = outcome.counterCaption;
                QVERIFY(state.targetMissed);
                QVERIFY(!outcome.markText);
            }
        }
        QCOMPARE(hits, hitList);
        QCOMPARE(errors, errorList);
        QCOMPARE(shownMark, mark);
        QCOMPARE(shownHits, hitsCaption);
        QCOMPARE(shownErrors, errorsCaption);
        QCOMPARE(int(state.shared.hitCount), int(hitList.size()));
        QCOMPARE(int(state.shared.errorCount), int(errorList.size()));
        QVERIFY(state.score <= state.shared.hitCount);
    }

    void mark_data()
    {
        QTest::addColumn<float>("score");
        QTest::addColumn<int>("regions");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("3 of 4, Spanish") << 3.0f << 4 << kSpanish << "7,5 de 10";
        QTest::newRow("3 of 4, English") << 3.0f << 4 << QLocale(QLocale::English, QLocale::UnitedStates)
                                         << "7.5 de 10";
        QTest::newRow("2 of 3, Spanish") << 2.0f << 3 << kSpanish << "6,666667 de 10";
        QTest::newRow("2 of 3, Swiss German") << 2.0f << 3 << QLocale(QLocale::German, QLocale::Switzerland)
                                              << "6.666667 de 10";
        QTest::newRow("1 of 61, French") << 1.0f << 61 << QLocale(QLocale::French, QLocale::France)
                                         << "0,1639344 de 10";
        QTest::newRow("all, whatever the locale") << 52.0f << 52 << QLocale(QLocale::English) << "10 de 10";
    }
    void mark()
    {
        QFETCH(float, score);
        QFETCH(int, regions);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        GameState state;
        state.score = score;
        state.regionCount = std::int16_t(regions);
        QCOMPARE(Quiz(state, locale).markText(), text);
    }

    // AskNextRegion after a hit: regions still white, questions asked so far.
    void askNext_data()
    {
        QTest::addColumn<int>("regionCount");
        QTest::addColumn<int>("asked");
        QTest::addColumn<std::vector<int>>("stillWhite");
        QTest::addColumn<int>("drawn"); // -1: nothing drawn
        QTest::addColumn<int>("askedAfter");
        QTest::newRow("one-region map: the first hit ends it") << 1 << 0 << std::vector<int>{} << -1 << 0;
        QTest::newRow("the only white region") << 3 << 1 << std::vector<int>{2} << 2 << 2;
        QTest::newRow("the last region was just answered") << 3 << 2 << std::vector<int>{} << -1 << 2;
        QTest::newRow("counted out although one is white") << 3 << 2 << std::vector<int>{1} << -1 << 2;
        QTest::newRow("no white region left") << 3 << 0 << std::vector<int>{} << -1 << 0;
    }
    void askNext()
    {
        QFETCH(int, regionCount);
        QFETCH(int, asked);
        QFETCH(std::vector<int>, stillWhite);
        QFETCH(int, drawn);
        QFETCH(int, askedAfter);
        GameState state = threeRegions();
        state.regionCount = std::int16_t(regionCount);
        state.questionsAsked = std::int16_t(asked);
        state.targetRegion = 0;
        Quiz quiz(state, kSpanish);
        RandomGenerator random(5);
        const auto next = quiz.askNext(stillWhite, random);
        QCOMPARE(next ? next->region : -1, drawn);
        QCOMPARE(int(state.questionsAsked), askedAfter);
        QCOMPARE(state.targetRegion, drawn < 0 ? 0 : drawn);
        if (next)
            QCOMPARE(next->prompt, QStringLiteral("Señala ") + state.regions[std::size_t(drawn)].regionName);
    }

    void skip_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<std::vector<int>>("stillWhite");
        QTest::addColumn<int>("drawn");
        QTest::newRow("first question, another white region") << 0 << std::vector<int>{1} << 1;
        QTest::newRow("may draw the same region again") << 0 << std::vector<int>{0} << 0;
        QTest::newRow("last region: nothing") << 2 << std::vector<int>{2} << -1;
    }
    void skip()
    {
        QFETCH(int, asked);
        QFETCH(std::vector<int>, stillWhite);
        QFETCH(int, drawn);
        GameState state = threeRegions();
        state.questionsAsked = std::int16_t(asked);
        state.targetRegion = 0;
        const int before = state.targetRegion;
        Quiz quiz(state, kSpanish);
        RandomGenerator random(5);
        const auto next = quiz.skip(stillWhite, random);
        QCOMPARE(next ? next->region : -1, drawn);
        QCOMPARE(int(state.questionsAsked), asked); // a skip is not a question
        QCOMPARE(state.targetRegion, drawn < 0 ? before : drawn);
    }

    void aSkipAfterAMissKeepsTheMissForTheNextRegion()
    {
        GameState state = threeRegions();
        Quiz quiz(state, kSpanish);
        RandomGenerator random(5);
        quiz.judge(false);
        QCOMPARE(quiz.skip({2}, random)->region, 2);
        const AnswerOutcome outcome = quiz.judge(true);
        QCOMPARE(outcome.listEntry, QStringLiteral("** C"));
        QVERIFY(!outcome.markText);
        QCOMPARE(state.score, 0.0f);
    }

    void firstQuestionDrawsOnlyWhiteRegions()
    {
        GameState state = threeRegions();
        Quiz quiz(state, kSpanish);
        RandomGenerator random(11);
        for (int i = 0; i < 50; ++i) {
            const auto first = quiz.firstQuestion({1}, random);
            QVERIFY(first && first->region == 1);
        }
        QCOMPARE(quiz.firstQuestion({1}, random)->prompt, QStringLiteral("Señala B"));
        QVERIFY(!quiz.firstQuestion({}, random));
        QCOMPARE(int(state.questionsAsked), 0); // the first question is not counted
    }

    void drawsAreUniformAmongWhiteRegions()
    {
        GameState state = threeRegions();
        state.regionCount = 4;
        Quiz quiz(state, kSpanish);
        RandomGenerator random(3);
        int counts[4] = {};
        for (int i = 0; i < 3000; ++i)
            ++counts[quiz.firstQuestion({0, 2, 3}, random)->region];
        QCOMPARE(counts[1], 0);
        for (int r : {0, 2, 3})
            QVERIFY2(counts[r] > 850 && counts[r] < 1150, qPrintable(QString::number(counts[r])));
    }

    void hitSound_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("n");
        QTest::newRow("lowest draw") << 0.0f << 1;
        QTest::newRow("just under a twelfth") << 0.0833f << 1;
        QTest::newRow("a twelfth") << 0.08334f << 2;
        QTest::newRow("highest draw") << std::nextafter(1.0f, 0.0f) << 12;
    }
    void hitSound()
    {
        QFETCH(float, r);
        QFETCH(int, n);
        QCOMPARE(Quiz::hitSoundNumber(r), n);
    }

    void endOfTest_data()
    {
        QTest::addColumn<int>("hits");
        QTest::addColumn<int>("whiteLeft");
        QTest::addColumn<bool>("finished");
        QTest::newRow("regions left") << 1 << 2 << false;
        QTest::newRow("every region right") << 3 << 0 << true;
        QTest::newRow("hits reach the count") << 3 << 1 << true;
        QTest::newRow("a faulty seed leaves none white") << 2 << 0 << true;
    }
    void endOfTest()
    {
        QFETCH(int, hits);
        QFETCH(int, whiteLeft);
        QFETCH(bool, finished);
        GameState state = threeRegions();
        state.shared.hitCount = std::int16_t(hits);
        QCOMPARE(Quiz(state, kSpanish).isFinished(whiteLeft), finished);
    }
};

QTEST_APPLESS_MAIN(TestQuizRules)
#include "tst_quizrules.moc"
