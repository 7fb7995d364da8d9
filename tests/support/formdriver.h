// Drives the main window the way a learner does, for the window tests.
#pragma once

#include "windows/form1.h"
#include "windows/form2.h"
#include "controls/animador.h"
#include "controls/filelistbox.h"
#include "controls/mapview.h"
#include "platform/random.h"
#include "support/fixtures.h"
#include "support/mouse.h"
#include "support/recordingsoundplayer.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

struct FormDriver {
    fixtures::ProgramFolder folder;
    RecordingSoundPlayer sound;
    RandomGenerator random{7};
    std::unique_ptr<Form1> form;
    int programEnds = 0;
    QLocale locale{QLocale::Spanish, QLocale::Spain};
    QString programFolder; // empty: the fixture folder
    ErrorReport *errorReport = nullptr; // null: the fixture folder's recorder

    FormDriver()
    {
        folder.addThreeRegionMap(QStringLiteral("Tres"));
    }

    bool open()
    {
        const Platform given = folder.platform();
        Platform platform{errorReport ? *errorReport : given.errors, given.programFolder, given.animation, locale,
                          [this](int) { ++programEnds; }};
        if (!programFolder.isEmpty())
            platform.programFolder = programFolder;
        form = std::make_unique<Form1>(sound, random, platform);
        if (!form->Form_Load())
            return false;
        random.seed(7); // the load seeded from the clock; tests fix the sequence
        form->show();
        return true;
    }

    void chooseMode(int index) { mouse::clickButton(form->Option1[std::size_t(index)]); }

    // Opens the window and loads `name` in quiz mode.
    bool openQuiz(const QString &name = QStringLiteral("Tres"))
    {
        if (!open())
            return false;
        chooseMode(1);
        return loadMap(name);
    }

    bool loadMap(const QString &name)
    {
        form->File1->refresh();
        const auto items = form->File1->findItems(name, Qt::MatchExactly);
        if (items.isEmpty())
            return false;
        return mouse::clickRow(form->File1, form->File1->row(items.first()));
    }

    // A click on region `row` of the study-mode list.
    bool chooseRegion(int row) { return mouse::clickRow(form->List3, row); }

    void clickButton(QAbstractButton *button) { mouse::clickButton(button); }

    // A left click on the map at picture pixel (x, y), through the widget.
    void clickMap(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(form->Picture1, button, {}, QPoint(x, y));
    }

    void clickRegion(int i)
    {
        clickMap(form->state.regions[std::size_t(i)].seedX1, form->state.regions[std::size_t(i)].seedY1);
    }

    // The look animation reaches its end.
    void endLookAnimation()
    {
        form->Animador1[0]->endPlayback();
        QCoreApplication::processEvents();
    }

    // Answers the test-finished dialog when it opens; `index` 0 is "Otra
    // prueba", 1 is "Fin". The dialog is closed whatever happens.
    void answerDialogWhenItOpens(int index, QString *title = nullptr)
    {
        auto *poll = new QTimer(form.get());
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, index, title] {
            auto *dialog = qobject_cast<Form2 *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll->stop();
            poll->deleteLater();
            if (title)
                *title = dialog->Label2->text();
            mouse::clickButton(dialog->Command1[std::size_t(index)]);
            if (dialog->isVisible())
                dialog->reject();
        });
        poll->start();
    }

    // Answers every question right until the test-finished dialog, which is
    // answered with `dialogAnswer`. Returns the number of answers given, or -1
    // when the dialog never came within twice the regions.
    int playWholeQuiz(int dialogAnswer = 0)
    {
        QString title;
        answerDialogWhenItOpens(dialogAnswer, &title);
        const int regions = form->state.regionCount;
        int answers = 0;
        while (answers < 2 * regions && title.isEmpty()) {
            clickRegion(form->state.targetRegion);
            ++answers;
            endLookAnimation();
        }
        return title.isEmpty() ? -1 : answers;
    }

    // Loads `name` in quiz mode from the map-choice screen and plays it to the
    // end; true when the whole test went through.
    bool loadAndPlay(const QString &name = QStringLiteral("Tres"))
    {
        chooseMode(1);
        if (!loadMap(name) || !form->Picture1->isVisible())
            return false;
        return playWholeQuiz() == form->state.regionCount;
    }

    QStringList items(const QListWidget *list) const
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    QStringList playedNames() const
    {
        QStringList names;
        for (const QString &p : sound.played)
            names << QFileInfo(p).fileName();
        return names;
    }
};
