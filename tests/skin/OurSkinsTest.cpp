// Our two packed skins as the main window receives them: the geometry the frame and the
// controls build on, and the start-up sequence with both stored-skin components.
#include "SkinTestSupport.h"
#include "StoredSkins.h"
#include "TbsCompressedStoredSkin.h"
#include "TbsStoredSkin.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

struct MainWindowSkins {
    std::vector<Received> log;
    RecordingForm form{"main", log};
    TbsStoredSkin* stored = new TbsStoredSkin(&form);
    TbsCompressedStoredSkin* compressed = new TbsCompressedStoredSkin(&form);
    TbsSkinData* skinData = new TbsSkinData(&form);

    MainWindowSkins()
    {
        StoredSkins::fill(*stored);
        StoredSkins::fill(*compressed);
    }
};

template <class T>
const T* section(const TbsSkinData& skin, const char* name)
{
    const int i = skin.IndexOfControlData(name);
    return i < 0 ? nullptr : dynamic_cast<const T*>(skin.ControlDataList()[std::size_t(i)].get());
}

const TbsDataSkinStdButton* button(const TbsSkinData& skin, TbsStdCommand command)
{
    for (const auto& o : skin.ObjectDataList())
        if (auto* b = dynamic_cast<const TbsDataSkinStdButton*>(o.get()); b && b->Command == command)
            return b;
    return nullptr;
}

// The pop-up window stretches its whole picture by the corner points, so that picture must be
// the window alone: framed evenly around the items rect, and shared with no rect-cut image
// (the menu items' pictures in it would show at the window's right edge).
void checkPopupWindow(const TbsSkinData& skin)
{
    const TbsDataSkinPopupWindow& pw = skin.PopupWindowData();
    const QImage* window = skin.ActivePicture(pw.WindowPictureIndex);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(pw.LeftTopPoint, (TbsPoint{4, 4}));
    EXPECT_EQ(pw.RightBottomPoint, (TbsPoint{36, 36}));
    EXPECT_EQ(pw.ItemsRect, (TbsRect{3, 3, 37, 37}));
    EXPECT_EQ(window->width() - pw.RightTopPoint.X, pw.LeftTopPoint.X);
    EXPECT_EQ(window->height() - pw.LeftBottomPoint.Y, pw.LeftTopPoint.Y);
    EXPECT_EQ(window->width() - pw.ItemsRect.Right, pw.ItemsRect.Left);
    EXPECT_EQ(window->height() - pw.ItemsRect.Bottom, pw.ItemsRect.Top);
    for (const auto& o : skin.ObjectDataList())
        EXPECT_NE(o->ActivePictureIndex, pw.WindowPictureIndex) << o->IDName;
    for (const auto& c : skin.ControlDataList())
        EXPECT_NE(c->PictureIndex, pw.WindowPictureIndex) << c->IDName;

    const int i = skin.IndexOfObjectData("menuitem");
    ASSERT_GE(i, 0);
    auto* item = dynamic_cast<const TbsDataSkinMenuItem*>(skin.ObjectDataList()[std::size_t(i)].get());
    ASSERT_TRUE(item);
    const QImage* items = skin.ActivePicture(item->ActivePictureIndex);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(item->TextRect, (TbsRect{4, 2, 36, 18}));
    for (const TbsRect& r : {item->SkinRect, item->ActiveSkinRect, item->DividerRect}) {
        EXPECT_EQ(r.width(), 40);
        EXPECT_TRUE(items->rect().contains(r.toQRect())) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    }
    EXPECT_EQ(item->SkinRect.height(), 20);
    EXPECT_EQ(item->ActiveSkinRect.height(), 20);
    EXPECT_EQ(item->DividerRect.height(), 4);
    // The active item looks different from the normal one.
    EXPECT_NE(items->copy(item->SkinRect.toQRect()), items->copy(item->ActiveSkinRect.toQRect()));
}

