#include "SkinPalette.h"

#include "FontMapper.h"
#include "SystemColors.h"

QColor sysColor(SysColor which)
{
    switch (which) {
    case SysColor::BtnFace: return SystemColors::color(SystemColor::ButtonFace);
    case SysColor::BtnShadow: return SystemColors::color(SystemColor::ButtonShadow);
    case SysColor::BtnHighlight: return SystemColors::color(SystemColor::ButtonHighlight);
    case SysColor::BtnText: return SystemColors::color(SystemColor::ButtonText);
    case SysColor::Window: return SystemColors::color(SystemColor::Window);
    case SysColor::WindowText: return SystemColors::color(SystemColor::WindowText);
    case SysColor::GrayText: return SystemColors::color(SystemColor::GrayText);
    case SysColor::Highlight: return SystemColors::color(SystemColor::Highlight);
    case SysColor::HighlightText: return SystemColors::color(SystemColor::HighlightText);
    }
    return QColor();
}

QColor colorFromBgr(int bgr)
{
    return SystemColors::fromColorValue(static_cast<std::uint32_t>(bgr));
}

QFont makeFont(const QString& face, int height, bool bold, bool italic)
{
    QFont f = FontMapper::makeFont(face, height);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QFont skinFont(const SkinFontKeys& keys)
{
    // The skin's face names are bytes (CP950, or the GBK-written name the table knows).
    const QByteArray bytes = keys.name.toLatin1();
    QFont f = FontMapper::makeFontFromBytes(std::string_view(bytes.constData(), size_t(bytes.size())), keys.height);
    f.setBold(keys.bold);
    f.setItalic(keys.italic);
    f.setUnderline(keys.underline);
    f.setStrikeOut(keys.strikeOut);
    return f;
}

QFont defaultSkinFont()
{
    return makeFont(QStringLiteral("Arial"), 14);
}
