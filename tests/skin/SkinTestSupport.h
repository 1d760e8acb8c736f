#pragma once
// Small fixtures for the skin tests: a minimal complete skin text, a skin directory on disk,
// and a form that records the skin messages it receives.

#include "BmpFile.h"
#include "Component.h"
#include "SkinMessages.h"
#include "TbsSkinData.h"
#include "TbsSkinForms.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

namespace skintest {

// A complete skin text: the five sections, one caption object and one panel section.
inline std::string minimalSkinText(const std::string& skinName = "Test skin", const std::string& extra = "")
{
    return "[VERSION]\r\nskinname=" + skinName + "\r\nskinauthor=us\r\nver=1\r\n"
           "[PICTURES]\r\npicture=main.bmp\r\ninactivepicture=\r\nmask=mask.bmp\r\nactivepicturescount=2\r\n"
           "0=p0.bmp\r\n1=p1.bmp\r\n"
           "[FORMINFO]\r\nclientrect=4,20,60,40\r\nlefttoppoint=10,20\r\nrightbottompoint=50,30\r\n"
           "[SKINOBJECTS]\r\ncount=1\r\n0=caption:caption\r\n"
           "[caption]\r\nskinrect=12 , 4,53,14\r\nshadow=1\r\nshadowcolor=16777215\r\n"
           "[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n"
           "[panel]\r\npictureindex=0\r\nskinrect=0,0,59,52\r\n"
           + extra;
}

inline std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            std::string line = text.substr(start, i - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            out.push_back(line);
            start = i + 1;
        }
    }
    if (start < text.size())
        out.push_back(text.substr(start));
    return out;
}

inline QImage indexedImage(int w, int h, int colours = 4)
{
    QImage image(w, h, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.append(qRgb(i * 60, 255 - i * 50, (i * 97) % 256));
    image.setColorTable(table);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, uint((x + 2 * y) % colours));
    return image;
}

inline QImage monoImage(int w, int h)
{
    QImage image(w, h, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, uint((x * y) % 3 == 0));
    return image;
}

// Writes the minimal skin and its four bitmaps into dir; returns the INI path.
inline std::string writeSkinDirectory(const QString& dir, const std::string& text = minimalSkinText())
{
    const std::string d = dir.toStdString();
    BmpFile::writeFile(d + "/main.bmp", indexedImage(64, 48, 16));
    BmpFile::writeFile(d + "/mask.bmp", monoImage(64, 48));
    BmpFile::writeFile(d + "/p0.bmp", indexedImage(59, 52));
    BmpFile::writeFile(d + "/p1.bmp", indexedImage(10, 11, 2));
    const std::string path = d + "/SKIN.INI";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

struct Received {
    std::string form;
    int message;
    const TbsSkinData* skinData;
    int lParam;
    bool isEmpty; // the skin data's state when the message arrived
};

// A form (component root) that records every skin message.
class RecordingForm : public TComponent, public ISkinMessageTarget {
public:
    RecordingForm(std::string name, std::vector<Received>& log) : name_(std::move(name)), log_(log)
    {
        TbsSkinForms::add(this, this);
    }
    ~RecordingForm() override { TbsSkinForms::remove(this); }

    void skinMessage(int message, TbsSkinData* wParam, int lParam) override
    {
        log_.push_back({name_, message, wParam, lParam, wParam->IsEmpty()});
    }
    void ensureWindow() override { log_.push_back({name_, 0, nullptr, 0, false}); }

private:
    std::string name_;
    std::vector<Received>& log_;
};

// The messages of a log as "form:id" strings, for compact comparisons; "form:window" marks
// an ensureWindow call.
inline std::vector<std::string> summary(const std::vector<Received>& log)
{
    std::vector<std::string> out;
    for (const Received& r : log)
        out.push_back(r.form + ":" + (r.message == 0 ? std::string("window") : std::to_string(r.message)));
    return out;
}

}
