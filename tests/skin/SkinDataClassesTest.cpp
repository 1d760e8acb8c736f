// Every data class: every key listed is read, starts at its default, and survives
// SaveToIni / LoadFromIni; plus the classes with their own rules.
#include "SkinControlDataOther.h"
#include "SkinObjectData.h"
#include "SkinWindowData.h"
#include "TbsFormInfo.h"
#include "TbsSkinData.h"
#include "TbsSkinIni.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

const char* const kObjectKinds[] = {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                    "button", "caption", "userobject"};
const char* const kControlKinds[] = {"panel", "expanel", "menubutton", "button", "checkradio", "gauge", "splitter",
                                     "trackbar", "label", "stdlabel", "updown", "scrollbox", "bevel", "slider",
                                     "grid", "tab", "mainmenubar", "controlbar", "memo", "edit", "checklistbox",
                                     "listbox", "combobox", "scrollbar", "spinedit", "treeview", "listview",
                                     "richedit"};

// A value of the field's type that differs from its default, distinct per key position.
std::string nonDefaultValue(const TbsSkinField& f, int i)
{
    switch (f.type) {
    case TbsSkinValueType::Integer:
    case TbsSkinValueType::Color:
    case TbsSkinValueType::FontHeight:
        return std::to_string(1000 + i);
    case TbsSkinValueType::Boolean:
        return "1";
    case TbsSkinValueType::Rect:
        return std::to_string(i) + "," + std::to_string(i + 1) + "," + std::to_string(i + 2) + "," + std::to_string(i + 30);
    case TbsSkinValueType::Point:
        return std::to_string(i + 1) + "," + std::to_string(i + 2);
    case TbsSkinValueType::FontStyle:
        return "fsbold,fsunderline";
    case TbsSkinValueType::Alignment:
        return "taleftjustify";
    case TbsSkinValueType::MorphKind:
        return "mkpush";
    case TbsSkinValueType::InactiveEffect:
        return "ieinvert";
    case TbsSkinValueType::Command:
        return "cmclose";
    default:
        return "text" + std::to_string(i);
    }
}

std::string written(const TbsSkinField& f) { return TbsSkinFields::text(f); }

std::string defaultWritten(const TbsSkinField& f)
{
    switch (f.type) {
    case TbsSkinValueType::Integer:
    case TbsSkinValueType::Color:
    case TbsSkinValueType::FontHeight:
        return std::to_string(f.integerDefault);
    case TbsSkinValueType::Boolean:
        return "0";
    case TbsSkinValueType::Rect:
        return "0,0,0,0";
    case TbsSkinValueType::Point:
        return "0,0";
    case TbsSkinValueType::FontStyle:
        return "";
    case TbsSkinValueType::Alignment:
        return "tacenter";
    case TbsSkinValueType::MorphKind:
        return "mkdefault";
    case TbsSkinValueType::InactiveEffect:
        return "iebrightness";
    case TbsSkinValueType::Command:
        return "cmdefault";
    default:
        return f.textDefault;
    }
}

// pointsAdjusted: the class moves or zeroes its points after reading (form info, up-down),
// which their own tests cover.
void checkClass(TbsSkinSectionData& fresh, TbsSkinSectionData& loaded, TbsSkinSectionData& reloaded,
                bool pointsAdjusted = false)
{
    SCOPED_TRACE(fresh.className());
    // Initial values are the key defaults, and loading a missing section gives them too.
    const TbsSkinFields freshFields = fresh.fields();
    ASSERT_FALSE(freshFields.list().empty());
    for (const TbsSkinField& f : freshFields.list())
        EXPECT_EQ(written(f), defaultWritten(f)) << "initial " << f.key;
    fresh.LoadFromIni(TbsSkinIni());
    for (const TbsSkinField& f : freshFields.list())
        EXPECT_EQ(written(f), defaultWritten(f)) << "missing section " << f.key;

    // Every key is read: a section with a non-default value for each gives it back.
    std::string text = "[" + loaded.IDName + "]\r\n";
    const TbsSkinFields fields = loaded.fields();
    std::map<std::string, std::string> expected;
    int i = 0;
    for (const TbsSkinField& f : fields.list()) {
        expected[f.key] = nonDefaultValue(f, i++);
        text += std::string(f.key) + "=" + expected[f.key] + "\r\n";
    }
    loaded.LoadFromIni(TbsSkinIni::fromText(text));
    for (const TbsSkinField& f : fields.list())
        if (!pointsAdjusted || (f.type != TbsSkinValueType::Point && std::string(f.key) != "clientrect")) {
            EXPECT_EQ(written(f), expected[f.key]) << f.key;
        }

    // SaveToIni writes the same keys back, replacing whatever the section held.
    TbsSkinIni out = TbsSkinIni::fromText("[" + loaded.IDName + "]\r\nstale=1\r\n");
    loaded.SaveToIni(out);
    EXPECT_FALSE(out.value(loaded.IDName, "stale").has_value());
    reloaded.LoadFromIni(out);
    const TbsSkinFields again = reloaded.fields();
    for (std::size_t k = 0; k < fields.list().size(); ++k)
        EXPECT_EQ(written(again.list()[k]), written(fields.list()[k])) << fields.list()[k].key;
}

