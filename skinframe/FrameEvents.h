#pragma once
// The event types of the frame component and its objects. IDName is the object's section
// name; X, Y and ObjectRect are in window coordinates.

#include "NotifyEvent.h"

#include <QRect>
#include <functional>
#include <string>

class QPainter;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TbsMouseDownEvent =
    std::function<void(const std::string& IDName, int X, int Y, const QRect& ObjectRect, TMouseButton Button)>;
using TbsMouseUpEvent = TbsMouseDownEvent;
using TbsMouseMoveEvent = std::function<void(const std::string& IDName, int X, int Y, const QRect& ObjectRect)>;
using TbsMouseEnterEvent = std::function<void(const std::string& IDName)>;
using TbsMouseLeaveEvent = TbsMouseEnterEvent;
using TbsPaintEvent = std::function<void(const std::string& IDName, QPainter& Canvas, const QRect& ObjectRect)>;

// Message sent to the form when every window of a skinned menu has closed.
inline constexpr int WM_CLOSESKINMENU = 1024 + 204; // 1228

enum class TbsFrameState { Normal, Minimized, Maximized };
