#pragma once
// A control's copy of one skin section: the values the skinned controls read, taken from the
// skin data object whenever the section is looked up (controls never keep skin data across a
// skin change; they look the section up again by name). Which groups of keys are valid depends
// on the section's class, told by the is* flags.

#include "SkinGeometry.h"
#include "SkinRect.h"

#include <QImage>
#include <QString>

struct SkinFontKeys {
    QString name;
    int height = 0;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    int color = 0;  // 0x00BBGGRR
};

struct SkinSection {
    int index = -1;             // index in the skin's control data list
    bool isCustomControl = false;  // carries the four points, pictures and client rect
    bool isPanel = false;
    bool isButton = false;
    bool isEdit = false;
    bool isMemo = false;
    bool isGauge = false;
    bool isStdLabel = false;

    // Custom control.
    SkinGeometry geometry;
    QImage picture;  // null when "pictureindex" is -1 or beyond the list
    QImage mask;

    // Fonts and colours (panel, button, edit, memo, gauge, stdlabel).
    SkinFontKeys font;
    int activeFontColor = 0;
    int downFontColor = 0;
    int disabledFontColor = 0;

    // Panel.
    SkinRect captionRect, rollUpMarkerRect, restoreMarkerRect, checkImageRect, uncheckImageRect;
    int alignment = 0;  // 0 left, 1 right, 2 centre
    QImage bgPicture;   // the picture "bgpictureindex" names, null for -1

    // Button, edit, memo.
    SkinRect activeSkinRect, downSkinRect, disabledSkinRect;
    bool morphing = false;
    int morphKind = 0;

    // Edit.
    SkinRect buttonRect, activeButtonRect, downButtonRect, unenabledButtonRect;

    // Memo.
    int bgColor = 0, activeBgColor = 0;

    // Gauge.
    SkinRect progressArea, progressRect;
    int beginOffset = 0, endOffset = 0;
    bool vertical = false;
};
