// What the windows are given by the program's start instead of reaching for
// process-wide settings: where the data lives, how errors are reported, how
// the animations play, the user's locale, and the way to end the program.
#pragma once

#include "controls/animador.h"
#include "platform/errorreport.h"

#include <QLocale>
#include <QString>
#include <functional>

struct Platform {
    ErrorReport &errors;
    QString programFolder;
    AnimadorSettings animation;
    QLocale locale;                       // the mark's decimal separator
    std::function<void(int)> endProgram; // with the program's exit code
};
