#include "SkinPainter.h"

#include <QHash>
#include <QPainter>
#include <stdexcept>

namespace SkinPainter {
namespace {

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor(int(a.red() + (b.red() - a.red()) * t + 0.5), int(a.green() + (b.green() - a.green()) * t + 0.5),
                  int(a.blue() + (b.blue() - a.blue()) * t + 0.5));
}

// A vertical gradient in a few bands, so that the colour count stays small.
void steppedGradient(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom, int steps = 6)
{
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const double t = r.height() > 1 ? double(y - r.top()) / (r.height() - 1) : 0.0;
        p.setPen(mix(top, bottom, std::floor(t * steps) / steps));
        p.drawLine(r.left(), y, r.right(), y);
    }
}

QColor captionAt(const SkinTheme& t, int y)
{
    const double f = std::clamp(double(y - 1) / std::max(1, t.captionHeight - 3), 0.0, 1.0);
    return mix(t.captionTop, t.captionBottom, std::floor(f * 6) / 6);
}


// A 1-pixel outline with clipped corners, the look of a small rounded box.
void softBox(QPainter& p, const QRect& r, const QColor& border, const QColor& fill)
{
    p.fillRect(r.adjusted(1, 1, -1, -1), fill);
    p.setPen(border);
    p.drawLine(r.left() + 1, r.top(), r.right() - 1, r.top());
    p.drawLine(r.left() + 1, r.bottom(), r.right() - 1, r.bottom());
    p.drawLine(r.left(), r.top() + 1, r.left(), r.bottom() - 1);
    p.drawLine(r.right(), r.top() + 1, r.right(), r.bottom() - 1);
}

void drawGlyph(QPainter& p, ButtonColumn column, const QRect& cell, const QColor& c)
{
    const int s = cell.width();
    const int m = s / 4;                    // margin
    const QRect g = cell.adjusted(m, m, -m, -m);
    p.setPen(c);
    switch (column) {
    case Close:
        for (int i = 0; i <= g.width() - 1; ++i) {
            p.drawPoint(g.left() + i, g.top() + i);
            p.drawPoint(g.left() + i + (i < g.width() - 1 ? 1 : 0), g.top() + i);
            p.drawPoint(g.right() - i, g.top() + i);
            p.drawPoint(g.right() - i - (i < g.width() - 1 ? 1 : 0), g.top() + i);
        }
        break;
    case Maximize:
        p.drawRect(g.adjusted(0, 0, -1, -1));
        p.drawLine(g.left(), g.top() + 1, g.right() - 1, g.top() + 1);
        break;
    case Minimize:
        p.fillRect(QRect(g.left(), g.bottom() - 2, g.width() - 1, 2), c);
        break;
    case RollUp: {
        const int cx = g.left() + g.width() / 2;
        const int top = g.top() + g.height() / 4;
        for (int i = 0; i < g.width() / 2; ++i) {
            p.drawPoint(cx - i - 1, top + i);
            p.drawPoint(cx + i, top + i);
            p.drawPoint(cx - i - 1, top + i + 1);
            p.drawPoint(cx + i, top + i + 1);
        }
        break;
    }
    case SysMenu: {
        // A small report sheet: the program's own mark.
        const QRect sheet = g.adjusted(1, 0, -1, 0);
        p.fillRect(sheet, QColor(255, 255, 255));
        p.drawRect(sheet.adjusted(0, 0, -1, -1));
        for (int y = sheet.top() + 2; y < sheet.bottom() - 1; y += 2)
            p.drawLine(sheet.left() + 2, y, sheet.right() - 2, y);
        break;
    }
    case Restore: {
        const int d = std::max(2, g.width() / 4);
        const QRect back(g.left() + d, g.top(), g.width() - d, g.height() - d);
        const QRect front(g.left(), g.top() + d, g.width() - d, g.height() - d);
        p.drawRect(back.adjusted(0, 0, -1, -1));
        p.fillRect(front.adjusted(1, 1, -1, -1), p.background());
        p.drawRect(front.adjusted(0, 0, -1, -1));
        break;
    }
    default:
        break;
    }
}

} // namespace

