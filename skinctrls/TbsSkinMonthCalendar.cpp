#include "TbsSkinMonthCalendar.h"

#include "CalendarMath.h"
#include "Clock.h"
#include "EventDispatch.h"
#include "FormatSettings.h"
#include "ProgramBitmaps.h"
#include "SkinLookup.h"
#include "SkinPalette.h"
#include "TbsSkinSpeedButton.h"

#include <QMouseEvent>
#include <QPainter>

TbsSkinMonthCalendar::TbsSkinMonthCalendar(QWidget* parent, TComponent* owner) : TbsSkinPanel(parent, owner)
{
    FBorderStyle = TbsSkinBorderStyle::bvFrame;
    FDate = toDateTimeValue(Clock::now());
    const struct {
        const char* glyph;
        int interval;
        void (TbsSkinMonthCalendar::*action)();
    } buttons[4] = {{"BS_PRIORYEAR", 100, &TbsSkinMonthCalendar::PriorYear},
                    {"BS_PRIORMONTH", 250, &TbsSkinMonthCalendar::PriorMonth},
                    {"BS_NEXTMONTH", 250, &TbsSkinMonthCalendar::NextMonth},
                    {"BS_NEXTYEAR", 100, &TbsSkinMonthCalendar::NextYear}};
    for (int i = 0; i < 4; ++i) {
        auto* b = new TbsSkinSpeedButton(this, nullptr);
        b->setSkinDataName(QStringLiteral("resizebutton"));
        b->resize(20, 20);
        b->setNumGlyphs(1);
        b->setGlyph(programBitmap(buttons[i].glyph));
        b->setRepeatMode(true);
        b->setRepeatInterval(buttons[i].interval);
        const auto action = buttons[i].action;
        b->OnClick = [this, action](QObject*) { (this->*action)(); };
        FButtons[i] = b;
    }
    resize(200, 150);
    layoutButtons();
}

void TbsSkinMonthCalendar::setDate(TDateTime value)
{
    FDate = value;
    RepaintNow();
}

void TbsSkinMonthCalendar::setFirstDayOfWeek(TbsDaysOfWeek value)
{
    FFirstDayOfWeek = value;
    RepaintNow();
}

void TbsSkinMonthCalendar::loaded()
{
    TbsSkinPanel::loaded();
    if (FTodayDefault)
        setDate(toDateTimeValue(Clock::now()));
}

void TbsSkinMonthCalendar::setSkinData(TbsSkinData* value)
{
    TbsSkinPanel::setSkinData(value);
    for (auto* b : FButtons)
        b->setSkinData(value);
}

void TbsSkinMonthCalendar::ApplySkin()
{
    if (const auto label = findSkinSection(FSkinData, QStringLiteral("stdlabel"))) {
        if (label->isStdLabel) {
            FDayColor = label->font.color;
            FHeaderColor = label->activeFontColor;
        } else {
            const int c = int(palette().color(QPalette::WindowText).rgb() & 0xffffff);
            FDayColor = FHeaderColor = ((c & 0xff) << 16) | (c & 0xff00) | ((c >> 16) & 0xff);
        }
    }
    TbsSkinPanel::ApplySkin();
    layoutButtons();
}

void TbsSkinMonthCalendar::layoutButtons()
{
    LoadSkinSection();
    const QRect k = ClientArea();
    const int left = k.x(), top = k.y(), right = k.x() + k.width();
    FButtons[0]->move(left + 1, top + 1);
    FButtons[1]->move(left + 1 + 21, top + 1);
    FButtons[3]->move(right - 21, top + 1);
    FButtons[2]->move(right - 21 - 21, top + 1);
}

void TbsSkinMonthCalendar::resizeEvent(QResizeEvent* event)
{
    TbsSkinPanel::resizeEvent(event);
    layoutButtons();
}

int TbsSkinMonthCalendar::columnWidth() const
{
    return (ClientArea().width() - 2) / 7;
}

void TbsSkinMonthCalendar::step(QDate date)
{
    setDate(toDateTimeValue(date));
    fireNotify(OnClick, this);
}

void TbsSkinMonthCalendar::NextMonth() { step(stepMonth(dateOf(FDate), 1)); }
void TbsSkinMonthCalendar::PriorMonth() { step(stepMonth(dateOf(FDate), -1)); }

void TbsSkinMonthCalendar::NextYear()
{
    if (const auto d = stepYear(dateOf(FDate), 1))
        step(*d);
}

