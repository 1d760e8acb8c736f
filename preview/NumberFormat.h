#pragma once
// Number patterns of the template: "#,##0.00" gives thousands separators and two decimals.
// A pattern may have a second section for negatives after ";" ("#,##0;(#,##0)"); without
// one a negative shows a leading minus. Literal text around the digits is kept ("NT$ #,##0").
// Values are rounded to the pattern's decimals first, so that -0.001 shows as "0.00".

#include <QString>

class NumberFormat {
public:
    explicit NumberFormat(const QString& pattern = {});

    QString format(double value) const;
    // Whether the value shows as a negative number (not merely a tiny one rounded to zero).
    bool showsNegative(double value) const;
    bool isEmpty() const { return empty_; }

private:
    struct Section {
        QString prefix;
        QString suffix;
        bool grouping = false;
        int minDecimals = 0;
        int maxDecimals = 0;
        int minIntegerDigits = 1;
    };
    static Section parseSection(const QString& text);
    static QString formatAbs(const Section& section, double value);

    Section positive_;
    Section negative_;
    bool hasNegative_ = false;
    bool empty_ = true;
};
