#include "cardlayout.h"

#include "platform/numconv.h"

#include <cmath>

namespace cardlayout {

using numconv::intDiv;

namespace {

constexpr double kCardMargin = 200;

// (half − size) \ 2 + half: centres an extent in the second half of another.
double centredInSecondHalf(double whole, double size)
{
    const double half = double(intDiv(whole, 2));
    return double(intDiv(half - size, 2)) + half;
}

} // namespace

Rect cardRect(const Rect &picture1)
{
    return {picture1.left + kCardMargin, picture1.top + kCardMargin,
            picture1.width - 2 * kCardMargin, picture1.height - 2 * kCardMargin};
}

Rect textRect(double cardWidth, double cardHeight)
{
    return {50, 300, double(intDiv(cardWidth, 2) - 100), cardHeight - 400};
}

Point noticePosition(const Rect &text)
{
    return {text.width + text.left + 300, text.top + double(intDiv(text.height, 4)) - 100};
}

double pictureHeight(double cardHeight)
{
    return double(intDiv(cardHeight, 2) - 250);
}

double pictureWidth(double naturalWidth, double naturalHeight, double fittedHeight)
{
    // A 16-bit whole number would overflow past 32 767 twips (2 184 pixels);
    // 32 bits give the same value for every picture that fitted before.
    if (naturalHeight <= 0)
        return 0; // no picture has no height; nothing to scale
    const auto w = static_cast<std::int32_t>(numconv::roundHalfEven(naturalWidth));
    const float product = float(w) * float(fittedHeight);
    const float quotient = product / float(naturalHeight);
    return std::floor(double(quotient));
}

Point picturePosition(double cardWidth, double fittedWidth, double textTop)
{
    return {centredInSecondHalf(cardWidth, fittedWidth), textTop};
}

Point flagPosition(double cardWidth, double cardHeight, double flagWidth, double flagHeight)
{
    return {centredInSecondHalf(cardWidth, flagWidth), centredInSecondHalf(cardHeight, flagHeight)};
}

} // namespace cardlayout
