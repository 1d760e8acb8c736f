#pragma once
// The date edit's rules for its text, apart from the widget: which typed characters pass, and
// whether a text may name a date (its parts against the format's reference date 9999/12/31).

#include <QChar>
#include <QString>

class FormatSettings;

// Digits and control characters other than Backspace (8) and Enter (13) pass.
bool dateEditAcceptsChar(QChar c);

// The validity check. Throws EConvertError when a part is not a number (a text set by the
// program, never one typed).
bool isValidDateText(const QString& text, const FormatSettings& settings);
