#include "SkinWriter.h"

#include "BmpFile.h"

#include <fstream>
#include <stdexcept>

void SkinWriter::section(const std::string& name)
{
    if (!text_.empty())
        text_ += "\r\n";
    text_ += "[" + name + "]\r\n";
}

void SkinWriter::key(const std::string& key, const std::string& value) { text_ += key + "=" + value + "\r\n"; }
void SkinWriter::key(const std::string& key, int value) { this->key(key, std::to_string(value)); }

void SkinWriter::rect(const std::string& key, int l, int t, int r, int b)
{
    this->key(key, std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," + std::to_string(b));
}

void SkinWriter::point(const std::string& key, int x, int y)
{
    this->key(key, std::to_string(x) + "," + std::to_string(y));
}

void SkinWriter::picture(const std::string& fileName, const QImage& image)
{
    BmpFile::writeFile(directory_ + "/" + fileName, image);
}

void SkinWriter::finish(const std::string& iniName)
{
    std::ofstream out(directory_ + "/" + iniName, std::ios::binary | std::ios::trunc);
    out << text_;
    if (!out)
        throw std::runtime_error("cannot write " + directory_ + "/" + iniName);
}
