// TbsSkinData: the loading frame, the list sections, look-ups by name, the notifications and
// the precedence of the two stored-skin properties.
#include "SkinTestSupport.h"
#include "SkinZlib.h"
#include "TbsCompressedStoredSkin.h"
#include "TbsSkinIni.h"
#include "TbsStoredSkin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace skintest;

namespace {

const std::vector<std::string> kOneRound = {"main:window", "main:1225", "other:1225", "main:window", "main:1226",
                                           "other:1226", "main:window", "main:1227", "other:1227"};
const std::vector<std::string> kBeforeOnly = {"main:window", "main:1225", "other:1225"};

// A form with its skin data and stored skins, plus a second form registered before it.
struct Fixture {
    std::vector<Received> log;
    RecordingForm other{"other", log};
    RecordingForm main{"main", log};
    TbsStoredSkin* stored = new TbsStoredSkin(&main);
    TbsCompressedStoredSkin* compressed = new TbsCompressedStoredSkin(&main);
    TbsSkinData* skinData = new TbsSkinData(&main);

    void storeText(const std::string& text) { stored->IniStrings = lines(text); }
    // Compressed data for a version, picture block and INI text written by hand.
    void storeContent(std::int32_t version, const QByteArray& pictures, const std::string& text)
    {
        QByteArray content;
        for (int i = 0; i < 4; ++i)
            content.append(char((std::uint32_t(version) >> (8 * i)) & 0xFF));
        content.append(pictures);
        content.append(text.data(), qsizetype(text.size()));
        compressed->setCompressedData(SkinZlib::compress(content));
    }
};

QByteArray noPictures() { return QByteArray("\x01\x01\x01\x00\x00\x00\x00", 7); }

TEST(SkinDataLoad, StoredSkinLoadsWithOneRoundOwnerFormFirst)
{
    Fixture f;
    f.storeText(minimalSkinText());
    f.stored->Pictures.MainPicture = indexedImage(64, 48);
    f.stored->Pictures.ActivePictures = {indexedImage(59, 52)};
    EXPECT_TRUE(f.skinData->IsEmpty());
    f.skinData->setStoredSkin(f.stored);

    EXPECT_EQ(summary(f.log), kOneRound);
    for (const Received& r : f.log) {
        if (r.message == 0)
            continue;
        EXPECT_EQ(r.skinData, f.skinData);
        EXPECT_EQ(r.lParam, 1000);
        EXPECT_EQ(r.isEmpty, r.message == SKM_BEFORECHANGE) << r.message;
    }
    EXPECT_FALSE(f.skinData->IsEmpty());
    EXPECT_EQ(f.skinData->SkinInfo().SkinName, "Test skin");
    EXPECT_EQ(f.skinData->SkinInfo().SkinAuthor, "us");
    EXPECT_EQ(f.skinData->MainPicture().size(), QSize(64, 48));
    EXPECT_TRUE(f.skinData->InactivePicture().isNull());
    ASSERT_EQ(f.skinData->ActivePictures().size(), 1u); // from the component, not [PICTURES]
    ASSERT_EQ(f.skinData->ObjectDataList().size(), 1u);
    const auto* caption = dynamic_cast<const TbsDataSkinCaption*>(f.skinData->ObjectDataList()[0].get());
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->SkinRect, (TbsRect{12, 4, 53, 14}));
    EXPECT_TRUE(caption->Shadow);
    EXPECT_EQ(caption->ShadowColor, 16777215);
    EXPECT_EQ(f.skinData->FormInfo().ClientRect, (TbsRect{4, 20, 60, 40}));
}

