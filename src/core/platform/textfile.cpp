#include "textfile.h"

#include "safefile.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace textfile {

namespace {

// Windows-1252 code points for bytes 0x80..0x9F; 0 marks the five undefined
// bytes, which are kept as the C1 control of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t code = b;
        if (b >= 0x80 && b <= 0x9F && kHighControls[b - 0x80] != 0)
            code = kHighControls[b - 0x80];
        *out++ = QChar(code);
    }
    return text;
}

QByteArray encodeWindows1252(const QString &text, QString *unmappable)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(char(u));
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < kHighControls.size(); ++i) {
            if (kHighControls[i] == u) {
                mapped = char(0x80 + i);
                break;
            }
        }
        if (mapped == '?' && unmappable)
            *unmappable += ch;
        bytes.append(mapped);
    }
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1); // a byte-order mark is not part of the first line
        return text;
    }
    return decodeWindows1252(bytes);
}

bool looksLikeUtf16(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    // Without a mark: the first characters, up to 32, each one byte and a zero.
    const qsizetype pairs = std::min<qsizetype>(bytes.size() / 2, 32);
    if (pairs < 2)
        return false;
    bool littleEndian = true;
    bool bigEndian = true;
    for (qsizetype i = 0; i < pairs; ++i) {
        const char first = bytes.at(2 * i);
        const char second = bytes.at(2 * i + 1);
        littleEndian = littleEndian && first != 0 && second == 0;
        bigEndian = bigEndian && first == 0 && second != 0;
    }
    return littleEndian || bigEndian;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

std::optional<QByteArray> readBytes(const QString &path)
{
    auto bytes = safefile::read(path, safefile::kTextLimit);
    if (auto *whole = std::get_if<QByteArray>(&bytes))
        return std::move(*whole);
    return std::nullopt;
}

std::optional<QString> LineReader::readLine()
{
    if (atEnd())
        return std::nullopt;
    return lines.at(next++);
}

} // namespace textfile