// Checks shared by both skins: the control sections the main window names.
void checkControlSections(const TbsSkinData& skin)
{
    auto* panel = section<TbsDataSkinPanelControl>(skin, "panel");
    auto* memo = section<TbsDataSkinMemoControl>(skin, "memo");
    ASSERT_TRUE(panel && memo);
    for (const TbsDataSkinCustomControl* c : {static_cast<const TbsDataSkinCustomControl*>(panel),
                                              static_cast<const TbsDataSkinCustomControl*>(memo)}) {
        EXPECT_EQ(c->SkinRect.width(), 59);
        EXPECT_EQ(c->SkinRect.height(), 52);
        EXPECT_TRUE(c->RightBottomPoint.X != 0 && c->RightBottomPoint.Y != 0); // four-point
    }
    EXPECT_EQ(panel->LeftTopPoint, (TbsPoint{5, 4}));
    EXPECT_EQ(panel->RightTopPoint, (TbsPoint{53, 6}));
    EXPECT_EQ(panel->ClientRect, (TbsRect{2, 2, 57, 50}));
    // The memo is readable: light background, dark text.
    EXPECT_EQ(memo->BGColor, 16777215);
    EXPECT_GT(qGray(QColor(memo->ActiveBGColor & 0xFF, (memo->ActiveBGColor >> 8) & 0xFF, memo->ActiveBGColor >> 16).rgb()), 230);
    EXPECT_LT(memo->FontColor & 0xFF, 80);

    for (const char* name : {"button", "resizebutton"}) {
        auto* b = section<TbsDataSkinButtonControl>(skin, name);
        ASSERT_TRUE(b) << name;
        EXPECT_EQ(b->SkinRect.width(), 24);
        EXPECT_EQ(b->SkinRect.height(), 21);
        EXPECT_EQ(b->RightBottomPoint, TbsPoint{}); // horizontal
        EXPECT_NE(b->RightTopPoint, TbsPoint{});
        EXPECT_EQ(b->ClientRect, (TbsRect{2, 2, 22, 19}));
        EXPECT_FALSE(b->ActiveSkinRect.isEmpty()); // visible hot and pressed states
        EXPECT_FALSE(b->DownSkinRect.isEmpty());
    }
    for (const char* name : {"edit", "buttonedit"}) {
        auto* e = section<TbsDataSkinEditControl>(skin, name);
        ASSERT_TRUE(e) << name;
        EXPECT_EQ(e->SkinRect.width(), 57);
        EXPECT_EQ(e->SkinRect.height(), 21);
        EXPECT_EQ(e->RightBottomPoint, TbsPoint{});
        EXPECT_EQ(e->FontHeight, 12);
        EXPECT_EQ(e->FontColor, 0);
    }
    auto* be = section<TbsDataSkinEditControl>(skin, "buttonedit");
    EXPECT_EQ(be->LeftTopPoint, (TbsPoint{4, 9}));
    EXPECT_EQ(be->RightTopPoint, (TbsPoint{35, 9}));
    EXPECT_EQ(be->ClientRect, (TbsRect{3, 3, 36, 18}));
    EXPECT_EQ(be->ButtonRect, (TbsRect{38, 3, 54, 18}));

    auto* gauge = section<TbsDataSkinGaugeControl>(skin, "gauge");
    ASSERT_TRUE(gauge);
    EXPECT_EQ(gauge->SkinRect.width(), 22);
    EXPECT_EQ(gauge->SkinRect.height(), 14);
    EXPECT_EQ(gauge->LeftTopPoint, (TbsPoint{2, 4}));
    EXPECT_EQ(gauge->RightTopPoint, (TbsPoint{18, 5}));
    EXPECT_EQ(gauge->ProgressArea, (TbsRect{2, 2, 21, 13}));
    EXPECT_EQ(gauge->ProgressRect.width(), 10);
    EXPECT_EQ(gauge->ProgressRect.height(), 11);
    EXPECT_EQ(gauge->BeginOffset, 0);
    EXPECT_EQ(gauge->EndOffset, 0);

    auto* label = section<TbsDataSkinStdLabelControl>(skin, "stdlabel");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->PictureIndex, -1);
    EXPECT_EQ(label->FontHeight, 12);
    EXPECT_TRUE(label->FontStyle.isEmpty());
    EXPECT_EQ(label->FontColor, 0);
    EXPECT_EQ(label->ActiveFontColor, 16744448);

    // Every picture index a control names exists.
    for (const auto& c : skin.ControlDataList())
        if (c->PictureIndex >= 0) {
            EXPECT_NE(skin.ActivePicture(c->PictureIndex), nullptr) << c->IDName;
        }
    for (const auto& o : skin.ObjectDataList())
        if (o->ActivePictureIndex >= 0) {
            EXPECT_NE(skin.ActivePicture(o->ActivePictureIndex), nullptr) << o->IDName;
        }
    // The system menu's pop-up window and item.
    EXPECT_GE(skin.PopupWindowData().WindowPictureIndex, 0);
    EXPECT_GE(skin.IndexOfObjectData("menuitem"), 0);
    checkPopupWindow(skin);
    for (auto command : {TbsStdCommand::cmClose, TbsStdCommand::cmMaximize, TbsStdCommand::cmMinimize,
                         TbsStdCommand::cmRollUp, TbsStdCommand::cmSysMenu})
        EXPECT_NE(button(skin, command), nullptr) << int(command);
}

