// Text decoding and line splitting, as every text data file is read.
#include "fuzzinput.h"
#include "platform/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = textfile::decode(bytes);
    const QStringList lines = textfile::splitLines(text);
    qsizetype total = 0;
    for (const QString &line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        total += line.size();
    }
    FUZZ_CHECK(total <= text.size());

    textfile::LineReader reader(text);
    qsizetype read = 0;
    while (reader.readLine())
        ++read;
    FUZZ_CHECK(read == lines.size() && reader.atEnd() && !reader.readLine());

    // Windows-1252 keeps one character per byte, and what it encodes it decodes.
    const QString latin = textfile::decodeWindows1252(bytes);
    FUZZ_CHECK(latin.size() == bytes.size());
    const QByteArray again = textfile::encodeWindows1252(latin);
    FUZZ_CHECK(again.size() == bytes.size());
    FUZZ_CHECK(textfile::encodeWindows1252(textfile::decodeWindows1252(again)) == again);
    return 0;
}
