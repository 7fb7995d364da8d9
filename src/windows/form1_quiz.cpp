// The quiz: judging each answer, asking the next region, skipping, and the
// feedback show that follows every answer.
#include "windows/form1.h"

#include "windows/form2.h"
#include "controls/animador.h"
#include "platform/datafiles.h"
#include "controls/mapview.h"
#include "controls/ui.h"
#include "platform/random.h"
#include "platform/soundplayer.h"
#include "quiz/painting.h"
#include "quiz/questioncycle.h"
#include "quiz/quiz.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

QString soundFile(const QString &programFolder, const QString &name)
{
    return datafiles::dataFile(programFolder, QStringLiteral("sonidos"), name);
}

QString gifFile(const QString &programFolder, const QString &name)
{
    return datafiles::dataFile(programFolder, QStringLiteral("gifs"), name);
}

constexpr double kLookAnimationLeft = 3000;

} // namespace

void Form1::JudgeAnswer()
{
    // The look beat starts at once.
    Timer2->stop();
    sound.play(soundFile(platform.programFolder, QStringLiteral("a_ver.wav")));
    state.lastAnswerWrong = false;
    twips::setLeft(Animador1[0], kLookAnimationLeft);
    Animador1[0]->show();
    Animador1[0]->raise();
    Animador1[0]->setGifFile(gifFile(platform.programFolder, QStringLiteral("miro.gif")));

    const AnswerOutcome answer = quiz.judge(isAnswerRight(surface, state));
    if (answer.right) {
        ui::setCaption(Command1[0], answer.counterCaption);
        List1->addItem(answer.listEntry);
        if (answer.markText)
            Label2->setText(*answer.markText);
        paintRegionPermanently(surface, state, answer.regionToPaint);
    } else {
        ui::setCaption(Command1[1], answer.counterCaption);
        List2->addItem(answer.listEntry);
        surface.refresh(); // the wrong paint disappears
    }
    Picture1->refreshView();
    update();
    // The map ignores the mouse until the look animation has ended.
    Picture1->setEnabled(false);
}

void Form1::AskNextRegion()
{
    if (const auto next = quiz.askNext(whiteRegions(surface, state), random))
        setLabel1Caption(next->prompt);
}

void Form1::Command2_Click()
{
    if (const auto next = quiz.skip(whiteRegions(surface, state), random))
        setLabel1Caption(next->prompt);
}

void Form1::Animador1_GifEnd(int /*Index*/)
{
    Timer1->start();
    if (state.lastAnswerWrong) {
        Animador2->show();
        Animador2->setGifFile(gifFile(platform.programFolder, QStringLiteral("fallo.gif")));
        surface.refresh();
        Picture1->refreshView();
        sound.play(soundFile(platform.programFolder, QStringLiteral("fallo.wav")));
    } else {
        const int n = Quiz::hitSoundNumber(random.next());
        sound.play(soundFile(platform.programFolder, QString::number(n) + QStringLiteral(".wav")));
        Animador3->show();
        Animador3->setGifFile(gifFile(platform.programFolder, QStringLiteral("acierto.gif")));
        AskNextRegion();
        if (quiz.isFinished(int(whiteRegions(surface, state).size()))) {
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
    if (platform.endProgram)
        platform.endProgram(0);
    return true;
}
