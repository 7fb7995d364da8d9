// GIF output through giflib: palette building (exact or median cut) and the
// block sequence of an animated GIF89a file.
#include "gifwriter.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <climits>
#include <map>
#include <gif_lib.h>

namespace gifwriter {
namespace {

constexpr QRgb kTransparent = 0x00000000; // key used for every see-through pixel
constexpr int kMaxColours = 256;

QRgb keyOf(QRgb pixel)
{
    return qAlpha(pixel) < 128 ? kTransparent : (pixel | 0xff000000u);
}

struct ColourCount {
    QRgb rgb;
    quint64 count;
};

// Colours of one image (or several) with their pixel counts, in ascending
// order of value so that the palette never depends on hashing order.
using Histogram = std::map<QRgb, quint64>;

void addToHistogram(const QImage &image, Histogram &histogram)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++histogram[keyOf(line[x])];
    }
}

int channel(QRgb c, int which)
{
    return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c);
}

// Median cut over the histogram's opaque colours: split the box with the
// widest channel range at its pixel-weighted median until there are enough
// boxes, then take each box's weighted mean.
std::vector<QRgb> medianCut(std::vector<ColourCount> colours, int maxColours)
{
    struct Box {
        size_t begin, end;
    };
    std::vector<Box> boxes{{0, colours.size()}};
    auto widest = [&](const Box &box, int &whichOut) {
        int best = -1;
        for (int which = 0; which < 3; ++which) {
            int lo = 255, hi = 0;
            for (size_t i = box.begin; i < box.end; ++i) {
                lo = std::min(lo, channel(colours[i].rgb, which));
                hi = std::max(hi, channel(colours[i].rgb, which));
            }
            if (hi - lo > best) {
                best = hi - lo;
                whichOut = which;
            }
        }
        return best;
    };
    while (static_cast<int>(boxes.size()) < maxColours) {
        int chosen = -1, chosenChannel = 0, chosenRange = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2)
                continue;
            int which = 0;
            const int range = widest(boxes[b], which);
            if (range > chosenRange) {
                chosen = static_cast<int>(b);
                chosenChannel = which;
                chosenRange = range;
            }
        }
        if (chosen < 0)
            break;
        Box box = boxes[chosen];
        std::stable_sort(colours.begin() + box.begin, colours.begin() + box.end,
                         [&](const ColourCount &a, const ColourCount &b) {
                             return channel(a.rgb, chosenChannel) < channel(b.rgb, chosenChannel);
                         });
        quint64 total = 0;
        for (size_t i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        quint64 running = 0;
        size_t split = box.begin + 1;
        for (size_t i = box.begin; i < box.end - 1; ++i) {
            running += colours[i].count;
            split = i + 1;
            if (running * 2 >= total)
                break;
        }
        boxes[chosen] = {box.begin, split};
        boxes.push_back({split, box.end});
    }
    std::vector<QRgb> palette;
    for (const Box &box : boxes) {
        quint64 r = 0, g = 0, b = 0, n = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            r += qRed(colours[i].rgb) * colours[i].count;
            g += qGreen(colours[i].rgb) * colours[i].count;
            b += qBlue(colours[i].rgb) * colours[i].count;
            n += colours[i].count;
        }
        palette.push_back(qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n)));
    }
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

// A palette ready for giflib plus the lookup from pixel key to index.
struct Palette {
    std::vector<QRgb> colours; // index order; the transparent entry is black
    int transparentIndex = NO_TRANSPARENT_COLOR;
    bool exact = true;
    QHash<QRgb, int> index;

    int lookup(QRgb key)
    {
        auto it = index.constFind(key);
        if (it != index.constEnd())
            return it.value();
        // Only reached for median-cut palettes: nearest opaque entry.
        int best = 0;
        int bestDistance = INT_MAX;
        for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
            if (i == transparentIndex)
                continue;
            const int dr = qRed(colours[i]) - qRed(key);
            const int dg = qGreen(colours[i]) - qGreen(key);
            const int db = qBlue(colours[i]) - qBlue(key);
            const int distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        index.insert(key, best);
        return best;
    }
};

Palette makePalette(const Histogram &histogram)
{
    Palette palette;
    const bool hasTransparent = histogram.count(kTransparent) > 0;
    std::vector<ColourCount> opaque;
    for (const auto &[rgb, count] : histogram)
        if (rgb != kTransparent)
            opaque.push_back({rgb, count});
    const int room = kMaxColours - (hasTransparent ? 1 : 0);
    if (static_cast<int>(opaque.size()) <= room) {
        for (const ColourCount &c : opaque)
            palette.colours.push_back(c.rgb);
    } else {
        palette.exact = false;
        palette.colours = medianCut(opaque, room);
    }
    for (int i = 0; i < static_cast<int>(palette.colours.size()); ++i)
        palette.index.insert(palette.colours[i] | 0xff000000u, i);
    if (hasTransparent) {
        palette.transparentIndex = static_cast<int>(palette.colours.size());
        palette.colours.push_back(qRgb(0, 0, 0));
        palette.index.insert(kTransparent, palette.transparentIndex);
    }
    return palette;
}