TEST(SkinDataLoad, ListEntriesAndLookups)
{
    Fixture f;
    f.storeText("[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n"
                "[SKINOBJECTS]\r\ncount=6\r\n0=caption:caption\r\n1=nocolon\r\n2=:stdbutton\r\n3=x:unknown\r\n"
                "4=b:button:extra\r\n5=close:stdbutton\r\n"
                "[close]\r\ncommand=cmclose\r\n"
                "[SKINCONTROLS]\r\ncount=5\r\n0=panel:panel\r\n1=memo:memo\r\n2=e:Edit\r\n3=edit:edit\r\n7=late:panel\r\n"
                "[PANEL]\r\nskinrect=1,2,3,4\r\n");
    f.skinData->setStoredSkin(f.stored);

    const auto& objects = f.skinData->ObjectDataList();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0]->IDName, "caption");
    EXPECT_EQ(objects[1]->IDName, ""); // ":stdbutton": empty name, every key at its default
    EXPECT_STREQ(objects[1]->className(), "TbsDataSkinStdButton");
    EXPECT_EQ(static_cast<TbsDataSkinStdButton*>(objects[1].get())->Command, TbsStdCommand::cmDefault);
    EXPECT_EQ(static_cast<TbsDataSkinStdButton*>(objects[2].get())->Command, TbsStdCommand::cmClose);
    EXPECT_EQ(f.skinData->IndexOfObjectData(""), 1);
    EXPECT_EQ(f.skinData->IndexOfObjectData("close"), 2);
    EXPECT_EQ(f.skinData->IndexOfObjectData("Caption"), -1);

    const auto& controls = f.skinData->ControlDataList();
    ASSERT_EQ(controls.size(), 3u); // "Edit" is no kind; the key "7" lies beyond the count
    EXPECT_EQ(f.skinData->IndexOfControlData("panel"), 0);
    EXPECT_EQ(f.skinData->IndexOfControlData("Panel"), -1); // names match exactly
    EXPECT_EQ(f.skinData->IndexOfControlData("edit"), 2);
    EXPECT_EQ(f.skinData->IndexOfControlData("late"), -1);
    EXPECT_EQ(controls[0]->SkinRect, (TbsRect{1, 2, 3, 4})); // [PANEL] is the section "panel"
}

TEST(SkinDataLoad, StoredSkinWithoutARequiredSectionEndsEmpty)
{
    for (const char* section : {"[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "[SKINCONTROLS]"}) {
        Fixture f;
        std::string text = minimalSkinText();
        text.replace(text.find(section), std::strlen(section), "[renamed]");
        f.storeText(text);
        f.stored->Pictures.MainPicture = indexedImage(8, 8);
        f.skinData->setStoredSkin(f.stored);
        EXPECT_EQ(summary(f.log), kOneRound) << section;
        EXPECT_TRUE(f.skinData->IsEmpty()) << section;
        EXPECT_TRUE(f.skinData->MainPicture().isNull());
        EXPECT_TRUE(f.skinData->ControlDataList().empty());
    }
    Fixture empty;
    empty.skinData->setStoredSkin(empty.stored); // no lines at all
    EXPECT_EQ(summary(empty.log), kOneRound);
    EXPECT_TRUE(empty.skinData->IsEmpty());
}

TEST(SkinDataLoad, RectWithoutDigitsStopsTheLoad)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[caption]\r\nskinrect=12 , 4,53,14\r\n", "[caption]\r\nskinrect=\r\n"},
        {"clientrect=4,20,60,40", "clientrect=1,2,,4"},
    };
    for (const auto& [from, to] : cases) {
        Fixture f;
        std::string text = minimalSkinText();
        text.replace(text.find(from), std::strlen(from), to);
        f.storeText(text);
        EXPECT_THROW(f.skinData->setStoredSkin(f.stored), EConvertError) << to;
        EXPECT_EQ(summary(f.log), kBeforeOnly) << to;
        EXPECT_TRUE(f.skinData->IsEmpty());
        EXPECT_EQ(f.skinData->StoredSkin(), f.stored); // the reference is kept
    }
}

