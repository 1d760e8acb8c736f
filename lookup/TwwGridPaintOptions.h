#pragma once
// How the grid paints its background: a picture and its draw style, the alternating-row and
// active-record colours, and which areas take tinted copies of the picture. Every change
// marks the grid's prepared copies for rebuilding.

#include "GridBackground.h"
#include "GridOptions.h"

#include <QImage>
#include <cstdint>
#include <functional>

class TwwGridPaintOptions {
public:
    explicit TwwGridPaintOptions(std::function<void()> changed) : changed_(std::move(changed)) {}

    std::uint32_t AlternatingRowColor() const { return alternatingRowColor_; }
    void setAlternatingRowColor(std::uint32_t v) { set(alternatingRowColor_, v); }
    std::uint32_t ActiveRecordColor() const { return activeRecordColor_; }
    void setActiveRecordColor(std::uint32_t v) { set(activeRecordColor_, v); }
    TwwBackgroundOptions BackgroundOptions() const { return backgroundOptions_; }
    void setBackgroundOptions(TwwBackgroundOptions v) { set(backgroundOptions_, v); }
    const QImage& BackgroundBitmap() const { return backgroundBitmap_; }
    void setBackgroundBitmap(const QImage& v)
    {
        backgroundBitmap_ = v;
        notify();
    }
    TwwBackgroundDrawStyle BackgroundDrawStyle() const { return drawStyle_; }
    void setBackgroundDrawStyle(TwwBackgroundDrawStyle v) { set(drawStyle_, v); }
    TwwAlternatingRowRegions AlternatingRowRegions() const { return regions_; }
    void setAlternatingRowRegions(TwwAlternatingRowRegions v) { regions_ = v; }
    bool FastRecordScrolling() const { return fastRecordScrolling_; }
    void setFastRecordScrolling(bool v) { fastRecordScrolling_ = v; }

private:
    template <class T>
    void set(T& member, T value)
    {
        if (member == value)
            return;
        member = value;
        notify();
    }
    void notify()
    {
        if (changed_)
            changed_();
    }

    std::function<void()> changed_;
    std::uint32_t alternatingRowColor_ = GridBackground::clNone;
    std::uint32_t activeRecordColor_ = GridBackground::clNone;
    TwwBackgroundOptions backgroundOptions_;
    QImage backgroundBitmap_;
    TwwBackgroundDrawStyle drawStyle_ = bdsTile;
    TwwAlternatingRowRegions regions_ = arrFixedColumns | arrDataColumns | arrActiveDataColumn;
    bool fastRecordScrolling_ = true;
};
