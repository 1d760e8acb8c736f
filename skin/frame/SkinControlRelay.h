#pragma once
// Skin changes passed on to the skinned controls of a window: before a change each control
// that uses the announcing skin data forgets its section, after it each one reads it again.

class QWidget;
class TbsSkinData;

void relaySkinChangeToControls(QWidget* window, int message, TbsSkinData* skinData);
