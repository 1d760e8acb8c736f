// The INI syntax and the value readers of the skin format.
#include "Exception.h"
#include "TbsSkinIni.h"

#include <gtest/gtest.h>

namespace {

TbsSkinIni iniWith(const std::string& key, const std::string& value)
{
    return TbsSkinIni::fromText("[s]\r\n" + key + "=" + value + "\r\n");
}

TEST(SkinIniSyntax, LinesSectionsAndKeys)
{
    const TbsSkinIni ini = TbsSkinIni::fromText(
        "orphan=1\n"
        "  [ First ]  \n"
        "; comment=1\n"
        "\tKey One = spaced value \r\n"
        "noequals\n"
        "empty=\n"
        "dup=first\n"
        "dup=second\r"
        "[PANEL]\n"
        "unenabledfontColor=7\n"
        "[first]\n"
        "late=3\n");
    EXPECT_FALSE(ini.value("", "orphan").has_value());
    EXPECT_TRUE(ini.sectionExists("first"));
    EXPECT_TRUE(ini.sectionExists("FIRST"));
    EXPECT_EQ(ini.readString("first", "key one"), "spaced value");
    EXPECT_FALSE(ini.value("first", "noequals").has_value());
    EXPECT_FALSE(ini.value("first", "; comment").has_value());
    EXPECT_EQ(ini.readString("first", "empty", "default"), "");
    EXPECT_EQ(ini.readInteger("first", "empty", 42), 42);
    EXPECT_EQ(ini.readString("first", "missing", "default"), "default");
    EXPECT_EQ(ini.readString("first", "dup"), "first");
    EXPECT_EQ(ini.readInteger("first", "late", 0), 3); // a repeated header continues the section
    EXPECT_EQ(ini.readInteger("panel", "unenabledfontcolor", 0), 7);
    EXPECT_EQ(ini.readInteger("Panel", "UNENABLEDFONTCOLOR", 0), 7);
}

TEST(SkinIniSyntax, BytesAreNotConverted)
{
    const TbsSkinIni ini = iniWith("fontname", "\xCB\xCE\xCC\xE5");
    EXPECT_EQ(ini.readString("s", "fontname"), "\xCB\xCE\xCC\xE5");
}

struct IntegerCase {
    const char* value;
    int expected;
};

TEST(SkinIniValues, Integers)
{
    const IntegerCase cases[] = {
        {"16", 16},     {"0x10", 16},   {"0X10", 16},         {"$10", 16}, {"$ff", 255},
        {"-5", -5},     {"+7", 7},      {"abc", -1},          {"", -1},    {"1 2", -1},
        {"0x", -1},     {"$", -1},      {"2147483647", 2147483647},        {"2147483648", -1},
        {"$FFFFFFFF", -1 /* all 32 bits: -1 as well */},    {"12abc", -1}, {"0x1G", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(iniWith("v", c.value).readInteger("s", "v", -1), c.expected) << c.value;
    EXPECT_EQ(iniWith("v", "$FFFFFFFE").readInteger("s", "v", 0), -2);
    EXPECT_EQ(TbsSkinIni().readInteger("s", "v", 14), 14);
}

TEST(SkinIniValues, Booleans)
{
    const std::pair<const char*, bool> cases[] = {{"1", true}, {"01", true}, {"$1", true}, {"2", false},
                                                  {"yes", false}, {"0", false}, {"", false}, {"true", false}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(iniWith("morphing", value).readBool("s", "morphing"), expected) << value;
    EXPECT_FALSE(TbsSkinIni().readBool("s", "morphing"));
}

TEST(SkinIniValues, RectsAndPoints)
{
    const std::pair<const char*, TbsRect> rects[] = {
        {"12 , 4,53,14", {12, 4, 53, 14}},
        {"1,2,3,4", {1, 2, 3, 4}},
        {"-1,-2,x3,4y", {1, 2, 3, 4}},
        {"1,2,3,4,5", {1, 2, 3, 4}},  // surplus fields are ignored
        {"1,2,3,4,", {1, 2, 3, 4}},
        {"0001,2,3,4", {1, 2, 3, 4}},
    };
    for (const auto& [value, expected] : rects)
        EXPECT_EQ(iniWith("skinrect", value).readRect("s", "skinrect"), expected) << value;
    EXPECT_EQ(TbsSkinIni().readRect("s", "skinrect"), (TbsRect{0, 0, 0, 0}));
    EXPECT_EQ(iniWith("p", "-5,3").readPoint("s", "p"), (TbsPoint{5, 3}));
    EXPECT_EQ(TbsSkinIni().readPoint("s", "p"), (TbsPoint{0, 0}));

    // A field without a digit is the invalid-integer error.
    const std::pair<const char*, const char*> bad[] = {
        {"", "'' is not a valid integer value"},
        {"1,2,,4", "'' is not a valid integer value"},
        {"1,2,3", "'' is not a valid integer value"},
        {"a,b,c,d", "'' is not a valid integer value"},
        {"99999999999,1,2,3", "'99999999999' is not a valid integer value"},
    };
    for (const auto& [value, message] : bad) {
        try {
            iniWith("r", value).readRect("s", "r");
            ADD_FAILURE() << "no error for " << value;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), message) << value;
        }
    }
    EXPECT_THROW(iniWith("p", "7").readPoint("s", "p"), EConvertError);
}

TEST(SkinIniValues, FontStyles)
{
    struct Case {
        const char* value;
        TbsFontStyles expected;
    };
    const Case cases[] = {
        {"fsbold,fsitalic", {true, true, false, false}},
        {"fsboldfsitalic", {true, true, false, false}},
        {"fsstrikeout;fsunderline", {false, false, true, true}},
        {"FSBOLD", {}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(iniWith("fontstyle", c.value).readFontStyles("s", "fontstyle"), c.expected) << c.value;
}

TEST(SkinIniValues, Words)
{
    using A = TbsAlignment;
    const std::pair<const char*, A> alignments[] = {{"tacenter", A::taCenter}, {"taleftjustify", A::taLeftJustify},
                                                    {"tarightjustify", A::taRightJustify},
                                                    {"TACENTER", A::taRightJustify}, {"", A::taRightJustify}};
    for (const auto& [value, expected] : alignments)
        EXPECT_EQ(iniWith("alignment", value).readAlignment("s", "alignment"), expected) << value;
    EXPECT_EQ(TbsSkinIni().readAlignment("s", "alignment"), A::taCenter);

    using M = TbsMorphKind;
    const std::pair<const char*, M> kinds[] = {{"mkdefault", M::mkDefault}, {"mkgradient", M::mkGradient},
                                               {"mkleftgradient", M::mkLeftGradient}, {"mkrightgradient", M::mkRightGradient},
                                               {"mkleftslide", M::mkLeftSlide}, {"mkrightslide", M::mkRightSlide},
                                               {"mkpush", M::mkPush}, {"mkPush", M::mkDefault}, {"", M::mkDefault}};
    for (const auto& [value, expected] : kinds)
        EXPECT_EQ(iniWith("morphkind", value).readMorphKind("s", "morphkind"), expected) << value;

    using E = TbsInactiveEffect;
    const std::pair<const char*, E> effects[] = {{"iebrightness", E::ieBrightness}, {"iedarkness", E::ieDarkness},
                                                 {"iegrayscale", E::ieGrayscale}, {"ienoise", E::ieNoise},
                                                 {"iesplitblur", E::ieSplitBlur}, {"ieinvert", E::ieInvert},
                                                 {"IEDARKNESS", E::ieBrightness}};
    for (const auto& [value, expected] : effects)
        EXPECT_EQ(iniWith("inactiveeffect", value).readInactiveEffect("s", "inactiveeffect"), expected) << value;

    using C = TbsStdCommand;
    const std::pair<const char*, C> commands[] = {{"cmclose", C::cmClose}, {"cmmaximize", C::cmMaximize},
                                                  {"cmminimize", C::cmMinimize}, {"cmsysmenu", C::cmSysMenu},
                                                  {"cmdefault", C::cmDefault}, {"cmrollup", C::cmRollUp},
                                                  {"cmRollUp", C::cmRollUp}, {"", C::cmRollUp}, {"CMCLOSE", C::cmRollUp}};
    for (const auto& [value, expected] : commands)
        EXPECT_EQ(iniWith("command", value).readCommand("s", "command"), expected) << value;
    EXPECT_EQ(TbsSkinIni().readCommand("s", "command"), C::cmDefault);
}

TEST(SkinIniWriting, EraseAndWriteKeepOrder)
{
    TbsSkinIni ini = TbsSkinIni::fromText("[a]\nx=1\n[b]\ny=2\n");
    ini.writeString("A", "X", "5");
    ini.writeString("a", "z", "6");
    ini.eraseSection("B");
    ini.writeString("c", "w", "7");
    EXPECT_EQ(ini.text(), "[a]\r\nx=5\r\nz=6\r\n\r\n[c]\r\nw=7\r\n\r\n");
    EXPECT_FALSE(ini.sectionExists("b"));
}

TEST(SkinIniSyntax, ByteOrderMarkIsSkipped)
{
    const TbsSkinIni fromText = TbsSkinIni::fromText("\xEF\xBB\xBF[VERSION]\r\nskinname=x\r\n");
    EXPECT_TRUE(fromText.sectionExists("VERSION"));
    EXPECT_EQ(fromText.readString("VERSION", "skinname"), "x");
    const TbsSkinIni fromLines = TbsSkinIni::fromLines({"\xEF\xBB\xBF  [VERSION]", "skinname=y"});
    EXPECT_EQ(fromLines.readString("VERSION", "skinname"), "y");
    // Only at the very start: elsewhere the bytes belong to the text.
    const TbsSkinIni later = TbsSkinIni::fromText("[s]\n\xEF\xBB\xBFkey=1\n");
    EXPECT_EQ(later.readString("s", "\xEF\xBB\xBFkey"), "1");
}

TEST(SkinIniSyntax, NumberedValuesAreTheKeysThatExist)
{
    const TbsSkinIni ini = TbsSkinIni::fromText("[list]\ncount=2147483647\n7=seven\n0=zero\n00=not zero\n"
                                                "+1=not one\n 2 = two \n7=second seven\n-3=no\nx=no\n"
                                                "2147483646=last\n2147483647=beyond\n4294967297=wraps\n"
                                                "[LIST]\n5=five\n");
    const auto values = ini.numberedValues("List", 2147483647);
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "zero"}, {2, "two"}, {5, "five"}, {7, "seven"}, {2147483646, "last"}};
    ASSERT_EQ(values.size(), expected.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].first, expected[i].first);
        EXPECT_EQ(values[i].second, expected[i].second);
    }
    EXPECT_EQ(ini.numberedValues("list", 3).size(), 2u); // "0" and "2"
    EXPECT_TRUE(ini.numberedValues("list", 0).empty());
    EXPECT_TRUE(ini.numberedValues("list", -4).empty());
    EXPECT_TRUE(ini.numberedValues("missing", 10).empty());
}

TEST(SkinIniSyntax, ManyLinesAndSectionsStayFindable)
{
    // Enough keys and sections to make the index grow several times.
    std::string text;
    for (int s = 0; s < 300; ++s) {
        text += "[Sec" + std::to_string(s) + "]\n";
        for (int k = 0; k < 50; ++k)
            text += "Key" + std::to_string(k) + "=" + std::to_string(s * 1000 + k) + "\n\n";
    }
    text += "[sec7]\nkey3=late\nextra=1\n";
    const TbsSkinIni ini = TbsSkinIni::fromText(text);
    for (int s = 0; s < 300; s += 13)
        for (int k = 0; k < 50; k += 7)
            EXPECT_EQ(ini.readInteger("SEC" + std::to_string(s), "key" + std::to_string(k), -1), s * 1000 + k);
    EXPECT_EQ(ini.readString("sec7", "key3"), "7003");
    EXPECT_EQ(ini.readString("sec7", "extra"), "1");
    EXPECT_FALSE(ini.value("sec7", "key50").has_value());
    EXPECT_FALSE(ini.sectionExists("sec300"));
}

} // namespace
