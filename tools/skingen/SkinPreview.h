#pragma once
// A picture of a packed skin at work, for checking the look by eye: the frame widened to a
// window, its caption buttons in normal, hot and pressed states, and the control sections
// the main window uses, composed roughly the way the frame and the controls compose them.

#include <QImage>
#include <string>

namespace SkinPreview {
// Loads the compressed skin value at path and draws the preview sheet.
QImage render(const std::string& compressedSkinPath);
}
