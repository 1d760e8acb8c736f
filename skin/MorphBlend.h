#pragma once
// The blend between a button's normal image (A) and its hot image (B) while it morphs.

#include <QImage>

// The skin's transition of the given morph kind ("morphkind" number) at progress k: k = 0
// gives A, k = 1 gives B. Images of different sizes give A. The result is opaque, as the
// transitions work on 24-bit pixels.
QImage morphBlend(const QImage& a, const QImage& b, double k, int morphKind);
