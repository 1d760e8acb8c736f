#pragma once
// The skinned date edit: a button edit holding a date. Digits are typed over the date text in
// place (the text keeps its shape); the button drops down a month calendar.

#include "TDateTime.h"
#include "TbsSkinCustomEdit.h"
#include "TbsSkinMonthCalendar.h"

class TbsSkinPopupMonthCalendar;

class TbsSkinDateEdit : public TbsSkinCustomEdit {
    Q_OBJECT
public:
    explicit TbsSkinDateEdit(QWidget* parent = nullptr, TComponent* owner = nullptr);
    ~TbsSkinDateEdit() override;
    const char* className() const noexcept override { return "TbsSkinDateEdit"; }

    TDateTime Date() const;
    void setDate(TDateTime value);
    bool TodayDefault() const { return FTodayDefault; }
    void setTodayDefault(bool value);
    int CalendarWidth() const;
    void setCalendarWidth(int value);
    int CalendarHeight() const;
    void setCalendarHeight(int value);
    QFont CalendarFont() const;
    void setCalendarFont(const QFont& value);
    TbsDaysOfWeek FirstDayOfWeek() const;
    void setFirstDayOfWeek(TbsDaysOfWeek value);
    // Kept for the form data; the drop-down is always opaque here (see ShowCalendar).
    bool AlphaBlend() const { return FAlphaBlend; }
    void setAlphaBlend(bool value) { FAlphaBlend = value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void setAlphaBlendAnimation(bool value) { FAlphaBlendAnimation = value; }
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void setAlphaBlendValue(int value) { FAlphaBlendValue = std::clamp(value, 0, 255); }

    TNotifyEvent OnDateChange;

    void ShowCalendar();
    void HideCalendar(bool setText);
    // Drop down, or close up when open (the button's default action).
    void DropDownToggle();
    TbsSkinPopupMonthCalendar* calendar() const { return FCalendar; }

    void loaded() override;

protected:
    bool nativeKeyPress(QKeyEvent* event) override;
    void nativeFocusOut(QWidget* newFocus) override;
    void textChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setTextFromCalendar();
    void closeOnOutsideClick(bool on);

    TbsSkinPopupMonthCalendar* FCalendar;
    bool FSettingText = false;
    bool FTodayDefault = false;
    bool FAlphaBlend = false;
    bool FAlphaBlendAnimation = false;
    int FAlphaBlendValue = 0;
    bool FWatchingClicks = false;
};