TEST(SkinDataLoad, SameStoredSkinTwiceGivesTwoRounds)
{
    Fixture f;
    f.storeText(minimalSkinText());
    f.skinData->setStoredSkin(f.stored);
    f.skinData->setStoredSkin(f.stored);
    std::vector<std::string> two = kOneRound;
    two.insert(two.end(), kOneRound.begin(), kOneRound.end());
    EXPECT_EQ(summary(f.log), two);
    EXPECT_EQ(f.skinData->ControlDataList().size(), 1u); // replaced, not added to
}

TEST(SkinDataLoad, CompressedSkinCases)
{
    const std::string text = minimalSkinText("compressed");
    struct Case {
        const char* name;
        std::function<void(Fixture&)> prepare;
        std::vector<std::string> messages;
        bool empty;
        const char* error; // class name of the expected exception, or nullptr
    };
    const Case cases[] = {
        {"version 1 loads", [&](Fixture& f) { f.storeContent(1, noPictures(), text); }, kOneRound, false, nullptr},
        {"version 2 stops after the first message", [&](Fixture& f) { f.storeContent(2, noPictures(), text); },
         kBeforeOnly, true, nullptr},
        {"no data: nothing at all", [](Fixture&) {}, {}, true, nullptr},
        {"corrupt stream", [](Fixture& f) { f.compressed->setCompressedData(QByteArray("\x78\xDA garbage", 10)); },
         kBeforeOnly, true, "EDecompressionError"},
        {"stream cut short",
         [&](Fixture& f) {
             f.storeContent(1, noPictures(), text);
             f.compressed->setCompressedData(f.compressed->compressedData().left(20));
         },
         kBeforeOnly, true, "EDecompressionError"},
        {"version cut short",
         [&](Fixture& f) { f.compressed->setCompressedData(SkinZlib::compress(QByteArray("\x01\x00", 2))); },
         kBeforeOnly, true, "EReadError"},
        {"count cut short", [&](Fixture& f) { f.storeContent(1, QByteArray("\x01\x01\x01\x02", 4), ""); }, kBeforeOnly,
         true, "EReadError"},
        {"bitmap not valid", [&](Fixture& f) { f.storeContent(1, QByteArray("\x00" "BX0123456789abcdef", 19), text); },
         kBeforeOnly, true, "EInvalidGraphic"},
        {"bitmap cut short",
         [&](Fixture& f) {
             QByteArray bmp = BmpFile::write(indexedImage(4, 4));
             f.storeContent(1, QByteArray(1, '\0') + bmp.left(bmp.size() - 1), "");
         },
         kBeforeOnly, true, "EReadError"},
        {"no sections is no check on this path",
         [&](Fixture& f) { f.storeContent(1, noPictures(), "[VERSION]\r\nskinname=bare\r\n"); }, kOneRound, false,
         nullptr},
    };
    for (const Case& c : cases) {
        Fixture f;
        c.prepare(f);
        const char* raised = nullptr;
        try {
            f.skinData->setCompressedStoredSkin(f.compressed);
        } catch (const Exception& e) {
            raised = e.className();
        }
        EXPECT_STREQ(raised, c.error) << c.name;
        EXPECT_EQ(summary(f.log), c.messages) << c.name;
        EXPECT_EQ(f.skinData->IsEmpty(), c.empty) << c.name;
    }
}

TEST(SkinDataLoad, BothPropertiesTheCompressedSkinIsInForce)
{
    Fixture f;
    f.storeText(minimalSkinText("stored"));
    f.storeContent(1, noPictures(), minimalSkinText("compressed"));
    f.skinData->setStoredSkin(f.stored);
    f.skinData->setCompressedStoredSkin(f.compressed);
    std::vector<std::string> two = kOneRound;
    two.insert(two.end(), kOneRound.begin(), kOneRound.end());
    EXPECT_EQ(summary(f.log), two);
    EXPECT_EQ(f.skinData->SkinInfo().SkinName, "compressed");
    EXPECT_FALSE(f.skinData->IsEmpty());
}