MenuItemRects menuItemRects(const SkinTheme& t)
{
    const int top = t.buttonSize * ButtonRows;
    return {QRect(0, top, 40, 20), QRect(0, top + 20, 40, 20), QRect(0, top + 40, 40, 4)};
}

QImage captionButtonsAndMenuItems(const SkinTheme& t, int rowBackgroundTop)
{
    const int s = t.buttonSize;
    const MenuItemRects items = menuItemRects(t);
    QImage image(std::max(s * ButtonColumns, items.divider.right() + 1), items.divider.bottom() + 1, QImage::Format_RGB32);
    image.fill(t.fieldFace);
    QPainter p(&image);
    for (int row = 0; row < ButtonRows; ++row) {
        for (int col = 0; col < ButtonColumns; ++col) {
            const QRect cell(col * s, row * s, s, s);
            // The caption bar behind the button.
            for (int y = 0; y < s; ++y) {
                const QColor bg = rowBackgroundTop >= 0 ? captionAt(t, rowBackgroundTop + y) : t.frameFace;
                p.setPen(bg);
                p.drawLine(cell.left(), cell.top() + y, cell.right(), cell.top() + y);
            }
            QColor glyph = t.glyph;
            if (row == Hot || row == Pressed) {
                const bool close = col == Close;
                const QColor face = close ? (row == Hot ? t.closeHot : t.closePressed)
                                          : (row == Hot ? t.hotFace : t.pressedFace);
                softBox(p, cell, close ? face.darker(115) : t.accent, face);
                glyph = close ? QColor(255, 255, 255) : (row == Hot ? t.glyphHot : t.accentDark);
                p.setBackground(face);
            } else {
                p.setBackground(captionAt(t, std::max(0, rowBackgroundTop) + s / 2));
            }
            QRect glyphCell = cell;
            if (row == Pressed)
                glyphCell.translate(1, 1); // the glyph sinks when pressed
            drawGlyph(p, ButtonColumn(col), glyphCell, glyph);
        }
    }
    // Menu items: normal, active, divider.
    p.setBackground(t.fieldFace);
    p.fillRect(items.normal, t.fieldFace);
    softBox(p, items.active, t.accent, t.hotFace);
    p.fillRect(items.divider, t.fieldFace);
    const int x0 = items.divider.left() + 2, x1 = items.divider.right() - 2, y = items.divider.top() + 1;
    p.setPen(t.controlBorder);
    p.drawLine(x0, y, x1, y);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(x0, y + 1, x1, y + 1);
    return image;
}

QImage mainPicture(const SkinTheme& t, const ButtonPlace* places, int count)
{
    QImage image(t.width, t.height, QImage::Format_RGB32);
    QPainter p(&image);
    const QRect all(0, 0, t.width, t.height);
    p.fillRect(all, t.frameFace);
    // Caption bar
    for (int y = 0; y < t.captionHeight; ++y) {
        p.setPen(captionAt(t, y));
        p.drawLine(0, y, t.width - 1, y);
    }
    p.setPen(t.captionLine);
    p.drawLine(t.border - 1, t.captionHeight - 1, t.width - t.border, t.captionHeight - 1);
    // Client area
    p.fillRect(QRect(t.border, t.captionHeight, t.width - 2 * t.border, t.height - t.captionHeight - t.border), t.clientFace);
    p.setPen(t.frameShadow);
    p.drawRect(QRect(t.border - 1, t.captionHeight - 1, t.width - 2 * t.border + 1, t.height - t.captionHeight - t.border + 1));
    // Outline: dark outer line, light inner line
    p.setPen(t.outline);
    p.drawRect(all.adjusted(0, 0, -1, -1));
    p.setPen(t.frameLight);
    p.drawLine(1, 1, t.width - 2, 1);
    p.drawLine(1, 1, 1, t.height - 2);
    if (t.roundedMask) {
        // The outline follows the mask's rounded corners.
        const int r = t.cornerRadius;
        const QColor outside(255, 255, 255);
        for (int y = 0; y < r; ++y)
            for (int x = 0; x < r; ++x) {
                const int dx = r - x, dy = r - y;
                const int d2 = dx * dx + dy * dy;
                const bool out = d2 > r * r;
                const bool edge = !out && d2 > (r - 1) * (r - 1);
                for (auto [px, py] : {std::pair{x, y}, std::pair{t.width - 1 - x, y}, std::pair{x, t.height - 1 - y},
                                      std::pair{t.width - 1 - x, t.height - 1 - y}}) {
                    if (out)
                        image.setPixel(px, py, outside.rgb());
                    else if (edge)
                        image.setPixel(px, py, t.outline.rgb());
                }
            }
    }
    p.end();
    // Normal images of the caption buttons that live in the main picture.
    QPainter q(&image);
    for (int i = 0; i < count; ++i) {
        const ButtonPlace& b = places[i];
        const int s = t.buttonSize;
        // The button's normal image: its glyph over the caption bar at its own rows.
        QImage cell(s, s, QImage::Format_RGB32);
        QPainter c(&cell);
        for (int y = 0; y < s; ++y) {
            c.setPen(captionAt(t, b.y + y));
            c.drawLine(0, y, s - 1, y);
        }
        c.setBackground(captionAt(t, b.y + s / 2));
        drawGlyph(c, b.column, QRect(0, 0, s, s), t.glyph);
        c.end();
        q.drawImage(b.x, b.y, cell);
    }
    return image;
}