TEST(SkinDataClasses, EveryObjectKindReadsAndWritesItsKeys)
{
    for (const char* kind : kObjectKinds) {
        auto fresh = TbsSkinData::createObjectData(kind, "obj");
        auto loaded = TbsSkinData::createObjectData(kind, "obj");
        auto reloaded = TbsSkinData::createObjectData(kind, "obj");
        ASSERT_TRUE(fresh) << kind;
        checkClass(*fresh, *loaded, *reloaded);
    }
    EXPECT_EQ(TbsSkinData::createObjectData("Caption", "x"), nullptr);
}

TEST(SkinDataClasses, EveryControlKindReadsAndWritesItsKeys)
{
    for (const char* kind : kControlKinds) {
        auto fresh = TbsSkinData::createControlData(kind, "ctl");
        auto loaded = TbsSkinData::createControlData(kind, "ctl");
        auto reloaded = TbsSkinData::createControlData(kind, "ctl");
        ASSERT_TRUE(fresh) << kind;
        checkClass(*fresh, *loaded, *reloaded, std::string(kind) == "updown");
    }
    EXPECT_EQ(TbsSkinData::createControlData("Panel", "x"), nullptr);
}

TEST(SkinDataClasses, WindowDataAndFormInfo)
{
    TbsDataSkinPopupWindow p1, p2, p3;
    checkClass(p1, p2, p3);
    TbsFormInfo f1, f2, f3;
    checkClass(f1, f2, f3, true);
    // The hint window starts at height 12, while the key's default is 14.
    TbsDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontHeight, 12);
    EXPECT_EQ(hint.FontName, "Arial");
    hint.LoadFromIni(TbsSkinIni::fromText("[HINTWINDOW]\nfontcolor=5\n"));
    EXPECT_EQ(hint.FontHeight, 14);
    EXPECT_EQ(hint.FontColor, 5);
}

TEST(SkinDataClasses, ClassChainsAndKeyOrder)
{
    auto memo = TbsSkinData::createControlData("memo", "memo");
    EXPECT_NE(dynamic_cast<TbsDataSkinEditControl*>(memo.get()), nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinCustomControl*>(memo.get()), nullptr);
    auto label = TbsSkinData::createControlData("stdlabel", "stdlabel");
    EXPECT_EQ(dynamic_cast<TbsDataSkinCustomControl*>(label.get()), nullptr);
    EXPECT_EQ(static_cast<TbsDataSkinStdLabelControl*>(label.get())->ActiveFontColor, 16711680);
    auto bar = TbsSkinData::createObjectData("mainmenubarbutton", "b");
    EXPECT_NE(dynamic_cast<TbsDataSkinStdButton*>(bar.get()), nullptr);
    auto checklist = TbsSkinData::createControlData("checklistbox", "c");
    EXPECT_NE(dynamic_cast<TbsDataSkinListBox*>(checklist.get()), nullptr);
    auto menubutton = TbsSkinData::createControlData("menubutton", "m");
    EXPECT_NE(dynamic_cast<TbsDataSkinButtonControl*>(menubutton.get()), nullptr);

    // Base keys come first, in table order.
    const auto fields = memo->fields();
    ASSERT_GE(fields.list().size(), 3u);
    EXPECT_STREQ(fields.list()[0].key, "pictureindex");
    EXPECT_STREQ(fields.list().back().key, "activebgcolor");
    // The one key written with a capital letter keeps it when saved.
    auto item = TbsSkinData::createObjectData("mainmenubaritem", "item");
    TbsSkinIni ini;
    item->SaveToIni(ini);
    EXPECT_NE(ini.text().find("unenabledfontColor="), std::string::npos);
}

