// The language file: any bytes give twelve texts.
#include "fuzzinput.h"
#include "localisation/languagefile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const LanguageFile file = LanguageFile::fromBytes(bytes);
    for (int n = -1; n <= LanguageFile::kLineCount + 1; ++n) {
        const QString text = file.line(n);
        if (n >= 1 && n <= LanguageFile::kLineCount && !file.hasLine(n))
            FUZZ_CHECK(text == LanguageFile::builtInLine(n));
    }
    FUZZ_CHECK(!file.hasLine(LanguageFile::kLineCount + 1));
    return 0;
}
