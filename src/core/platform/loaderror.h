// A failure to read a data file, with enough context for the learner (or the
// teacher who made the map) to find and mend it.
#pragma once

#include <QString>

struct LoadError {
    QString file;  // full path of the file, shown in native form
    int line = 0;  // 1-based line number, 0 when not about one line
    QString field; // which field of the line, empty when not about one field
    QString what;  // the fault, in Spanish

    QString message() const;
};
