// The quiz's rules, without a window: what a verdict, a draw, a skip and a
// hit sound change in the game state, returned for the main window to show.
// The verdict itself comes from the map's pixels (is the asked region's first
// seed point still white?); so do the regions still to be asked.
#pragma once

#include "mapdata/gamestate.h"
#include "platform/random.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

// What one judged answer changes on screen.
struct AnswerOutcome {
    bool right = false;
    QString counterCaption;          // Command1(0) after a hit, Command1(1) after a miss
    QString listEntry;               // the entry for List1 (hit) or List2 (miss)
    std::optional<QString> markText; // Label2's new text, only for a hit at the first try
    int regionToPaint = -1;          // the region painted for good after a hit
};

// What a draw of the next region changes: the region and the prompt that
// names it, or nothing when no region was drawn.
struct NextQuestion {
    int region = -1;
    QString prompt; // Label1's caption
};

class Quiz {
public:
    // The mark's decimal separator follows `locale` (a comma in Spanish).
    explicit Quiz(GameState &state, QLocale locale = QLocale());

    // The first region of a test, drawn at map load among the regions still
    // white, by the same rule as every later draw. Nothing when none is white.
    std::optional<NextQuestion> firstQuestion(const std::vector<int> &stillWhite, RandomGenerator &random);

    // Judges the answer to the region asked for: `right` is the pixels'
    // verdict. Updates the counters, the score, targetMissed and
    // lastAnswerWrong.
    AnswerOutcome judge(bool right);

    // AskNextRegion's rule: after a hit, while fewer regions have been asked
    // than the map has, draws among those still white and counts the question.
    std::optional<NextQuestion> askNext(const std::vector<int> &stillWhite, RandomGenerator &random);

    // Command2: another region in place of the one asked, unless the last one
    // is being asked. A skip is not counted as a question.
    std::optional<NextQuestion> skip(const std::vector<int> &stillWhite, RandomGenerator &random);

    // The number n of the hit sound "n.wav", 1..12, for a draw r in [0, 1).
    static int hitSoundNumber(float r);

    // The test is over once every region has been answered right, or when no
    // region is left white to ask (a faulty seed cannot trap the learner).
    bool isFinished(int stillWhiteCount) const;

    // "7,5 de 10": the mark out of 10 in single precision.
    QString markText() const;

    const QLocale &locale() const { return markLocale; }

private:
    std::optional<int> draw(const std::vector<int> &stillWhite, RandomGenerator &random) const;
    NextQuestion ask(int region);

    GameState &state;
    QLocale markLocale;
};
