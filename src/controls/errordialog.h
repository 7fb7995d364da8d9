// Shows the standard error report in a message box.
#pragma once

#include "platform/errorreport.h"

class MessageBoxErrorReport : public ErrorReport {
public:
    // The box waits for the learner; what follows a fatal report is the
    // caller's to decide.
    void report(const LoadError &error, errorreport::Severity severity) override;
};
