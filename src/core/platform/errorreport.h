// The standard error report. The windows are given one: the program shows it
// in a message box, tests record it so that no dialog ever opens. Reporting
// never ends the program; only the program's start decides that.
#pragma once

#include "loaderror.h"

namespace errorreport {

enum class Severity {
    Recoverable, // the game goes on; nothing else is lost
    Fatal        // the installation is broken: the program cannot go on
};

} // namespace errorreport

class ErrorReport {
public:
    virtual ~ErrorReport() = default;
    virtual void report(const LoadError &error, errorreport::Severity severity) = 0;
};
