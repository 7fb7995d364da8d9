// The wave header check: any bytes, and a playable verdict only for a file
// whose chunks the back end can trust.
#include "fuzzinput.h"
#include "platform/wavheader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (wavheader::isPlayable(bytes))
        FUZZ_CHECK(bytes.startsWith("RIFF") && bytes.size() >= 44 && bytes.contains("data"));
    return 0;
}
