#pragma once
// Shortening a caption to a width: the last character goes and "..." is appended until the
// text fits; when no character is left the text is "..." alone, even if that is wider.

#include <QString>
#include <functional>

QString shortenCaption(const QString& text, int width, const std::function<int(const QString&)>& textWidth);
