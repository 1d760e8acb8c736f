#pragma once
// Where everything of the skinned frame lies for a window of W x H: the corner points, client,
// caption and buttons rects, hit-test points and mask rect area, the objects placed by the
// zones of the main picture, the caption-button row, the minimum size and magnetic snapping.
// Pure functions in window coordinates (origin at the window's top-left corner, frame
// included); no widgets.

#include "SkinRect.h"
#include "SkinTypes.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

class TbsFormInfo;

// The frame values of a skin ([FORMINFO]) with the size of its main picture.
struct FrameSkinMetrics {
    int pictureWidth = 0;
    int pictureHeight = 0;
    QPoint leftTop, rightTop, leftBottom, rightBottom;
    SkinRect clientRect, captionRect, buttonsRect, maskRectArea;
    QPoint hitLeftTop, hitRightTop, hitLeftBottom, hitRightBottom;
    int borderWidth = 0;
    int buttonsOffset = 0;
    bool buttonsInLeft = false;

    static FrameSkinMetrics fromFormInfo(const TbsFormInfo& info, QSize picture);
    // Picture height minus the height of the client rect: the window without client area.
    int frameHeight() const { return pictureHeight - clientRect.height(); }
};

// The frame geometry for one window size.
struct FrameGeometry {
    int width = 0;
    int height = 0;
    int dx = 0; // width - picture width
    int dy = 0;
    QPoint leftTop, rightTop, leftBottom, rightBottom;
    SkinRect clientRect, captionRect, buttonsRect, maskRectArea;
    QPoint hitLeftTop, hitRightTop, hitLeftBottom, hitRightBottom;
};

FrameGeometry frameGeometryFor(const FrameSkinMetrics& skin, int W, int H);

// An object's window rect from its "skinrect" by the zones of the main picture.
SkinRect placeByZones(const FrameSkinMetrics& skin, const SkinRect& skinRect, int W, int H);

// One frame object as the caption-button row sees it. The row sets `rect` of the std buttons
// drawn in their own picture and may move the first caption object's left or right edge.
struct CaptionRowObject {
    enum class Kind { Other, StdButton, Caption };
    Kind kind = Kind::Other;
    TbsStdCommand command = TbsStdCommand::cmDefault;
    bool visible = true;
    bool inPicture = false; // "skinrectinapicture"
    QSize size;             // of its "skinrect" (the system-menu button with ShowIcon: the icon size)
    SkinRect rect;          // ObjectRect, in and out
};

void layoutCaptionButtonRow(const FrameGeometry& g, int buttonsOffset, bool buttonsInLeft,
                            std::vector<CaptionRowObject>& objects);

// The unskinned frame's metrics.
namespace UnskinnedFrame {
inline constexpr int kBorder = 3;
int captionHeight(bool toolWindow); // 19, or 15 for tool windows
int buttonSize(bool toolWindow);    // 17, or 13
}

// The unskinned caption rect after the default buttons (close, maximize, minimize, roll-up
// from the right, then the system-menu button at the left) are placed. Every visible button
// of `objects` gets its rect; `sysMenuSize` is the system-menu button's size (square, or the
// small icon with ShowIcon).
SkinRect layoutUnskinnedButtons(int W, bool toolWindow, QSize sysMenuSize, std::vector<CaptionRowObject>& objects);

// The minimum window size. `pictureSize` is the main picture's (skinned only).
struct MinimumSizeInput {
    bool skinned = false;
    int pictureWidth = 0;
    int frameHeight = 0; // skinned: picture height - client rect height
    int minWidth = 0;    // the MinWidth property
    int minHeight = 0;
    bool rolledUp = false;
    bool minimized = false;
    bool toolWindow = false;
};
QSize minimumFrameSize(const MinimumSizeInput& in);

// Magnetic snapping of a window's proposed top-left to the work area's edges, within m pixels.
QPoint magneticSnap(QPoint topLeft, QSize size, const QRect& workArea, int m);