TEST(SkinDataClasses, UserObjectReadsOnlyItsRect)
{
    const TbsSkinIni ini = TbsSkinIni::fromText(
        "[area]\nskinrect=1,2,3,4\nhint=hello\nactivepictureindex=2\nmorphing=1\nactiveskinrect=5,6,7,8\n");
    TbsDataUserObject user("area");
    user.LoadFromIni(ini);
    EXPECT_EQ(user.SkinRect, (TbsRect{1, 2, 3, 4}));
    EXPECT_EQ(user.Hint, "");
    EXPECT_EQ(user.ActivePictureIndex, -1);
    EXPECT_FALSE(user.Morphing);
    EXPECT_TRUE(user.ActiveSkinRect.isEmpty());
}

TEST(SkinDataClasses, UpDownZeroesItsGeometry)
{
    const TbsSkinIni ini = TbsSkinIni::fromText(
        "[ud]\nlefttoppoint=1,2\nrighttoppoint=3,4\nleftbottompoint=5,6\nrightbottompoint=7,8\n"
        "clientrect=1,1,9,9\nskinrect=0,0,20,20\nupbuttonrect=1,2,3,4\n");
    TbsDataSkinUpDownControl updown("ud");
    updown.LoadFromIni(ini);
    EXPECT_EQ(updown.LeftTopPoint, TbsPoint{});
    EXPECT_EQ(updown.RightTopPoint, TbsPoint{});
    EXPECT_EQ(updown.LeftBottomPoint, TbsPoint{});
    EXPECT_EQ(updown.RightBottomPoint, TbsPoint{});
    EXPECT_EQ(updown.ClientRect, TbsRect{});
    EXPECT_EQ(updown.SkinRect, (TbsRect{0, 0, 20, 20}));
    EXPECT_EQ(updown.UpButtonRect, (TbsRect{1, 2, 3, 4}));
}

TEST(SkinDataClasses, FormInfoCornerAdjustment)
{
    struct Case {
        const char* name;
        const char* section;
        TbsPoint lt, rt, lb, rb;
    };
    const Case cases[] = {
        {"outside: pulled onto the client rect",
         "clientrect=10,20,100,80\nlefttoppoint=2,3\nrighttoppoint=120,5\nleftbottompoint=1,95\nrightbottompoint=130,90\n",
         {10, 20}, {100, 20}, {10, 80}, {100, 80}},
        {"inside: unchanged",
         "clientrect=10,20,100,80\nlefttoppoint=30,30\nrighttoppoint=70,30\nleftbottompoint=30,60\nrightbottompoint=70,60\n",
         {30, 30}, {70, 30}, {30, 60}, {70, 60}},
        {"same x: nothing moves",
         "clientrect=10,20,100,80\nlefttoppoint=2,3\nrighttoppoint=120,5\nleftbottompoint=1,95\nrightbottompoint=2,90\n",
         {2, 3}, {120, 5}, {1, 95}, {2, 90}},
        {"same y: nothing moves",
         "clientrect=10,20,100,80\nlefttoppoint=2,3\nrighttoppoint=120,5\nleftbottompoint=1,95\nrightbottompoint=130,3\n",
         {2, 3}, {120, 5}, {1, 95}, {130, 3}},
    };
    for (const Case& c : cases) {
        TbsFormInfo info;
        info.LoadFromIni(TbsSkinIni::fromText(std::string("[FORMINFO]\n") + c.section));
        EXPECT_EQ(info.LeftTopPoint, c.lt) << c.name;
        EXPECT_EQ(info.RightTopPoint, c.rt) << c.name;
        EXPECT_EQ(info.LeftBottomPoint, c.lb) << c.name;
        EXPECT_EQ(info.RightBottomPoint, c.rb) << c.name;
    }
}

} // namespace