TEST(SkinDataLoad, BothPropertiesEmptyCompressedLeavesTheStoredSkin)
{
    Fixture f;
    f.storeText(minimalSkinText("stored"));
    f.skinData->setStoredSkin(f.stored);
    f.skinData->setCompressedStoredSkin(f.compressed);
    EXPECT_EQ(summary(f.log), kOneRound);
    EXPECT_EQ(f.skinData->SkinInfo().SkinName, "stored");
    EXPECT_FALSE(f.skinData->IsEmpty());
}

TEST(SkinDataLoad, NothingAssignedSendsNothing)
{
    Fixture f;
    f.skinData->setStoredSkin(nullptr);
    f.skinData->setCompressedStoredSkin(nullptr);
    EXPECT_TRUE(f.log.empty());
    EXPECT_TRUE(f.skinData->IsEmpty());
    EXPECT_EQ(f.skinData->HintWindowData().FontHeight, 12);
}

TEST(SkinDataLoad, DestroyedStoredSkinClearsTheReferenceOnly)
{
    Fixture f;
    f.storeText(minimalSkinText());
    f.skinData->setStoredSkin(f.stored);
    f.storeContent(1, noPictures(), minimalSkinText("c"));
    f.skinData->setCompressedStoredSkin(f.compressed);
    f.log.clear();
    delete f.stored;
    delete f.compressed;
    EXPECT_EQ(f.skinData->StoredSkin(), nullptr);
    EXPECT_EQ(f.skinData->CompressedStoredSkin(), nullptr);
    EXPECT_FALSE(f.skinData->IsEmpty());
    EXPECT_EQ(f.skinData->SkinInfo().SkinName, "c");
    EXPECT_TRUE(f.log.empty());
}

TEST(SkinDataLoad, ClearSkinKeepsSkinInfoAndResetsWindowPictures)
{
    Fixture f;
    f.storeText(minimalSkinText("kept", "[POPUPWINDOW]\r\nwindowpictureindex=1\r\nmaskpictureindex=0\r\n"
                                        "[HINTWINDOW]\r\nwindowpictureindex=0\r\n"));
    f.stored->Pictures.MaskPicture = monoImage(8, 8);
    f.skinData->setStoredSkin(f.stored);
    EXPECT_EQ(f.skinData->PopupWindowData().WindowPictureIndex, 1);
    f.skinData->ClearSkin();
    EXPECT_TRUE(f.skinData->IsEmpty());
    EXPECT_EQ(f.skinData->PopupWindowData().WindowPictureIndex, -1);
    EXPECT_EQ(f.skinData->PopupWindowData().MaskPictureIndex, 0);
    EXPECT_EQ(f.skinData->HintWindowData().WindowPictureIndex, -1);
    EXPECT_TRUE(f.skinData->MaskPicture().isNull());
    EXPECT_TRUE(f.skinData->ObjectDataList().empty());
    EXPECT_EQ(f.skinData->SkinInfo().SkinName, "kept");
}

TEST(SkinDataLoad, FormsLeavingDuringARoundGetNothingMore)
{
    std::vector<Received> log;
    auto main = std::make_unique<RecordingForm>("main", log);
    auto leaving = std::make_unique<RecordingForm>("leaving", log);
    // A form that closes another form when it sees the first message.
    struct Closer : RecordingForm {
        using RecordingForm::RecordingForm;
        std::unique_ptr<RecordingForm>* victim = nullptr;
        void skinMessage(int message, TbsSkinData* w, int l) override
        {
            RecordingForm::skinMessage(message, w, l);
            victim->reset();
        }
    };
    Closer closer("closer", log);
    closer.victim = &leaving;
    TbsStoredSkin stored(main.get());
    TbsSkinData skinData(main.get());
    stored.IniStrings = lines(minimalSkinText());
    // "leaving" was registered before "closer", so it receives the first message.
    skinData.setStoredSkin(&stored);
    const std::vector<std::string> expected = {"main:window", "main:1225", "leaving:1225", "closer:1225",
                                               "main:window", "main:1226", "closer:1226",
                                               "main:window", "main:1227", "closer:1227"};
    EXPECT_EQ(summary(log), expected);
}

