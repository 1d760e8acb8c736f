#pragma once
// Aligned children (the form data's Align): top, bottom, left, right and client children are
// placed inside a parent's client area in that order, the rest keep their geometry.

#include <QRect>

class QWidget;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

void setChildAlign(QWidget* child, TAlign align);
TAlign childAlign(const QWidget* child);

// Places the aligned direct children of parent inside clientArea.
void alignChildren(QWidget* parent, const QRect& clientArea);
