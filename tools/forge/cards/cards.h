// `mapurix-forge cards`: writes the text, locator picture and flag of every
// region of every map in a data folder (textos/, imagenes/, banderas/).
#pragma once

#include <QStringList>

// args are the words after "cards". Returns the process exit code.
int runCardsCommand(const QStringList &args);