TEST(SkinDataLoad, HugeCountsCreateOnlyTheEntriesThatExist)
{
    // The counts reach the largest integer; only the listed keys may cost anything. Before
    // the lists were read by their keys this loaded for minutes.
    Fixture f;
    f.storeText("[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n"
                "[SKINOBJECTS]\r\ncount=2147483647\r\n2147483646=last:caption\r\n3=close:stdbutton\r\n"
                "[SKINCONTROLS]\r\ncount=0x7FFFFFFF\r\n1=memo:memo\r\n0=panel:panel\r\n0=other:edit\r\n"
                "2147483647=beyond:panel\r\n"
                "[close]\r\ncommand=cmclose\r\n");
    f.skinData->setStoredSkin(f.stored);
    ASSERT_FALSE(f.skinData->IsEmpty());
    const auto& objects = f.skinData->ObjectDataList();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->IDName, "close"); // key order, not line order
    EXPECT_EQ(static_cast<TbsDataSkinStdButton*>(objects[0].get())->Command, TbsStdCommand::cmClose);
    EXPECT_EQ(objects[1]->IDName, "last");
    const auto& controls = f.skinData->ControlDataList();
    ASSERT_EQ(controls.size(), 2u); // the first "0" counts; the key beyond the count does not
    EXPECT_EQ(controls[0]->IDName, "panel");
    EXPECT_EQ(controls[1]->IDName, "memo");
}

TEST(SkinDataLoad, CompressedTextOfEmptyLinesLoadsTheEntriesAround)
{
    // Megabytes of empty lines (and of blanks) cost no more than their bytes; the entries
    // before and after them load.
    Fixture f;
    std::string text = minimalSkinText("padded");
    text += std::string(8 * 1024 * 1024, '\n');
    text += std::string(1024 * 1024, ' ') + "\r\n";
    text += "[HINTWINDOW]\r\nfontcolor=255\r\n";
    text += std::string(4 * 1024 * 1024, '\r');
    f.storeContent(1, noPictures(), text);
    f.skinData->setCompressedStoredSkin(f.compressed);
    EXPECT_EQ(summary(f.log), kOneRound);
    EXPECT_EQ(f.skinData->SkinInfo().SkinName, "padded");
    ASSERT_EQ(f.skinData->ControlDataList().size(), 1u);
    EXPECT_EQ(f.skinData->ControlDataList()[0]->IDName, "panel");
    EXPECT_EQ(f.skinData->ObjectDataList().size(), 1u);
    EXPECT_EQ(f.skinData->HintWindowData().FontColor, 255);
}

TEST(SkinDataLoad, LongTextValuesAreSharedByTheEntriesThatReadThem)
{
    // Entries naming one section hold its long values once, whatever their number.
    Fixture f;
    const std::string longName(5000, 'F');
    std::string text = "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\ncount=3\r\n"
                       "0=f:stdlabel\r\n1=F:stdlabel\r\n2=g:stdlabel\r\n"
                       "[f]\r\nfontname=" + longName + "\r\n[g]\r\nfontname=short\r\n";
    f.storeText(text);
    f.skinData->setStoredSkin(f.stored);
    const auto& controls = f.skinData->ControlDataList();
    ASSERT_EQ(controls.size(), 3u);
    const auto* a = dynamic_cast<const TbsDataSkinStdLabelControl*>(controls[0].get());
    const auto* b = dynamic_cast<const TbsDataSkinStdLabelControl*>(controls[1].get());
    const auto* c = dynamic_cast<const TbsDataSkinStdLabelControl*>(controls[2].get());
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->FontName, longName);
    EXPECT_EQ(b->FontName, longName);
    EXPECT_EQ(a->FontName.data(), b->FontName.data()); // one copy
    EXPECT_EQ(c->FontName, "short");
    // Saving writes the value back like any other.
    TbsSkinIni out;
    controls[0]->SaveToIni(out);
    EXPECT_EQ(out.readString("f", "fontname"), longName);
}

} // namespace
