#include "SkinPreview.h"

#include "TbsCompressedStoredSkin.h"
#include "TbsSkinData.h"
#include "TextCodec.h"

#include <QFile>
#include <QPainter>

namespace SkinPreview {
namespace {

QColor fromSkin(int c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// Nine-slice by the left-top and right-bottom points: corners fixed, edges and centre tiled.
QImage compose(const QImage& src, const QRect& s, QPoint lt, QPoint rb, int w, int h)
{
    QImage out(w, h, QImage::Format_RGB32);
    QPainter p(&out);
    const int xs[4] = {0, lt.x(), rb.x(), s.width()};
    const int ys[4] = {0, lt.y(), rb.y(), s.height()};
    const int xd[4] = {0, lt.x(), w - (s.width() - rb.x()), w};
    const int yd[4] = {0, lt.y(), h - (s.height() - rb.y()), h};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const QRect from(s.left() + xs[i], s.top() + ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j]);
            const QRect to(xd[i], yd[j], xd[i + 1] - xd[i], yd[j + 1] - yd[j]);
            if (from.isEmpty() || to.isEmpty())
                continue;
            const QImage piece = src.copy(from);
            for (int y = to.top(); y <= to.bottom(); y += piece.height())
                for (int x = to.left(); x <= to.right(); x += piece.width())
                    p.drawImage(QPoint(x, y), piece, QRect(0, 0, std::min(piece.width(), to.right() - x + 1),
                                                           std::min(piece.height(), to.bottom() - y + 1)));
        }
    return out;
}

QRect qr(const TbsRect& r) { return r.toQRect(); }

} // namespace