QImage frameMask(const SkinTheme& t)
{
    QImage image(t.width, t.height, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 0));
    const int r = t.cornerRadius;
    for (int y = 0; y < r; ++y)
        for (int x = 0; x < r; ++x) {
            const int dx = r - x, dy = r - y;
            if (dx * dx + dy * dy <= r * r)
                continue;
            for (auto [px, py] : {std::pair{x, y}, std::pair{t.width - 1 - x, y}, std::pair{x, t.height - 1 - y},
                                  std::pair{t.width - 1 - x, t.height - 1 - y}})
                image.setPixel(px, py, qRgb(255, 255, 255));
        }
    return image;
}

QImage panelAndMemo(const SkinTheme& t)
{
    QImage image(177, 52, QImage::Format_RGB32);
    QPainter p(&image);
    // Panel: raised light box.
    const QRect panel(0, 0, 59, 52);
    p.fillRect(panel, t.controlFace);
    p.setPen(t.controlBorder);
    p.drawRect(panel.adjusted(0, 0, -1, -1));
    p.setPen(QColor(255, 255, 255));
    p.drawLine(1, 1, 57, 1);
    p.drawLine(1, 1, 1, 50);
    // Memo, normal and active: a white field in a border.
    for (int i = 0; i < 2; ++i) {
        const QRect memo(59 + 59 * i, 0, 59, 52);
        p.fillRect(memo, t.fieldFace);
        p.setPen(i == 0 ? t.controlBorder : t.accent);
        p.drawRect(memo.adjusted(0, 0, -1, -1));
        p.setPen(i == 0 ? t.controlFace : t.accentLight);
        p.drawRect(memo.adjusted(1, 1, -2, -2));
    }
    return image;
}

QImage pushButtons(const SkinTheme& t)
{
    QImage image(96, 21, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), t.clientFace);
    const QColor tops[4] = {t.controlFaceTop, QColor(255, 255, 255), t.pressedFace, t.controlFace};
    const QColor bottoms[4] = {t.controlFace, t.hotFace, t.pressedFace.darker(106), t.controlFace};
    const QColor borders[4] = {t.controlBorder, t.accent, t.accentDark, t.controlBorder.lighter(120)};
    for (int i = 0; i < 4; ++i) {
        const QRect r(24 * i, 0, 24, 21);
        steppedGradient(p, r.adjusted(1, 1, -1, -1), tops[i], bottoms[i], 5);
        p.setPen(borders[i]);
        p.drawLine(r.left() + 1, r.top(), r.right() - 1, r.top());
        p.drawLine(r.left() + 1, r.bottom(), r.right() - 1, r.bottom());
        p.drawLine(r.left(), r.top() + 1, r.left(), r.bottom() - 1);
        p.drawLine(r.right(), r.top() + 1, r.right(), r.bottom() - 1);
        if (i == 2) { // pressed: a shadow line inside the top edge
            p.setPen(t.pressedFace.darker(120));
            p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
        }
    }
    return image;
}

QImage edits(const SkinTheme& t)
{
    QImage image(130, 45, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), t.clientFace);
    auto field = [&](const QRect& r, bool active) {
        p.fillRect(r, t.fieldFace);
        p.setPen(active ? t.accent : t.controlBorder);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(active ? t.accentLight : t.controlFace);
        p.drawRect(r.adjusted(1, 1, -2, -2));
    };
    auto dropButton = [&](const QRect& r, const QColor& face, const QColor& border, const QColor& glyph, int sink) {
        softBox(p, r, border, face);
        // A down arrow: the button opens a picker.
        const int cx = r.left() + r.width() / 2 + sink - 1, cy = r.top() + r.height() / 2 - 1 + sink;
        p.setPen(glyph);
        for (int i = 0; i < 4; ++i)
            p.drawLine(cx - 3 + i, cy - 1 + i, cx + 3 - i, cy - 1 + i);
    };
    field(QRect(0, 0, 57, 21), false);
    field(QRect(0, 21, 57, 21), true);
    field(QRect(57, 0, 57, 21), false);
    field(QRect(57, 21, 57, 21), true);
    // The normal button image sits inside the field image at "buttonrect" 38,3,54,18.
    dropButton(QRect(57 + 38, 3, 16, 15), t.controlFace, t.controlBorder, t.glyph, 0);
    dropButton(QRect(57 + 38, 21 + 3, 16, 15), t.controlFace, t.controlBorder, t.glyph, 0);
    dropButton(QRect(114, 0, 16, 15), t.hotFace, t.accent, t.glyphHot, 0);          // hot
    dropButton(QRect(114, 15, 16, 15), t.pressedFace, t.accentDark, t.accentDark, 1); // pressed
    dropButton(QRect(114, 30, 16, 15), t.controlFace, t.controlBorder.lighter(120), t.disabledText, 0);
    return image;
}

QImage gauge(const SkinTheme& t)
{
    QImage image(32, 14, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), t.clientFace);
    p.fillRect(QRect(0, 0, 22, 14), t.fieldFace);
    p.setPen(t.controlBorder);
    p.drawRect(QRect(0, 0, 21, 13));
    p.setPen(t.controlFace);
    p.drawLine(1, 1, 20, 1);
    // Progress tile: a 9-pixel block and a 1-pixel gap.
    steppedGradient(p, QRect(22, 0, 9, 11), t.accentLight, t.accent, 4);
    p.setPen(t.fieldFace);
    p.drawLine(31, 0, 31, 10);
    p.fillRect(QRect(22, 11, 10, 3), t.clientFace);
    return image;
}

QImage popupWindow(const SkinTheme& t)
{
    QImage image(40, 40, QImage::Format_RGB32);
    QPainter p(&image);
    // Border, light fill.
    p.fillRect(image.rect(), t.fieldFace);
    p.setPen(t.controlBorder);
    p.drawRect(QRect(0, 0, 39, 39));
    p.setPen(t.controlFace);
    p.drawRect(QRect(1, 1, 37, 37));
    return image;
}

QImage hintWindow(const SkinTheme& t)
{
    QImage image(30, 20, QImage::Format_RGB32);
    QPainter p(&image);
    softBox(p, image.rect(), t.controlBorder, QColor(255, 255, 238));
    return image;
}

QImage hintMask(const SkinTheme&)
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 0));
    for (auto [x, y] : {std::pair{0, 0}, std::pair{29, 0}, std::pair{0, 19}, std::pair{29, 19}})
        image.setPixel(x, y, qRgb(255, 255, 255));
    return image;
}

QImage toIndexed8(const QImage& source)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> index;
    QList<QRgb> table;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y) | 0xFF000000u;
            if (index.contains(c))
                continue;
            if (table.size() == 256)
                throw std::runtime_error("picture has more than 256 colours");
            index.insert(c, int(table.size()));
            table.append(c);
        }
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        uchar* line = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            line[x] = uchar(index.value(rgb.pixel(x, y) | 0xFF000000u));
    }
    return out;
}

QImage toMono(const QImage& blackInside)
{
    QImage out(blackInside.size(), QImage::Format_Mono);
    out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < blackInside.height(); ++y)
        for (int x = 0; x < blackInside.width(); ++x)
            out.setPixel(x, y, qGray(blackInside.pixel(x, y)) < 128 ? 0u : 1u);
    return out;
}

}
