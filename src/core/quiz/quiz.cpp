#include "quiz.h"

#include "platform/numconv.h"

Quiz::Quiz(GameState &gameState, QLocale locale) : state(gameState), markLocale(std::move(locale)) {}

std::optional<int> Quiz::draw(const std::vector<int> &stillWhite, RandomGenerator &random) const
{
    // Uniform among the white regions: the same chances as drawing again until
    // a white one comes up, but it cannot spin forever when none is left.
    if (stillWhite.empty())
        return std::nullopt;
    const auto pick = numconv::intFloor(double(stillWhite.size()) * double(random.next()));
    return stillWhite[std::size_t(pick)];
}

NextQuestion Quiz::ask(int region)
{
    state.targetRegion = region;
    return NextQuestion{region, state.questionPrompt + u' ' + state.regions[std::size_t(region)].regionName};
}

std::optional<NextQuestion> Quiz::firstQuestion(const std::vector<int> &stillWhite, RandomGenerator &random)
{
    const auto region = draw(stillWhite, random);
    if (!region)
        return std::nullopt;
    return ask(*region);
}

AnswerOutcome Quiz::judge(bool right)
{
    const QString name = state.regions[std::size_t(state.targetRegion)].regionName;
    AnswerOutcome outcome;
    outcome.right = right;
    state.lastAnswerWrong = !right;
    if (right) {
        ++state.shared.hitCount;
        outcome.counterCaption = state.hitsLabel + u' ' + QString::number(state.shared.hitCount);
        if (state.targetMissed) {
            outcome.listEntry = QStringLiteral("** ") + name;
        } else {
            outcome.listEntry = name;
            state.score += 1;
            outcome.markText = markText();
        }
        state.targetMissed = false;
        outcome.regionToPaint = state.targetRegion;
    } else {
        ++state.shared.errorCount;
        outcome.counterCaption = state.errorsLabel + u' ' + QString::number(state.shared.errorCount);
        outcome.listEntry = name;
        state.targetMissed = true;
    }
    return outcome;
}

std::optional<NextQuestion> Quiz::askNext(const std::vector<int> &stillWhite, RandomGenerator &random)
{
    if (!(state.questionsAsked + 1 < state.regionCount))
        return std::nullopt;
    const auto region = draw(stillWhite, random);
    if (!region)
        return std::nullopt;
    ++state.questionsAsked;
    return ask(*region);
}

std::optional<NextQuestion> Quiz::skip(const std::vector<int> &stillWhite, RandomGenerator &random)
{
    if (!(state.questionsAsked < state.regionCount - 1))
        return std::nullopt;
    auto next = askNext(stillWhite, random);
    if (next)
        --state.questionsAsked;
    return next;
}

int Quiz::hitSoundNumber(float r)
{
    return int(numconv::intFloor(double(r) * 12)) + 1;
}

bool Quiz::isFinished(int stillWhiteCount) const
{
    return state.shared.hitCount >= state.regionCount || stillWhiteCount == 0;
}

QString Quiz::markText() const
{
    const float mark = (state.score * 10.0f) / float(state.regionCount);
    return numconv::floatToText(mark, markLocale.decimalPoint()) + QStringLiteral(" de 10");
}
