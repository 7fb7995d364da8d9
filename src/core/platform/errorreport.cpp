#include "errorreport.h"

#include <QDebug>
#include <cstdlib>

namespace errorreport {

namespace {

Handler &currentHandler()
{
    static Handler handler;
    return handler;
}

} // namespace

void setHandler(Handler handler)
{
    currentHandler() = std::move(handler);
}

void report(const LoadError &error, Severity severity)
{
    if (currentHandler()) {
        currentHandler()(error, severity);
        return;
    }
    qWarning().noquote() << error.message();
    if (severity == Severity::Fatal)
        std::exit(EXIT_FAILURE);
}

} // namespace errorreport
