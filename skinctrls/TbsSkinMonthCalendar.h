#pragma once
// The skinned month calendar: a framed panel with a "MMMM, YYYY" header, the day names, a
// six-row day grid and four navigation buttons (year and month back and forth, auto-repeating).

#include "TDateTime.h"
#include "TbsSkinPanel.h"

class TbsSkinSpeedButton;

enum class TbsDaysOfWeek { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

class TbsSkinMonthCalendar : public TbsSkinPanel {
    Q_OBJECT
public:
    explicit TbsSkinMonthCalendar(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TbsSkinMonthCalendar"; }

    TDateTime Date() const { return FDate; }
    void setDate(TDateTime value);
    bool TodayDefault() const { return FTodayDefault; }
    void setTodayDefault(bool value) { FTodayDefault = value; }
    TbsDaysOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
    void setFirstDayOfWeek(TbsDaysOfWeek value);

    TNotifyEvent OnNumberClick;
    // The calendar's own click event, fired after each navigation step.
    TNotifyEvent OnClick;

    void setSkinData(TbsSkinData* value) override;
    void ApplySkin() override;
    void loaded() override;

    // Navigation, as the four buttons do it.
    void NextMonth();
    void PriorMonth();
    void NextYear();
    void PriorYear();

    // The area the calendar lays out in (the panel's client area).
    QRect calendarArea() const { return ClientArea(); }
    int columnWidth() const;
    // The day under a point of the grid, 0 for none.
    int dayAt(QPoint point) const;

    TbsSkinSpeedButton* priorYearButton() const { return FButtons[0]; }
    TbsSkinSpeedButton* priorMonthButton() const { return FButtons[1]; }
    TbsSkinSpeedButton* nextMonthButton() const { return FButtons[2]; }
    TbsSkinSpeedButton* nextYearButton() const { return FButtons[3]; }

protected:
    void DrawDefaultImage(QImage& bitmap) override;
    void DrawSkinImage(QImage& bitmap) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void layoutButtons();
    void drawCalendar(QImage& bitmap);
    int gridLineY(const QFontMetrics& bold) const;
    void step(QDate date);

    TDateTime FDate = 0;
    bool FTodayDefault = false;
    TbsDaysOfWeek FFirstDayOfWeek = TbsDaysOfWeek::Sun;
    TbsSkinSpeedButton* FButtons[4] = {};
    int FDayColor = 0;
    int FHeaderColor = 0;
};
