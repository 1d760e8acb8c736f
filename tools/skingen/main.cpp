// skingen: draws our two skins and writes them as skin directories.
//
//   skingen SKINSDIR      writes SKINSDIR/compressed and SKINSDIR/stored
//   skingen --preview COMPRESSED_VALUE OUT.png   draws a packed skin at work, to look at
//
// "compressed" is the skin in force in the main window (a light blue-grey frame of
// 126 x 96 pixels without mask); "stored" is the second skin (slate green, 150 x 108 with
// rounded corners and a caption-button row). Both carry the same control sections.

#include "SkinPainter.h"
#include "SkinPreview.h"
#include "SkinTheme.h"
#include "SkinWriter.h"

#include <QDir>
#include <QGuiApplication>
#include <iostream>

using namespace SkinPainter;

namespace {

// The font face of both skins' text: a face name in the GBK code page, handed to the font
// unchanged (the font substitution table maps it to an installed Chinese face).
const std::string kSkinFontName = "\xCB\xCE\xCC\xE5";

int skinColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

SkinTheme calmBlue()
{
    SkinTheme t;
    t.name = "compressed";
    t.width = 126;
    t.height = 96;
    t.captionHeight = 26;
    t.border = 4;
    t.buttonSize = 15;
    t.outline = QColor("#7f93ad");
    t.frameFace = QColor("#dfe6ef");
    t.frameLight = QColor("#ffffff");
    t.frameShadow = QColor("#b7c4d6");
    t.captionTop = QColor("#f4f7fb");
    t.captionBottom = QColor("#d3deeb");
    t.captionLine = QColor("#aebdd0");
    t.clientFace = QColor("#f0f0f0");
    t.captionText = QColor("#7a8699");
    t.captionTextActive = QColor("#1f3a5f");
    t.accent = QColor("#3c78c3");
    t.accentDark = QColor("#24558f");
    t.accentLight = QColor("#a9c8ec");
    t.controlFace = QColor("#e8edf3");
    t.controlFaceTop = QColor("#f9fbfd");
    t.controlBorder = QColor("#9aa9bc");
    t.fieldFace = QColor("#ffffff");
    t.text = QColor("#202830");
    t.disabledText = QColor("#8c96a0");
    t.hotFace = QColor("#e3eefc");
    t.pressedFace = QColor("#c6d9f1");
    t.closeHot = QColor("#c9504b");
    t.closePressed = QColor("#a33a35");
    t.glyph = QColor("#33475f");
    t.glyphHot = QColor("#1f3a5f");
    return t;
}

SkinTheme slateGreen()
{
    SkinTheme t = calmBlue();
    t.name = "stored";
    t.width = 150;
    t.height = 108;
    t.captionHeight = 28;
    t.border = 5;
    t.roundedMask = true;
    t.cornerRadius = 6;
    t.buttonSize = 12;
    t.outline = QColor("#6b7f78");
    t.frameFace = QColor("#dde5e1");
    t.frameShadow = QColor("#afbfb8");
    t.captionTop = QColor("#f0f5f3");
    t.captionBottom = QColor("#c7d5cf");
    t.captionLine = QColor("#a6b8b0");
    t.captionText = QColor("#7d8a85");
    t.captionTextActive = QColor("#1e4a3e");
    t.accent = QColor("#3e8a74");
    t.accentDark = QColor("#2b6656");
    t.accentLight = QColor("#a7d3c5");
    t.controlFace = QColor("#e6ece9");
    t.controlFaceTop = QColor("#f8fbf9");
    t.controlBorder = QColor("#97aaa2");
    t.hotFace = QColor("#e2f2ec");
    t.pressedFace = QColor("#c3e0d5");
    t.glyph = QColor("#2f4a42");
    t.glyphHot = QColor("#1e4a3e");
    return t;
}

void versionSection(SkinWriter& w, const std::string& name)
{
    w.section("VERSION");
    w.key("ver", "1");
    w.key("skinname", name);
    w.key("skinauthor", "cust_prod");
    w.key("authoremail", "");
    w.key("authorurl", "");
    w.key("skincomments", "Drawn by tools/skingen; rebuild with: skingen skins");
}

void fontKeys(SkinWriter& w, const SkinTheme& t, int height, const QColor& colour, const char* style = "")
{
    w.key("fontname", kSkinFontName);
    w.key("fontheight", height);
    w.key("fontstyle", style);
    w.key("fontcolor", skinColor(colour));
    (void)t;
}

const char* const kButtonNames[] = {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"};
const char* const kButtonCommands[] = {"cmclose", "cmmaximize", "cmminimize", "cmrollup", "cmsysmenu"};

// One caption button. inPicture: its normal image is in picture 0 as well (stored skin);
// otherwise `place` is its rect in the main picture.
void captionButton(SkinWriter& w, const SkinTheme& t, int column, bool inPicture, int px, int py)
{
    const int s = t.buttonSize;
    w.section(kButtonNames[column]);
    w.key("activepictureindex", 0);
    w.key("skinrectinapicture", inPicture ? 1 : 0);
    if (inPicture)
        w.rect("skinrect", column * s, Normal * s, column * s + s, Normal * s + s);
    else
        w.rect("skinrect", px, py, px + s, py + s);
    w.rect("activeskinrect", column * s, Hot * s, column * s + s, Hot * s + s);
    w.rect("downrect", column * s, Pressed * s, column * s + s, Pressed * s + s);
    w.key("morphing", column == SysMenu ? 0 : 1);
    w.key("morphkind", "mkdefault");
    w.key("command", kButtonCommands[column]);
    if (column == Maximize) {
        const int x = Restore * s;
        w.rect("restorerect", x, Normal * s, x + s, Normal * s + s);
        w.rect("restoreactiverect", x, Hot * s, x + s, Hot * s + s);
        w.rect("restoredownrect", x, Pressed * s, x + s, Pressed * s + s);
    }
}

void menuItemSection(SkinWriter& w, const SkinTheme& t)
{
    w.section("menuitem");
    // The item pictures sit in picture 0 under the caption buttons; picture 5 is the pop-up
    // window's alone, since the window stretches all of it.
    const MenuItemRects items = menuItemRects(t);
    auto rect = [&w](const char* key, const QRect& r) { w.rect(key, r.left(), r.top(), r.right() + 1, r.bottom() + 1); };
    w.key("activepictureindex", 0);
    rect("skinrect", items.normal);
    rect("activeskinrect", items.active);
    w.key("morphing", 0);
    w.key("itemleftoffset", 2);
    w.key("itemrightoffset", 2);
    rect("dividerrect", items.divider);
    w.key("dividerleftoffset", 2);
    w.key("dividerrightoffset", 2);
    w.rect("textrect", 4, 2, 36, 18);
    fontKeys(w, t, 12, t.text);
    w.key("activefontcolor", skinColor(t.accentDark));
    w.key("unenabledfontcolor", skinColor(t.disabledText));
}

void popupWindowSection(SkinWriter& w, const SkinTheme& t)
{
    w.section("POPUPWINDOW");
    w.key("windowpictureindex", 5);
    w.key("maskpictureindex", -1);
    w.point("lefttoppoint", 4, 4);
    w.point("righttoppoint", 36, 4);
    w.point("leftbottompoint", 4, 36);
    w.point("rightbottompoint", 36, 36);
    w.rect("itemsrect", 3, 3, 37, 37);
    w.key("scrollmarkercolor", skinColor(t.text));
    w.key("scrollmarkeractivecolor", skinColor(t.accent));
}

void hintWindowSection(SkinWriter& w, const SkinTheme& t, bool withPicture)
{
    w.section("HINTWINDOW");
    w.key("windowpictureindex", withPicture ? 6 : -1);
    w.key("maskpictureindex", withPicture ? 7 : -1);
    w.point("lefttoppoint", 3, 3);
    w.point("righttoppoint", 27, 3);
    w.point("leftbottompoint", 3, 17);
    w.point("rightbottompoint", 27, 17);
    w.rect("clientrect", 3, 3, 27, 17);
    fontKeys(w, t, 12, QColor(0, 0, 0));
}

void controlSections(SkinWriter& w, const SkinTheme& t)
{
    w.section("SKINCONTROLS");
    const char* const controls[] = {"panel:panel", "memo:memo", "button:button", "resizebutton:button",
                                    "edit:edit", "buttonedit:edit", "gauge:gauge", "stdlabel:stdlabel"};
    w.key("count", int(std::size(controls)));
    for (std::size_t i = 0; i < std::size(controls); ++i)
        w.key(std::to_string(i), controls[i]);

    w.section("panel");
    w.key("pictureindex", 1);
    w.rect("skinrect", 0, 0, 59, 52);
    w.point("lefttoppoint", 5, 4);
    w.point("righttoppoint", 53, 6);
    w.point("leftbottompoint", 5, 47);
    w.point("rightbottompoint", 53, 47);
    w.rect("clientrect", 2, 2, 57, 50);
    w.key("bgpictureindex", -1);
    w.key("alignment", "tacenter");
    fontKeys(w, t, 12, t.text);

    w.section("memo");
    w.key("pictureindex", 1);
    w.rect("skinrect", 59, 0, 118, 52);
    w.point("lefttoppoint", 4, 4);
    w.point("righttoppoint", 55, 4);
    w.point("leftbottompoint", 4, 48);
    w.point("rightbottompoint", 55, 48);
    w.rect("clientrect", 2, 2, 57, 50);
    w.rect("activeskinrect", 118, 0, 177, 52);
    fontKeys(w, t, 12, t.text);
    w.key("activefontcolor", 0);
    w.key("disabledfontcolor", skinColor(t.disabledText));
    w.key("bgcolor", skinColor(t.fieldFace));
    w.key("activebgcolor", skinColor(QColor(t.name == "stored" ? "#f5fbf8" : "#f5f9ff")));

    for (const char* name : {"button", "resizebutton"}) {
        w.section(name);
        w.key("pictureindex", 2);
        w.rect("skinrect", 0, 0, 24, 21);
        w.point("lefttoppoint", 4, 0);
        w.point("righttoppoint", 20, 0);
        w.rect("clientrect", 2, 2, 22, 19);
        fontKeys(w, t, 12, t.text);
        w.key("activefontcolor", skinColor(t.accentDark));
        w.key("downfontcolor", skinColor(t.accentDark));
        w.key("disabledfontcolor", skinColor(t.disabledText));
        w.rect("activeskinrect", 24, 0, 48, 21);
        w.rect("downskinrect", 48, 0, 72, 21);
        w.rect("disabledskinrect", 72, 0, 96, 21);
        w.key("morphing", 1);
        w.key("morphkind", "mkdefault");
    }

    w.section("edit");
    w.key("pictureindex", 3);
    w.rect("skinrect", 0, 0, 57, 21);
    w.point("lefttoppoint", 4, 9);
    w.point("righttoppoint", 53, 9);
    w.rect("clientrect", 3, 3, 54, 18);
    w.rect("activeskinrect", 0, 21, 57, 42);
    fontKeys(w, t, 12, QColor(0, 0, 0));
    w.key("activefontcolor", 0);
    w.key("disabledfontcolor", skinColor(t.disabledText));

    w.section("buttonedit");
    w.key("pictureindex", 3);
    w.rect("skinrect", 57, 0, 114, 21);
    w.point("lefttoppoint", 4, 9);
    w.point("righttoppoint", 35, 9);
    w.rect("clientrect", 3, 3, 36, 18);
    w.rect("activeskinrect", 57, 21, 114, 42);
    fontKeys(w, t, 12, QColor(0, 0, 0));
    w.key("activefontcolor", 0);
    w.key("disabledfontcolor", skinColor(t.disabledText));
    w.rect("buttonrect", 38, 3, 54, 18);
    w.rect("activebuttonrect", 114, 0, 130, 15);
    w.rect("downbuttonrect", 114, 15, 130, 30);
    w.rect("unenabledbuttonrect", 114, 30, 130, 45);

    w.section("gauge");
    w.key("pictureindex", 4);
    w.rect("skinrect", 0, 0, 22, 14);
    w.point("lefttoppoint", 2, 4);
    w.point("righttoppoint", 18, 5);
    w.rect("clientrect", 2, 2, 20, 12);
    w.rect("progressarea", 2, 2, 21, 13);
    w.rect("progressrect", 22, 0, 32, 11);
    w.key("beginoffset", 0);
    w.key("endoffset", 0);
    w.key("vertical", 0);
    fontKeys(w, t, 12, t.text);

    w.section("stdlabel");
    fontKeys(w, t, 12, QColor(0, 0, 0));
    w.key("activefontcolor", 16744448);
}

void writeCommonPictures(SkinWriter& w, const SkinTheme& t, int buttonRowTop)
{
    w.picture("buttons.bmp", toIndexed8(captionButtonsAndMenuItems(t, buttonRowTop)));
    w.picture("panel.bmp", toIndexed8(panelAndMemo(t)));
    w.picture("button.bmp", toIndexed8(pushButtons(t)));
    w.picture("edit.bmp", toIndexed8(edits(t)));
    w.picture("gauge.bmp", toIndexed8(gauge(t)));
    w.picture("menu.bmp", toIndexed8(popupWindow(t)));
}

void picturesSection(SkinWriter& w, bool withMask, int count)
{
    w.section("PICTURES");
    w.key("picture", "main.bmp");
    w.key("inactivepicture", "");
    w.key("mask", withMask ? "mask.bmp" : "");
    w.key("activepicturescount", count);
    const char* const files[] = {"buttons.bmp", "panel.bmp", "button.bmp", "edit.bmp",
                                 "gauge.bmp", "menu.bmp", "hint.bmp", "hintmask.bmp"};
    for (int i = 0; i < count; ++i)
        w.key(std::to_string(i), files[i]);
}

void writeCompressedSkin(const std::string& dir)
{
    const SkinTheme t = calmBlue();
    SkinWriter w(dir);
    const int y = 5, s = t.buttonSize;
    // Caption buttons in the main picture: system menu at the left, then right to left
    // close, maximize, minimize, roll-up, one pixel apart.
    const ButtonPlace places[] = {{Close, 106, y}, {Maximize, 106 - (s + 1), y}, {Minimize, 106 - 2 * (s + 1), y},
                                  {RollUp, 106 - 3 * (s + 1), y}, {SysMenu, 5, y}};
    w.picture("main.bmp", toIndexed8(mainPicture(t, places, 5)));
    writeCommonPictures(w, t, y);

    versionSection(w, "Calm Blue");
    picturesSection(w, false, 6);
    w.section("FORMINFO");
    w.point("lefttoppoint", 26, 26);
    w.point("righttoppoint", 50, 26);
    w.point("leftbottompoint", 26, 92);
    w.point("rightbottompoint", 50, 92);
    w.rect("clientrect", 4, 26, 122, 92);
    w.key("bgpictureindex", -1);
    w.rect("maskrectarea", 0, 0, 126, 96);
    w.point("hittestlefttoppoint", 8, 8);
    w.point("hittestrighttoppoint", 118, 8);
    w.point("hittestleftbottompoint", 8, 88);
    w.point("hittestrightbottompoint", 118, 88);
    w.key("buttonsoffset", 1);
    w.key("buttonsinleft", 0);
    w.key("borderwidth", 4);
    w.key("autorenderinginactiveimage", 0);
    w.key("inactiveeffect", "iebrightness");
    popupWindowSection(w, t);
    hintWindowSection(w, t, false);

    w.section("SKINOBJECTS");
    w.key("count", 7);
    w.key("0", "sysmenubutton:stdbutton");
    w.key("1", "caption:caption");
    w.key("2", "closebutton:stdbutton");
    w.key("3", "maxbutton:stdbutton");
    w.key("4", "minbutton:stdbutton");
    w.key("5", "rollupbutton:stdbutton");
    w.key("6", "menuitem:menuitem");
    for (const ButtonPlace& b : places)
        captionButton(w, t, b.column, false, b.x, b.y);
    w.section("caption");
    w.key("activepictureindex", -1);
    w.rect("skinrect", 22, 4, 56, 22);
    w.rect("activeskinrect", 0, 0, 0, 0);
    w.key("morphing", 0);
    w.rect("textrect", 2, 0, 34, 18);
    fontKeys(w, t, 13, t.captionText, "fsbold");
    w.key("activefontcolor", skinColor(t.captionTextActive));
    w.key("alignment", "taleftjustify");
    w.key("shadow", 1);
    w.key("shadowcolor", 16777215);
    w.key("activeshadowcolor", 16777215);
    menuItemSection(w, t);
    controlSections(w, t);
    w.finish();
}

void writeStoredSkin(const std::string& dir)
{
    const SkinTheme t = slateGreen();
    SkinWriter w(dir);
    w.picture("main.bmp", toIndexed8(mainPicture(t, nullptr, 0)));
    w.picture("mask.bmp", toMono(frameMask(t)));
    writeCommonPictures(w, t, 8);
    w.picture("hint.bmp", toIndexed8(hintWindow(t)));
    w.picture("hintmask.bmp", toMono(hintMask(t)));

    versionSection(w, "Slate Green");
    picturesSection(w, true, 8);
    w.section("FORMINFO");
    w.point("lefttoppoint", 40, 28);
    w.point("righttoppoint", 90, 28);
    // The side borders tile between y = 28 and 102: from row 102 on, the picture and the mask
    // round the bottom corners, so those rows go to the ends of the side pieces, never into
    // their tiled band.
    w.point("leftbottompoint", 40, 102);
    w.point("rightbottompoint", 90, 102);
    w.rect("clientrect", 5, 28, 145, 103);
    w.key("bgpictureindex", -1);
    w.rect("maskrectarea", 6, 6, 144, 102);
    w.point("hittestlefttoppoint", 10, 10);
    w.point("hittestrighttoppoint", 140, 10);
    w.point("hittestleftbottompoint", 10, 98);
    w.point("hittestrightbottompoint", 140, 98);
    w.rect("buttonsrect", 95, 8, 146, 20);
    w.rect("captionrect", 4, 3, 92, 25);
    w.key("buttonsoffset", 2);
    w.key("buttonsinleft", 0);
    w.key("borderwidth", 5);
    w.key("autorenderinginactiveimage", 1);
    w.key("inactiveeffect", "iegrayscale");
    popupWindowSection(w, t);
    hintWindowSection(w, t, true);

    w.section("SKINOBJECTS");
    w.key("count", 7);
    w.key("0", "sysmenubutton:stdbutton");
    w.key("1", "caption:caption");
    w.key("2", "closebutton:stdbutton");
    w.key("3", "maxbutton:stdbutton");
    w.key("4", "minbutton:stdbutton");
    w.key("5", "rollupbutton:stdbutton");
    w.key("6", "menuitem:menuitem");
    for (int column : {int(SysMenu), int(Close), int(Maximize), int(Minimize), int(RollUp)})
        captionButton(w, t, column, true, 0, 0);
    w.section("caption");
    w.key("activepictureindex", -1);
    w.rect("skinrect", 20, 4, 92, 24);
    w.key("morphing", 0);
    w.rect("textrect", 2, 0, 70, 20);
    fontKeys(w, t, 13, t.captionText, "fsbold");
    w.key("activefontcolor", skinColor(t.captionTextActive));
    w.key("alignment", "tacenter");
    w.key("shadow", 1);
    w.key("shadowcolor", 16777215);
    w.key("activeshadowcolor", 16777215);
    menuItemSection(w, t);
    controlSections(w, t);
    w.finish();
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // QPainter on images needs the font and raster setup
    if (argc == 4 && std::string(argv[1]) == "--preview") {
        // skingen --preview COMPRESSED_VALUE OUT.png: a sheet showing a packed skin at work.
        try {
            return SkinPreview::render(argv[2]).save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
        } catch (const std::exception& e) {
            std::cerr << "skingen: " << e.what() << "\n";
            return 1;
        }
    }
    if (argc != 2) {
        std::cerr << "usage: skingen SKINSDIR\n       skingen --preview COMPRESSED_VALUE OUT.png\n";
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    try {
        for (const char* sub : {"compressed", "stored"})
            if (!QDir(root).mkpath(sub))
                throw std::runtime_error("cannot create " + (root + "/" + sub).toStdString());
        writeCompressedSkin((root + "/compressed").toStdString());
        writeStoredSkin((root + "/stored").toStdString());
    } catch (const std::exception& e) {
        std::cerr << "skingen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
