#pragma once
// The value types of the skin format: rectangles and points in picture (or window) pixels,
// font styles and the enumerated words. All plain values.

#include <QPoint>
#include <QRect>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

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

// A text value of a skin section (a font name, a hint, a section reference). Short texts are
// kept in place; a longer one read from a skin text is shared by every data object that reads
// the same line, so that many list entries naming one section with long values need that
// value once, not once per entry. Reads like a const std::string.
class TbsSkinText {
public:
    TbsSkinText() = default;
    TbsSkinText(const char* text) : own_(text) {}
    TbsSkinText(std::string text) : own_(std::move(text)) {}
    TbsSkinText(std::string_view text) : own_(text) {}
    explicit TbsSkinText(std::shared_ptr<const std::string> shared) : shared_(std::move(shared)) {}

    const std::string& str() const { return shared_ ? *shared_ : own_; }
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }
    const char* data() const { return str().data(); }
    const char* c_str() const { return str().c_str(); }
    std::size_t size() const { return str().size(); }
    bool empty() const { return str().empty(); }

    friend bool operator==(const TbsSkinText& a, const TbsSkinText& b) { return a.str() == b.str(); }
    friend bool operator==(const TbsSkinText& a, std::string_view b) { return a.str() == b; }
    friend bool operator==(const TbsSkinText& a, const char* b) { return a.str() == b; }
    friend bool operator==(const TbsSkinText& a, const std::string& b) { return a.str() == b; }
    friend std::ostream& operator<<(std::ostream& out, const TbsSkinText& t) { return out << t.str(); }

private:
    std::shared_ptr<const std::string> shared_;
    std::string own_;
};