QImage render(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path);
    TbsCompressedStoredSkin stored;
    stored.setCompressedData(file.readAll());
    TbsSkinData skin;
    skin.setCompressedStoredSkin(&stored);

    const int W = 420, H = 300, scale = 2;
    QImage sheet(W + 40, H + 240, QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 200));
    QPainter p(&sheet);

    // The frame, widened.
    const TbsFormInfo& fi = skin.FormInfo();
    const QImage& main = skin.MainPicture();
    const int dx = W - main.width();
    QImage frame = compose(main, main.rect(), fi.LeftTopPoint.toQPoint(), fi.RightBottomPoint.toQPoint(), W, H);
    QPainter f(&frame);
    for (const auto& object : skin.ObjectDataList()) {
        if (const auto* button = dynamic_cast<const TbsDataSkinStdButton*>(object.get())) {
            QRect place = qr(button->SkinRect);
            const QImage* pic = skin.ActivePicture(button->ActivePictureIndex);
            if (button->SkinRectInAPicture) {
                // Placed in the caption-button row from the right edge of "buttonsrect".
                static int x = 0;
                const TbsRect row = fi.ButtonsRect;
                const int order = button->Command == TbsStdCommand::cmClose ? 0 : button->Command == TbsStdCommand::cmMaximize ? 1
                                : button->Command == TbsStdCommand::cmMinimize ? 2 : button->Command == TbsStdCommand::cmRollUp ? 3 : -1;
                const int s = button->SkinRect.width();
                if (order >= 0) {
                    x = row.Right + dx - order * (s + fi.ButtonsOffset) - s;
                    place = QRect(x, row.Top, s, s);
                } else {
                    place = QRect(fi.CaptionRect.Left, fi.CaptionRect.Top + fi.CaptionRect.height() / 2 - s / 2, s, s);
                }
                if (pic)
                    f.drawImage(place.topLeft(), *pic, qr(button->SkinRect));
            } else if (place.left() >= fi.RightTopPoint.X) {
                place.translate(dx, 0);
            }
            // Hot state on the maximize button, pressed on the minimize button, to see them.
            if (pic && button->Command == TbsStdCommand::cmMaximize)
                f.drawImage(place.topLeft(), *pic, qr(button->ActiveSkinRect));
            if (pic && button->Command == TbsStdCommand::cmMinimize)
                f.drawImage(place.topLeft(), *pic, qr(button->DownRect));
        }
        if (const auto* caption = dynamic_cast<const TbsDataSkinCaption*>(object.get())) {
            QRect r = qr(caption->SkinRect);
            r.setRight(r.right() + dx);
            if (fi.ButtonsRect.isEmpty() == false)
                r.setLeft(fi.CaptionRect.Left + 12);
            QFont font("AR PL UMing TW");
            font.setPixelSize(caption->FontHeight);
            font.setBold(caption->FontStyle.Bold);
            f.setFont(font);
            const QRect text = r.adjusted(caption->TextRect.Left, caption->TextRect.Top, 0, 0);
            const int align = (caption->Alignment == TbsAlignment::taCenter ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
            f.setPen(fromSkin(caption->ShadowColor));
            f.drawText(text.translated(1, 1), align, QString::fromUtf8("客戶區間商品數量表"));
            f.setPen(fromSkin(caption->ActiveFontColor));
            f.drawText(text, align, QString::fromUtf8("客戶區間商品數量表"));
        }
    }
    f.end();
    if (!skin.MaskPicture().isNull()) {
        // Corners outside the mask show the sheet's background.
        const QImage mask = compose(skin.MaskPicture(), skin.MaskPicture().rect(), fi.LeftTopPoint.toQPoint(),
                                    fi.RightBottomPoint.toQPoint(), W, H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (qGray(mask.pixel(x, y)) > 128)
                    frame.setPixel(x, y, qRgb(200, 200, 200));
    }
    p.drawImage(20, 20, frame);

    // Controls inside the client area.
    const QPoint client(20 + fi.ClientRect.Left, 20 + fi.ClientRect.Top);
    auto control = [&](const char* name) {
        return skin.ControlData(skin.IndexOfControlData(name));
    };
    auto* panel = dynamic_cast<TbsDataSkinCustomControl*>(control("panel"));
    const QImage& panelPic = *skin.ActivePicture(panel->PictureIndex);
    p.drawImage(client + QPoint(10, 10), compose(panelPic, qr(panel->SkinRect), panel->LeftTopPoint.toQPoint(),
                                                 panel->RightBottomPoint.toQPoint(), 380, 120));
    auto* edit = dynamic_cast<TbsDataSkinEditControl*>(control("buttonedit"));
    const QImage& editPic = *skin.ActivePicture(edit->PictureIndex);
    const QPoint editAt = client + QPoint(30, 30);
    p.drawImage(editAt, compose(editPic, qr(edit->SkinRect), QPoint(edit->LeftTopPoint.X, 0),
                                QPoint(edit->RightTopPoint.X, 21), 105, 21));
    p.drawImage(editAt + QPoint(130, 0), compose(editPic, qr(edit->ActiveSkinRect), QPoint(edit->LeftTopPoint.X, 0),
                                                 QPoint(edit->RightTopPoint.X, 21), 105, 21));
    p.drawImage(editAt + QPoint(130 + 86, 3), editPic, qr(edit->DownButtonRect));
    QFont font("AR PL UMing TW");
    font.setPixelSize(edit->FontHeight);
    p.setFont(font);
    p.setPen(fromSkin(edit->FontColor));
    p.drawText(editAt + QPoint(5, 15), "2024/01/31");
    auto* button = dynamic_cast<TbsDataSkinButtonControl*>(control("button"));
    const QImage& buttonPic = *skin.ActivePicture(button->PictureIndex);
    const TbsRect states[4] = {button->SkinRect, button->ActiveSkinRect, button->DownSkinRect, button->DisabledSkinRect};
    const int colours[4] = {button->FontColor, button->ActiveFontColor, button->DownFontColor, button->DisabledFontColor};
    for (int i = 0; i < 4; ++i) {
        const QPoint at = client + QPoint(30 + 85 * i, 70);
        p.drawImage(at, compose(buttonPic, qr(states[i]), QPoint(button->LeftTopPoint.X, 0),
                                QPoint(button->RightTopPoint.X, 21), 75, 21));
        p.setPen(fromSkin(colours[i]));
        p.drawText(QRect(at + QPoint(i == 2 ? 1 : 0, i == 2 ? 1 : 0), QSize(75, 21)), Qt::AlignCenter,
                   QString::fromUtf8("確定"));
    }
    auto* gauge = dynamic_cast<TbsDataSkinGaugeControl*>(control("gauge"));
    const QImage& gaugePic = *skin.ActivePicture(gauge->PictureIndex);
    const QPoint gaugeAt = client + QPoint(30, 100);
    p.drawImage(gaugeAt, compose(gaugePic, qr(gauge->SkinRect), QPoint(gauge->LeftTopPoint.X, 0),
                                 QPoint(gauge->RightTopPoint.X, 14), 300, 14));
    for (int x = gauge->ProgressArea.Left; x < 150; x += gauge->ProgressRect.width())
        p.drawImage(gaugeAt + QPoint(x, gauge->ProgressArea.Top), gaugePic,
                    QRect(gauge->ProgressRect.Left, gauge->ProgressRect.Top,
                          std::min(gauge->ProgressRect.width(), 150 - x), gauge->ProgressRect.height()));
    auto* memo = dynamic_cast<TbsDataSkinMemoControl*>(control("memo"));
    const QImage& memoPic = *skin.ActivePicture(memo->PictureIndex);
    p.drawImage(client + QPoint(10, 140), compose(memoPic, qr(memo->ActiveSkinRect), memo->LeftTopPoint.toQPoint(),
                                                  memo->RightBottomPoint.toQPoint(), 380, 60));
    p.setPen(fromSkin(memo->ActiveFontColor));
    p.drawText(client + QPoint(16, 160), QString::fromUtf8("備註"));

    // The system menu: the pop-up window's whole picture stretched by its corner points, with
    // a normal item, the active item, a divider and a disabled item in its items rect.
    const TbsDataSkinPopupWindow& pw = skin.PopupWindowData();
    const int mi = skin.IndexOfObjectData("menuitem");
    const QImage* windowPic = skin.ActivePicture(pw.WindowPictureIndex);
    const auto* item = mi < 0 ? nullptr : dynamic_cast<const TbsDataSkinMenuItem*>(skin.ObjectDataList()[std::size_t(mi)].get());
    const QImage* itemPic = item ? skin.ActivePicture(item->ActivePictureIndex) : nullptr;
    if (windowPic && item && itemPic) {
        const int rows[4] = {0, 1, 2, 0}; // normal, active, divider, disabled
        const int itemW = 150, itemsH = 3 * item->SkinRect.height() + item->DividerRect.height();
        const QRect ir = qr(pw.ItemsRect);
        const int menuW = itemW + ir.left() + (windowPic->width() - pw.ItemsRect.Right);
        const int menuH = itemsH + ir.top() + (windowPic->height() - pw.ItemsRect.Bottom);
        QImage menu = compose(*windowPic, windowPic->rect(), pw.LeftTopPoint.toQPoint(), pw.RightBottomPoint.toQPoint(),
                              menuW, menuH);
        QPainter m(&menu);
        m.setFont(font);
        int y = ir.top();
        const char* const texts[4] = {"還原", "最小化", "", "最大化"};
        for (int i = 0; i < 4; ++i) {
            const TbsRect& r = rows[i] == 0 ? item->SkinRect : rows[i] == 1 ? item->ActiveSkinRect : item->DividerRect;
            const int left = rows[i] == 2 ? item->DividerLeftOffset : item->ItemLeftOffset;
            const int right = rows[i] == 2 ? item->DividerRightOffset : item->ItemRightOffset;
            m.drawImage(QPoint(ir.left(), y), compose(*itemPic, qr(r), QPoint(left, 0), QPoint(r.width() - right, r.height()),
                                                      itemW, r.height()));
            if (rows[i] != 2) {
                m.setPen(fromSkin(i == 3 ? item->UnEnabledFontColor : rows[i] == 1 ? item->ActiveFontColor : item->FontColor));
                m.drawText(QRect(ir.left() + item->TextRect.Left, y + item->TextRect.Top, itemW - 8, item->TextRect.height()),
                           Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(texts[i]));
            }
            y += r.height();
        }
        m.end();
        p.drawImage(QPoint(W - menu.width(), H + 40), menu);
    }

    // The raw pictures, enlarged.
    int x = 20;
    for (const QImage& picture : skin.ActivePictures()) {
        if (x + picture.width() * scale > sheet.width())
            break;
        p.drawImage(QRect(x, H + 40, picture.width() * scale, picture.height() * scale), picture);
        x += picture.width() * scale + 8;
    }
    return sheet;
}

}
