#pragma once
// The form data's fonts on this platform: face names go through a substitution table to
// installed faces, and the form data's height rule becomes a pixel size.
//
// Substitutions (names match without regard to case; others pass through unchanged and
// fontconfig picks its nearest face):
//   Arial, MS Sans Serif, MS Shell Dlg (2), Tahoma -> Liberation Sans
//   Times New Roman -> Liberation Serif;  Courier New -> Liberation Mono
//   新細明體, 細明體, PMingLiU, MingLiU, and the skins' face name written in GBK
//   (bytes CB CE CC E5, 宋体; also SimSun) -> AR PL UMing TW
//   標楷體, DFKai-SB -> AR PL UKai TW
//
// Height: a negative height is the character height (the em size) in pixels and becomes the
// pixel size as it is. A positive height is the cell height (ascent plus descent) in pixels;
// the pixel size is that height times the face's em size over its cell height, measured
// with the face's own metrics, rounded to the nearest pixel (Liberation Sans: 17 -> 15).
// Height 0 leaves Qt's default size.

#include <QFont>
#include <QString>
#include <string_view>

namespace FontMapper {

// The installed face for a face name given in Unicode.
QString substituteFace(const QString& faceName);
// The installed face for a face name given as bytes: CP950, or the skins' GBK name.
QString substituteFaceBytes(std::string_view faceNameBytes);

// The pixel size for a height of the form data, with `installedFace`'s metrics.
int pixelSizeForHeight(const QString& installedFace, int height);

// A font for a face name and height of the form data (substitution and height rule applied).
QFont makeFont(const QString& faceName, int height);
QFont makeFontFromBytes(std::string_view faceNameBytes, int height);

}