// giflib wants a power-of-two map of at least two entries.
ColorMapObject *makeColorMap(const Palette &palette)
{
    int bits = 1;
    while ((1 << bits) < static_cast<int>(palette.colours.size()))
        ++bits;
    std::vector<GifColorType> entries(size_t(1) << bits, GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.colours.size(); ++i)
        entries[i] = GifColorType{GifByteType(qRed(palette.colours[i])),
                                  GifByteType(qGreen(palette.colours[i])),
                                  GifByteType(qBlue(palette.colours[i]))};
    return GifMakeMapObject(1 << bits, entries.data());
}

int writeToFile(GifFileType *gif, const GifByteType *bytes, int length)
{
    auto *file = static_cast<QFile *>(gif->UserData);
    return int(file->write(reinterpret_cast<const char *>(bytes), length));
}

bool fail(QString *error, const QString &path, const QString &what)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, what);
    return false;
}

QString gifErrorText(int code)
{
    const char *text = GifErrorString(code);
    return text ? QString::fromLatin1(text) : QStringLiteral("giflib error %1").arg(code);
}

} // namespace

bool write(const QString &path, const std::vector<Frame> &frames, Looping looping,
           QString *error)
{
    if (frames.empty())
        return fail(error, path, QStringLiteral("no frames"));
    const QSize size = frames.front().image.size();
    if (size.isEmpty() || size.width() > 65535 || size.height() > 65535)
        return fail(error, path, QStringLiteral("bad image size"));

    std::vector<QImage> images;
    Histogram all;
    std::vector<Histogram> perFrame;
    for (const Frame &frame : frames) {
        if (frame.image.size() != size)
            return fail(error, path, QStringLiteral("frames differ in size"));
        images.push_back(frame.image.convertToFormat(QImage::Format_ARGB32));
        perFrame.emplace_back();
        addToHistogram(images.back(), perFrame.back());
        for (const auto &[rgb, count] : perFrame.back())
            all[rgb] += count;
    }

    const bool global = all.size() <= size_t(kMaxColours);
    Palette globalPalette;
    if (global)
        globalPalette = makePalette(all);

    // Written through QFile so the file gets the usual permissions (giflib's
    // own open makes it readable by the owner only).
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(error, path, file.errorString());
    int status = 0;
    GifFileType *gif = EGifOpen(&file, writeToFile, &status);
    if (!gif) {
        file.remove();
        return fail(error, path, gifErrorText(status));
    }
    EGifSetGifVersion(gif, true);
    auto abort = [&](const QString &what) {
        int ignored = 0;
        EGifCloseFile(gif, &ignored);
        file.remove();
        return fail(error, path, what);
    };

    ColorMapObject *screenMap = global ? makeColorMap(globalPalette) : nullptr;
    const int background =
        global && globalPalette.transparentIndex != NO_TRANSPARENT_COLOR
            ? globalPalette.transparentIndex
            : 0;
    status = EGifPutScreenDesc(gif, size.width(), size.height(), 8, background, screenMap);
    GifFreeMapObject(screenMap);
    if (status == GIF_ERROR)
        return abort(gifErrorText(gif->Error));

    if (looping == LoopForever) {
        static const GifByteType netscape[] = "NETSCAPE2.0";
        static const GifByteType loopForever[] = {1, 0, 0};
        if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
            EGifPutExtensionBlock(gif, 11, netscape) == GIF_ERROR ||
            EGifPutExtensionBlock(gif, 3, loopForever) == GIF_ERROR ||
            EGifPutExtensionTrailer(gif) == GIF_ERROR)
            return abort(gifErrorText(gif->Error));
    }

    std::vector<GifPixelType> line(size_t(size.width()));
    for (size_t f = 0; f < frames.size(); ++f) {
        Palette localPalette;
        if (!global)
            localPalette = makePalette(perFrame[f]);
        Palette &palette = global ? globalPalette : localPalette;
        const bool seeThrough = perFrame[f].count(kTransparent) > 0;

        GraphicsControlBlock control{};
        control.DisposalMode = seeThrough ? DISPOSE_BACKGROUND : DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = (std::max(frames[f].delayMs, 0) + 5) / 10;
        control.TransparentColor = palette.transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR)
            return abort(gifErrorText(gif->Error));

        ColorMapObject *frameMap = global ? nullptr : makeColorMap(localPalette);
        status = EGifPutImageDesc(gif, 0, 0, size.width(), size.height(), false, frameMap);
        GifFreeMapObject(frameMap);
        if (status == GIF_ERROR)
            return abort(gifErrorText(gif->Error));
        for (int y = 0; y < size.height(); ++y) {
            const auto *pixels = reinterpret_cast<const QRgb *>(images[f].constScanLine(y));
            for (int x = 0; x < size.width(); ++x)
                line[size_t(x)] = GifPixelType(palette.lookup(keyOf(pixels[x])));
            if (EGifPutLine(gif, line.data(), size.width()) == GIF_ERROR)
                return abort(gifErrorText(gif->Error));
        }
    }

    if (EGifCloseFile(gif, &status) == GIF_ERROR) {
        file.remove();
        return fail(error, path, gifErrorText(status));
    }
    if (!file.flush()) {
        file.remove();
        return fail(error, path, file.errorString());
    }
    return true;
}

} // namespace gifwriter