TEST(OurSkins, StartUpLoadsBothAndEndsWithTheCompressedSkin)
{
    MainWindowSkins w;
    EXPECT_EQ(w.stored->FileName, "SKIN.INI");
    EXPECT_EQ(w.compressed->FileName, "SKIN.INI");
    w.skinData->setStoredSkin(w.stored);
    EXPECT_EQ(w.skinData->SkinInfo().SkinName, "Slate Green");
    w.skinData->setCompressedStoredSkin(w.compressed);
    const std::vector<std::string> round = {"main:window", "main:1225", "main:window", "main:1226", "main:window", "main:1227"};
    std::vector<std::string> two = round;
    two.insert(two.end(), round.begin(), round.end());
    EXPECT_EQ(summary(w.log), two);
    EXPECT_EQ(w.skinData->SkinInfo().SkinName, "Calm Blue");
    EXPECT_EQ(uchar(w.compressed->compressedData()[0]), 0x78);
    EXPECT_EQ(uchar(w.compressed->compressedData()[1]), 0xDA);
}

TEST(OurSkins, CompressedSkinGeometry)
{
    MainWindowSkins w;
    w.skinData->setCompressedStoredSkin(w.compressed);
    const TbsSkinData& skin = *w.skinData;
    EXPECT_EQ(skin.MainPicture().size(), QSize(126, 96));
    EXPECT_EQ(skin.MainPicture().depth(), 8);
    EXPECT_GT(skin.MainPicture().colorCount(), 0);
    EXPECT_TRUE(skin.InactivePicture().isNull());
    EXPECT_TRUE(skin.MaskPicture().isNull());
    EXPECT_EQ(skin.ActivePictures().size(), 6u);
    EXPECT_TRUE(skin.FormInfo().CaptionRect.isEmpty());
    EXPECT_TRUE(skin.FormInfo().ButtonsRect.isEmpty());
    const int c = skin.IndexOfObjectData("caption");
    ASSERT_GE(c, 0);
    auto* caption = dynamic_cast<const TbsDataSkinCaption*>(skin.ObjectDataList()[std::size_t(c)].get());
    ASSERT_TRUE(caption);
    EXPECT_TRUE(caption->ActiveSkinRect.isEmpty());
    EXPECT_TRUE(caption->Shadow);
    EXPECT_EQ(caption->ShadowColor, 16777215);
    // Caption buttons in the right-top zone follow the window's right edge; none overlaps the caption.
    for (auto command : {TbsStdCommand::cmClose, TbsStdCommand::cmMaximize, TbsStdCommand::cmMinimize,
                         TbsStdCommand::cmRollUp}) {
        const auto* b = button(skin, command);
        ASSERT_TRUE(b);
        EXPECT_FALSE(b->SkinRectInAPicture);
        EXPECT_GE(b->SkinRect.Left, skin.FormInfo().RightTopPoint.X);
        EXPECT_LT(b->SkinRect.Bottom, skin.FormInfo().RightTopPoint.Y);
        EXPECT_GE(b->SkinRect.Left, caption->SkinRect.Right);
    }
    checkControlSections(skin);
}

