// The sixteen standard colours, numbered 0 to 15, used to recolour the
// titles and the question prompt.
#pragma once

#include <QColor>
#include <array>

namespace colours {

constexpr std::array<QRgb, 16> kStandard = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

constexpr QRgb kWhite = 0xFFFFFF;

} // namespace colours
