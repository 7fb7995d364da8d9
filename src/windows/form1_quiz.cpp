// The quiz: judging each answer, asking the next region, skipping, and the
// feedback show that follows every answer.
#include "windows/form1.h"

#include "windows/form2.h"
#include "controls/animador.h"
#include "platform/datafiles.h"
#include "controls/mapview.h"
#include "platform/numconv.h"
#include "platform/random.h"
#include "platform/soundplayer.h"
#include "quiz/painting.h"
#include "quiz/questioncycle.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

QString soundFile(const QString &name)
{
    return datafiles::dataFile(QStringLiteral("sonidos"), name);
}

QString gifFile(const QString &name)
{
    return datafiles::dataFile(QStringLiteral("gifs"), name);
}

constexpr double kLookAnimationLeft = 3000;

} // namespace

void Form1::JudgeAnswer()
{
    // The look beat starts at once.
    Timer2->stop();
    sound.play(soundFile(QStringLiteral("a_ver.wav")));
    state.lastAnswerWrong = false;
    twips::setLeft(Animador1[0], kLookAnimationLeft);
    Animador1[0]->show();
    Animador1[0]->raise();
    Animador1[0]->setGifFile(gifFile(QStringLiteral("miro.gif")));

    const QString name = state.regionNames[std::size_t(state.targetRegion)];
    if (isAnswerRight(surface, state)) {
        ++state.shared.hitCount;
        Command1[0]->setText(state.hitsLabel + u' ' + QString::number(state.shared.hitCount));
        if (state.targetMissed) {
            List1->addItem(QStringLiteral("** ") + name);
        } else {
            List1->addItem(name);
            state.score += 1;
            Label2->setText(markText(state.score, state.regionCount));
        }
        state.targetMissed = false;
        paintRegionPermanently(surface, state, state.targetRegion);
    } else {
        ++state.shared.errorCount;
        Command1[1]->setText(state.errorsLabel + u' ' + QString::number(state.shared.errorCount));
        List2->addItem(name);
        state.lastAnswerWrong = true;
        state.targetMissed = true;
        surface.refresh();
    }
    Picture1->refreshView();
    update();
    // The map ignores the mouse until the look animation has ended.
    Picture1->setEnabled(false);
}

bool Form1::AskNextRegion()
{
    if (!(state.questionsAsked + 1 < state.regionCount))
        return false;
    const auto next = drawUnansweredRegion(surface, state, random);
    if (!next)
        return false;
    state.targetRegion = *next;
    ++state.questionsAsked;
    setLabel1Caption(state.questionPrompt + u' ' + state.regionNames[std::size_t(state.targetRegion)]);
    return true;
}

void Form1::Command2_Click()
{
    if (state.questionsAsked < state.regionCount - 1) {
        // A skip does not count as a question.
        if (AskNextRegion())
            --state.questionsAsked;
    }
}

void Form1::Animador1_GifEnd(int /*Index*/)
{
    Timer1->start();
    if (state.lastAnswerWrong) {
        Animador2->show();
        Animador2->setGifFile(gifFile(QStringLiteral("fallo.gif")));
        surface.refresh();
        Picture1->refreshView();
        sound.play(soundFile(QStringLiteral("fallo.wav")));
    } else {
        const auto n = numconv::intFloor(double(random.next()) * 12) + 1;
        sound.play(soundFile(QString::number(n) + QStringLiteral(".wav")));
        Animador3->show();
        Animador3->setGifFile(gifFile(QStringLiteral("acierto.gif")));
        AskNextRegion();
        if (isTestFinished(surface, state)) {
            Animador1[0]->setGifFile(QString());
            setLabel1Caption(QString());
            if (showTestFinishedDialog())
                return; // "Fin": nothing more runs
        }
    }
    Picture1->setEnabled(true);
    twips::setLeft(Animador1[0], leftTwips() + outerWidth());
    Timer2->start();
}

void Form1::Timer1_Timer()
{
    surface.refresh();
    Picture1->refreshView();
    Timer1->stop();
}

bool Form1::showTestFinishedDialog()
{
    Form2 form2(*this);
    form2.Form_Load();
    showModal(form2);
    if (form2.ending() != Form2::Ending::EndProgram)
        return false;
    if (endProgram)
        endProgram();
    return true;
}
