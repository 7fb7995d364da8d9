// The standard error report. The windows decide how it is shown (a message
// box); tests install a recorder so that no dialog ever opens.
#pragma once

#include "loaderror.h"

#include <functional>

namespace errorreport {

enum class Severity {
    Recoverable, // the game goes on; nothing else is lost
    Fatal        // the installation is broken: the program ends after the report
};

using Handler = std::function<void(const LoadError &, Severity)>;

void setHandler(Handler handler);
void report(const LoadError &error, Severity severity = Severity::Recoverable);

} // namespace errorreport