TEST(OurSkins, StoredSkinGeometry)
{
    MainWindowSkins w;
    w.skinData->setStoredSkin(w.stored);
    const TbsSkinData& skin = *w.skinData;
    EXPECT_EQ(skin.MainPicture().size(), QSize(150, 108));
    EXPECT_EQ(skin.MainPicture().depth(), 8);
    ASSERT_EQ(skin.MaskPicture().size(), QSize(150, 108));
    EXPECT_EQ(skin.MaskPicture().depth(), 1);
    // Black inside, corners cut.
    EXPECT_EQ(qGray(skin.MaskPicture().pixel(0, 0)), 255);
    EXPECT_EQ(qGray(skin.MaskPicture().pixel(149, 107)), 255);
    EXPECT_EQ(qGray(skin.MaskPicture().pixel(75, 54)), 0);
    EXPECT_EQ(qGray(skin.MaskPicture().pixel(75, 0)), 0);
    EXPECT_EQ(skin.ActivePictures().size(), 8u);
    EXPECT_EQ(skin.FormInfo().ButtonsRect, (TbsRect{95, 8, 146, 20}));
    EXPECT_EQ(skin.FormInfo().ButtonsOffset, 2);
    for (auto command : {TbsStdCommand::cmClose, TbsStdCommand::cmMaximize, TbsStdCommand::cmMinimize,
                         TbsStdCommand::cmRollUp, TbsStdCommand::cmSysMenu}) {
        const auto* b = button(skin, command);
        ASSERT_TRUE(b);
        EXPECT_TRUE(b->SkinRectInAPicture);
        EXPECT_EQ(b->SkinRect.width(), 12);
        EXPECT_EQ(b->SkinRect.height(), 12);
    }
    checkControlSections(skin);

    // The stored skin's "Pictures" value round-trips unchanged.
    EXPECT_EQ(w.stored->picturesData(), StoredSkins::storedPictures());
}

// The side pieces of the frame (and of the mask) tile the rows between the top and bottom
// corner points; every row of that band must be the same, or a tall window shows a notch at
// every tile. The rounding of the corners belongs outside the band.
void checkSideBandsTile(const TbsSkinData& skin)
{
    const TbsFormInfo& f = skin.FormInfo();
    const QImage main = skin.MainPicture().convertToFormat(QImage::Format_RGB32);
    struct Side {
        const char* name;
        int x0, x1, top, bottom;
    };
    const int pw = main.width();
    const Side frameSides[] = {{"left", 0, f.ClientRect.Left, f.LeftTopPoint.Y, f.LeftBottomPoint.Y},
                               {"right", f.ClientRect.Right, pw, f.RightTopPoint.Y, f.RightBottomPoint.Y}};
    for (const Side& side : frameSides) {
        ASSERT_LT(side.top, side.bottom) << side.name;
        for (int y = side.top + 1; y < side.bottom; ++y)
            for (int x = side.x0; x < side.x1; ++x)
                ASSERT_EQ(main.pixel(x, y), main.pixel(x, side.top)) << side.name << " x " << x << " y " << y;
    }
    if (skin.MaskPicture().isNull())
        return;
    const QImage mask = skin.MaskPicture().convertToFormat(QImage::Format_RGB32);
    const Side maskSides[] = {{"mask left", 0, f.MaskRectArea.Left, f.LeftTopPoint.Y, f.LeftBottomPoint.Y},
                              {"mask right", f.MaskRectArea.Right, mask.width(), f.RightTopPoint.Y,
                               f.RightBottomPoint.Y}};
    for (const Side& side : maskSides) {
        // The mask pieces take the band only within the mask rect area's height.
        EXPECT_GE(side.top, f.MaskRectArea.Top) << side.name;
        EXPECT_LE(side.bottom, f.MaskRectArea.Bottom) << side.name;
        for (int y = side.top; y < side.bottom; ++y)
            for (int x = side.x0; x < side.x1; ++x)
                ASSERT_EQ(qGray(mask.pixel(x, y)), 0) << side.name << " x " << x << " y " << y;
    }
}

TEST(OurSkins, SideBordersTileWithoutSeams)
{
    MainWindowSkins stored;
    stored.skinData->setStoredSkin(stored.stored);
    checkSideBandsTile(*stored.skinData);
    MainWindowSkins compressed;
    compressed.skinData->setCompressedStoredSkin(compressed.compressed);
    checkSideBandsTile(*compressed.skinData);
}

} // namespace