void TbsSkinMonthCalendar::PriorYear()
{
    if (const auto d = stepYear(dateOf(FDate), -1))
        step(*d);
}

void TbsSkinMonthCalendar::DrawDefaultImage(QImage& bitmap)
{
    TbsSkinPanel::DrawDefaultImage(bitmap);
    drawCalendar(bitmap);
}

void TbsSkinMonthCalendar::DrawSkinImage(QImage& bitmap)
{
    TbsSkinPanel::DrawSkinImage(bitmap);
    drawCalendar(bitmap);
}

int TbsSkinMonthCalendar::gridLineY(const QFontMetrics& bold) const
{
    return ClientArea().y() + 30 + bold.height() + 1;
}

void TbsSkinMonthCalendar::drawCalendar(QImage& bitmap)
{
    const QRect k = ClientArea();
    const int kLeft = k.x(), kTop = k.y(), kRight = k.x() + k.width(), kBottom = k.y() + k.height();
    const bool skinned = isSkinned();
    const QColor fontColor = palette().color(QPalette::WindowText);
    const QColor headerColor = skinned ? colorFromBgr(FHeaderColor) : fontColor;
    const QColor dayColor = skinned ? colorFromBgr(FDayColor) : fontColor;
    const QDate date = dateOf(FDate);
    const FormatSettings& fs = FormatSettings::instance();

    QPainter p(&bitmap);
    QFont bold = FDefaultFont;
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(headerColor);
    const QFontMetrics bfm(bold);

    const QString header = fs.formatDate(QStringLiteral("MMMM, YYYY"), date);
    const int hx = FButtons[1]->x() + 21 + (k.width() - 82) / 2 - bfm.horizontalAdvance(header) / 2;
    p.drawText(hx, kTop + 2 + bfm.ascent(), header);

    const int cw = columnWidth();
    const int first = int(FFirstDayOfWeek);
    for (int i = 0; i < 7; ++i) {
        const QString name = fs.shortDayNames[size_t((first + i) % 7)];
        p.drawText(kLeft + 1 + i * cw + cw / 2 - bfm.horizontalAdvance(name) / 2, kTop + 30 + bfm.ascent(), name);
    }
    const int L = gridLineY(bfm);
    p.drawLine(kLeft + 1, L, kRight - 1 - 1, L);

    p.setFont(FDefaultFont);
    p.setPen(dayColor);
    const QFontMetrics fm(FDefaultFont);
    const int rh = (kBottom - L - 4) / 6;
    for (int r = 1; r <= 6; ++r) {
        const int cellBottom = L + 3 + r * rh;
        for (int i = 0; i < 7; ++i) {
            const int n = calendarDayAt(date.year(), date.month(), first, r, i);
            if (n == 0)
                continue;
            const int cellLeft = kLeft + 1 + i * cw;
            const QString text = QString::number(n);
            const int x = cellLeft + cw / 2 - fm.horizontalAdvance(text) / 2;
            const int y = cellBottom - rh / 2 - fm.height() / 2;
            p.drawText(x, y + fm.ascent(), text);
            if (n == date.day()) {
                p.save();
                p.setPen(headerColor);
                p.drawRect(cellLeft, L + 3 + (r - 1) * rh, cw - 1, rh - 1);
                p.restore();
            }
        }
    }
}

int TbsSkinMonthCalendar::dayAt(QPoint point) const
{
    const QRect k = ClientArea();
    if (!k.contains(point))
        return 0;
    const int L = gridLineY(QFontMetrics([this] {
        QFont bold = FDefaultFont;
        bold.setBold(true);
        return bold;
    }()));
    const int rh = (k.y() + k.height() - L - 4) / 6;
    const int cw = columnWidth();
    if (rh <= 0 || cw <= 0)
        return 0;
    const int dy = point.y() - (L + 3);
    const int dx = point.x() - (k.x() + 1);
    if (dy < 0 || dx < 0)
        return 0;
    const int row = dy / rh + 1, column = dx / cw;
    if (row > 6 || column > 6)
        return 0;
    const QDate date = dateOf(FDate);
    return calendarDayAt(date.year(), date.month(), int(FFirstDayOfWeek), row, column);
}

void TbsSkinMonthCalendar::mouseReleaseEvent(QMouseEvent* event)
{
    TbsSkinPanel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const int day = dayAt(event->position().toPoint());
    if (day == 0)
        return;
    const QDate date = dateOf(FDate);
    setDate(toDateTimeValue(QDate(date.year(), date.month(), day)));
    fireNotify(OnNumberClick, this);
}
