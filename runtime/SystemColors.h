#pragma once
// The system colours the drawing code uses, fixed to the classic "Windows Standard" scheme so
// that default drawing is the same on every desktop and exact in tests.
//
// Colour values are 32-bit 0x00BBGGRR (red in the low byte). A value whose high byte is 0xFF
// names a system colour by index (0xFF00000F is the button face), as colour properties of
// the form data and the skins store them.

#include <QColor>
#include <cstdint>

enum class SystemColor : std::uint8_t {
    Window = 5,
    WindowText = 8,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
};

namespace SystemColors {

// The scheme's value of a system colour as 0x00BBGGRR.
std::uint32_t value(SystemColor color);
// The same as a QColor.
QColor color(SystemColor color);

// The colour value that names a system colour (0xFF000000 | index).
constexpr std::uint32_t reference(SystemColor color)
{
    return 0xFF000000u | static_cast<std::uint32_t>(color);
}

// A 0x00BBGGRR value, or a system colour reference, as a QColor. A reference to an index
// outside the table gives black.
QColor fromColorValue(std::uint32_t value);
// A QColor as 0x00BBGGRR (alpha dropped).
std::uint32_t toColorValue(const QColor& color);

}
