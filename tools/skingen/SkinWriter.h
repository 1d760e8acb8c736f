#pragma once
// Writes a skin directory: the INI text (sections in the order they are added, CR LF line
// ends, bytes unchanged) and the bitmap files.

#include <QImage>
#include <string>
#include <utility>
#include <vector>

class SkinWriter {
public:
    explicit SkinWriter(std::string directory) : directory_(std::move(directory)) {}

    void section(const std::string& name);
    void key(const std::string& key, const std::string& value);
    void key(const std::string& key, int value);
    void rect(const std::string& key, int l, int t, int r, int b);
    void point(const std::string& key, int x, int y);

    void picture(const std::string& fileName, const QImage& image);
    void finish(const std::string& iniName = "SKIN.INI");

private:
    std::string directory_;
    std::string text_;
};
