// A quick look at a wave file before it is handed to the sound back end,
// which trusts the header: a data size of 4 GB in a 40 KB file makes it
// reserve 4 GB. Only what the back end plays is accepted: a RIFF WAVE file
// with a PCM format chunk (8 or 16 bits, 1 or 2 channels) and a data chunk
// that lies inside the file.
#pragma once

#include <QByteArray>
#include <QString>

namespace wavheader {

// True when `bytes`, a whole wave file, is one the game may play.
bool isPlayable(const QByteArray &bytes);

// The same for a file: a regular file within the sound bound, read whole.
bool fileIsPlayable(const QString &path);

} // namespace wavheader
