#include "SystemColors.h"

namespace SystemColors {

std::uint32_t value(SystemColor color)
{
    switch (color) {
    case SystemColor::Window: return 0x00FFFFFF;
    case SystemColor::WindowText: return 0x00000000;
    case SystemColor::Highlight: return 0x006A240A;       // RGB 10, 36, 106
    case SystemColor::HighlightText: return 0x00FFFFFF;
    case SystemColor::ButtonFace: return 0x00C8D0D4;      // RGB 212, 208, 200
    case SystemColor::ButtonShadow: return 0x00808080;
    case SystemColor::GrayText: return 0x00808080;
    case SystemColor::ButtonText: return 0x00000000;
    case SystemColor::ButtonHighlight: return 0x00FFFFFF;
    case SystemColor::DarkShadow3D: return 0x00404040;
    case SystemColor::Light3D: return 0x00C8D0D4;
    }
    return 0;
}

QColor color(SystemColor c)
{
    return fromColorValue(value(c));
}

QColor fromColorValue(std::uint32_t v)
{
    if ((v & 0xFF000000u) == 0xFF000000u) {
        switch (v & 0xFFu) {
        case 5: case 8: case 13: case 14: case 15: case 16: case 17: case 18: case 20: case 21: case 22:
            v = value(static_cast<SystemColor>(v & 0xFFu));
            break;
        default:
            v = 0;
        }
    }
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

std::uint32_t toColorValue(const QColor& c)
{
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8
         | static_cast<std::uint32_t>(c.blue()) << 16;
}

}
