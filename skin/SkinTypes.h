#pragma once
// The value types of the skin format: rectangles and points in picture (or window) pixels,
// font styles and the enumerated words. All plain values.

#include <QPoint>
#include <QRect>

// A rectangle as the skin writes it: left, top, right, bottom, the right and bottom edges
// exclusive. Empty when its width or its height is less than 1.
struct TbsRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool isEmpty() const { return width() < 1 || height() < 1; }
    // The same area as a QRect (whose right and bottom are inclusive).
    QRect toQRect() const { return QRect(QPoint(Left, Top), QPoint(Right - 1, Bottom - 1)); }
    friend bool operator==(const TbsRect&, const TbsRect&) = default;
};

struct TbsPoint {
    int X = 0;
    int Y = 0;
    QPoint toQPoint() const { return QPoint(X, Y); }
    friend bool operator==(const TbsPoint&, const TbsPoint&) = default;
};

struct TbsFontStyles {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool isEmpty() const { return !Bold && !Italic && !Underline && !StrikeOut; }
    friend bool operator==(const TbsFontStyles&, const TbsFontStyles&) = default;
};

// Text alignment ("alignment"): "tacenter", "taleftjustify", anything else right-justified.
enum class TbsAlignment { taLeftJustify, taRightJustify, taCenter };

// Morph transitions ("morphkind"); the numbers are the skin's.
enum class TbsMorphKind {
    mkDefault = 0,
    mkGradient = 1,
    mkLeftGradient = 2,
    mkRightGradient = 3,
    mkLeftSlide = 4,
    mkRightSlide = 5,
    mkPush = 6
};

// The effect that makes an inactive frame from the active one ("inactiveeffect").
enum class TbsInactiveEffect {
    ieBrightness = 0,
    ieDarkness = 1,
    ieGrayscale = 2,
    ieNoise = 3,
    ieSplitBlur = 4,
    ieInvert = 5
};

// The window command of a caption button ("command").
enum class TbsStdCommand { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp };
