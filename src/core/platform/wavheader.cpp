#include "wavheader.h"

#include "safefile.h"

#include <cstdint>

namespace wavheader {

namespace {

std::uint32_t le32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 |
           std::uint32_t(u[3]) << 24;
}

std::uint16_t le16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return std::uint16_t(u[0] | u[1] << 8);
}

bool isFormatPlayable(const char *fmt, std::uint32_t size)
{
    if (size < 16)
        return false;
    const std::uint16_t tag = le16(fmt);
    const std::uint16_t channels = le16(fmt + 2);
    const std::uint32_t rate = le32(fmt + 4);
    const std::uint16_t blockAlign = le16(fmt + 12);
    const std::uint16_t bits = le16(fmt + 14);
    constexpr std::uint16_t kPcm = 1;
    constexpr std::uint16_t kExtensible = 0xFFFE;
    if (tag != kPcm && tag != kExtensible)
        return false;
    if (channels < 1 || channels > 2 || (bits != 8 && bits != 16))
        return false;
    if (rate < 1000 || rate > 192000)
        return false;
    return blockAlign == channels * (bits / 8);
}

} // namespace

bool isPlayable(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    const char *p = bytes.constData();
    if (n < 12 || bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE")
        return false;
    // The RIFF size may be rounded or stale; the chunks themselves must fit.
    bool formatSeen = false;
    qsizetype at = 12;
    while (at + 8 <= n) {
        const QByteArray id = bytes.mid(at, 4);
        const std::uint32_t size = le32(p + at + 4);
        const qsizetype body = at + 8;
        if (qint64(size) > qint64(n - body))
            return false;
        if (id == "fmt ") {
            if (!isFormatPlayable(p + body, size))
                return false;
            formatSeen = true;
        } else if (id == "data") {
            return formatSeen && size > 0;
        }
        at = body + qsizetype(size) + qsizetype(size & 1); // chunks are padded to even sizes
    }
    return false;
}

bool fileIsPlayable(const QString &path)
{
    const auto bytes = safefile::read(path, safefile::kSoundLimit);
    const auto *whole = std::get_if<QByteArray>(&bytes);
    return whole && isPlayable(*whole);
}

} // namespace wavheader
