#pragma once
// A small skin with the main window's geometry: "panel" and "memo" 59 x 52 four-point,
// "button" and "resizebutton" 24 x 21, "edit" and "buttonedit" 57 x 21, "gauge" 22 x 14,
// "stdlabel" without picture. All images are cut from one picture whose pixel (x, y) is
// rgb(x, y, 7), so every copied pixel tells where it came from.

#include "Component.h"
#include "TbsSkinData.h"
#include "TbsStoredSkin.h"

#include <QImage>
#include <memory>
#include <string>

namespace fixture {

inline QImage sourcePicture()
{
    QImage img(200, 100, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x, y, 7));
    return img;
}

// The colour that the picture has at (x, y).
inline QRgb at(int x, int y) { return qRgb(x, y, 7); }

inline std::string skinText(const std::string& buttonExtra = "")
{
    return "[VERSION]\r\nskinname=fixture\r\nver=1\r\n"
           "[PICTURES]\r\npicture=\r\ninactivepicture=\r\nmask=\r\nactivepicturescount=1\r\n0=p0.bmp\r\n"
           "[FORMINFO]\r\n"
           "[SKINOBJECTS]\r\ncount=0\r\n"
           "[SKINCONTROLS]\r\ncount=8\r\n0=panel:panel\r\n1=button:button\r\n2=buttonedit:edit\r\n"
           "3=edit:edit\r\n4=gauge:gauge\r\n5=memo:memo\r\n6=stdlabel:stdlabel\r\n7=resizebutton:button\r\n"
           "[panel]\r\npictureindex=0\r\nskinrect=0,0,59,52\r\nlefttoppoint=5,4\r\nrighttoppoint=53,6\r\n"
           "leftbottompoint=5,48\r\nrightbottompoint=53,48\r\nclientrect=2,2,57,50\r\n"
           "captionrect=0,0,0,0\r\nfontname=Arial\r\nfontheight=14\r\nfontcolor=0\r\n"
           "[button]\r\npictureindex=0\r\nskinrect=60,0,84,21\r\nlefttoppoint=3,0\r\nrighttoppoint=21,0\r\n"
           "clientrect=2,2,22,19\r\nfontname=Arial\r\nfontheight=12\r\nfontcolor=0\r\n"
           "activefontcolor=255\r\ndownfontcolor=65280\r\n" + buttonExtra +
           "[buttonedit]\r\npictureindex=0\r\nskinrect=0,60,57,81\r\nlefttoppoint=4,9\r\nrighttoppoint=35,9\r\n"
           "clientrect=3,3,36,18\r\nbuttonrect=38,3,54,18\r\nactivebuttonrect=100,60,116,75\r\n"
           "fontname=Arial\r\nfontheight=12\r\nfontcolor=0\r\nactivefontcolor=255\r\n"
           "[edit]\r\npictureindex=0\r\nskinrect=0,60,57,81\r\nlefttoppoint=4,9\r\nrighttoppoint=35,9\r\n"
           "clientrect=3,3,36,18\r\nfontname=Arial\r\nfontheight=12\r\nfontcolor=0\r\n"
           "[gauge]\r\npictureindex=0\r\nskinrect=60,30,82,44\r\nlefttoppoint=2,4\r\nrighttoppoint=18,5\r\n"
           "progressarea=2,2,21,13\r\nprogressrect=90,30,100,41\r\nbeginoffset=0\r\nendoffset=0\r\n"
           "[memo]\r\npictureindex=0\r\nskinrect=0,0,59,52\r\nlefttoppoint=5,4\r\nrighttoppoint=53,6\r\n"
           "leftbottompoint=5,48\r\nrightbottompoint=53,48\r\nclientrect=2,2,57,50\r\nbgcolor=16777215\r\n"
           "[stdlabel]\r\nfontname=Arial\r\nfontheight=12\r\nfontcolor=0\r\nactivefontcolor=16744448\r\n"
           "[resizebutton]\r\npictureindex=0\r\nskinrect=60,0,84,21\r\nlefttoppoint=3,0\r\nrighttoppoint=21,0\r\n"
           "clientrect=2,2,22,19\r\n";
}

// The skin data object with the fixture skin loaded, owned by `owner`.
inline TbsSkinData* loadSkin(TComponent* owner, const std::string& text = skinText())
{
    auto* stored = new TbsStoredSkin(owner);
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            stored->IniStrings.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    stored->Pictures.ActivePictures = {sourcePicture()};
    auto* data = new TbsSkinData(owner);
    data->setStoredSkin(stored);
    return data;
}

}  // namespace fixture
