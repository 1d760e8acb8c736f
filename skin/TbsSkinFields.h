#pragma once
// The key list of a skin section: every data class names its keys here once (key, reader
// type, default, the field that holds the value). Loading, saving and the skin dump all work
// from this one list, so the three can never disagree about a key.

#include "SkinTypes.h"

#include <string>
#include <variant>
#include <vector>

class TbsSkinIni;

enum class TbsSkinValueType {
    Integer,
    Color,
    Boolean,
    Rect,
    Point,
    FontStyle,
    Alignment,
    MorphKind,
    InactiveEffect,
    Command,
    String,
    FontName,
    FontHeight,
    SectionReference
};

struct TbsSkinField {
    const char* key; // lower case, as the skin writes it (the one exception keeps its capital)
    TbsSkinValueType type;
    std::variant<int*, bool*, TbsRect*, TbsPoint*, TbsFontStyles*, TbsAlignment*, TbsMorphKind*,
                 TbsInactiveEffect*, TbsStdCommand*, TbsSkinText*>
        target;
    int integerDefault = 0;          // Integer, Color, FontHeight
    const char* textDefault = "";    // String, FontName, SectionReference
};

class TbsSkinFields {
public:
    void integer(const char* key, int& field, int def = 0);
    void color(const char* key, int& field, int def = 0);
    void boolean(const char* key, bool& field);
    void rect(const char* key, TbsRect& field);
    void point(const char* key, TbsPoint& field);
    void fontStyle(const char* key, TbsFontStyles& field);
    void alignment(const char* key, TbsAlignment& field);
    void morphKind(const char* key, TbsMorphKind& field);
    void inactiveEffect(const char* key, TbsInactiveEffect& field);
    void command(const char* key, TbsStdCommand& field);
    void string(const char* key, TbsSkinText& field, const char* def = "");
    void fontName(const char* key, TbsSkinText& field);  // default "Arial"
    void fontHeight(const char* key, int& field);        // default 14
    void sectionReference(const char* key, TbsSkinText& field, const char* def = "");
    // "fontname", "fontheight", "fontstyle", "fontcolor" in that order.
    void font(TbsSkinText& name, int& height, TbsFontStyles& style, int& color);

    const std::vector<TbsSkinField>& list() const { return fields_; }

    // Reads every key from the section, in list order. A rect or point field without a digit
    // raises EConvertError at that key; the keys before it keep their new values.
    void load(const TbsSkinIni& ini, const std::string& section) const;
    // Writes every key into the section (which the caller has erased).
    void save(TbsSkinIni& ini, const std::string& section) const;

    // A field's current value as SaveToIni writes it (integers in decimal, booleans 0/1,
    // rects and points comma-joined, the words of the enumerated types).
    static std::string text(const TbsSkinField& field);

private:
    std::vector<TbsSkinField> fields_;
};
