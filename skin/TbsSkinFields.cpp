#include "TbsSkinFields.h"

#include "TbsSkinIni.h"

void TbsSkinFields::integer(const char* key, int& field, int def)
{
    fields_.push_back({key, TbsSkinValueType::Integer, &field, def, ""});
}
void TbsSkinFields::color(const char* key, int& field, int def)
{
    fields_.push_back({key, TbsSkinValueType::Color, &field, def, ""});
}
void TbsSkinFields::boolean(const char* key, bool& field)
{
    fields_.push_back({key, TbsSkinValueType::Boolean, &field});
}
void TbsSkinFields::rect(const char* key, TbsRect& field)
{
    fields_.push_back({key, TbsSkinValueType::Rect, &field});
}
void TbsSkinFields::point(const char* key, TbsPoint& field)
{
    fields_.push_back({key, TbsSkinValueType::Point, &field});
}
void TbsSkinFields::fontStyle(const char* key, TbsFontStyles& field)
{
    fields_.push_back({key, TbsSkinValueType::FontStyle, &field});
}
void TbsSkinFields::alignment(const char* key, TbsAlignment& field)
{
    fields_.push_back({key, TbsSkinValueType::Alignment, &field});
}
void TbsSkinFields::morphKind(const char* key, TbsMorphKind& field)
{
    fields_.push_back({key, TbsSkinValueType::MorphKind, &field});
}
void TbsSkinFields::inactiveEffect(const char* key, TbsInactiveEffect& field)
{
    fields_.push_back({key, TbsSkinValueType::InactiveEffect, &field});
}
void TbsSkinFields::command(const char* key, TbsStdCommand& field)
{
    fields_.push_back({key, TbsSkinValueType::Command, &field});
}
void TbsSkinFields::string(const char* key, TbsSkinText& field, const char* def)
{
    fields_.push_back({key, TbsSkinValueType::String, &field, 0, def});
}
void TbsSkinFields::fontName(const char* key, TbsSkinText& field)
{
    fields_.push_back({key, TbsSkinValueType::FontName, &field, 0, "Arial"});
}
void TbsSkinFields::fontHeight(const char* key, int& field)
{
    fields_.push_back({key, TbsSkinValueType::FontHeight, &field, 14, ""});
}
void TbsSkinFields::sectionReference(const char* key, TbsSkinText& field, const char* def)
{
    fields_.push_back({key, TbsSkinValueType::SectionReference, &field, 0, def});
}
void TbsSkinFields::font(TbsSkinText& name, int& height, TbsFontStyles& style, int& color)
{
    fontName("fontname", name);
    fontHeight("fontheight", height);
    fontStyle("fontstyle", style);
    this->color("fontcolor", color);
}

void TbsSkinFields::load(const TbsSkinIni& ini, const std::string& section) const
{
    for (const TbsSkinField& f : fields_) {
        switch (f.type) {
        case TbsSkinValueType::Integer:
        case TbsSkinValueType::Color:
        case TbsSkinValueType::FontHeight:
            *std::get<int*>(f.target) = ini.readInteger(section, f.key, f.integerDefault);
            break;
        case TbsSkinValueType::Boolean:
            *std::get<bool*>(f.target) = ini.readBool(section, f.key);
            break;
        case TbsSkinValueType::Rect:
            *std::get<TbsRect*>(f.target) = ini.readRect(section, f.key);
            break;
        case TbsSkinValueType::Point:
            *std::get<TbsPoint*>(f.target) = ini.readPoint(section, f.key);
            break;
        case TbsSkinValueType::FontStyle:
            *std::get<TbsFontStyles*>(f.target) = ini.readFontStyles(section, f.key);
            break;
        case TbsSkinValueType::Alignment:
            *std::get<TbsAlignment*>(f.target) = ini.readAlignment(section, f.key);
            break;
        case TbsSkinValueType::MorphKind:
            *std::get<TbsMorphKind*>(f.target) = ini.readMorphKind(section, f.key);
            break;
        case TbsSkinValueType::InactiveEffect:
            *std::get<TbsInactiveEffect*>(f.target) = ini.readInactiveEffect(section, f.key);
            break;
        case TbsSkinValueType::Command:
            *std::get<TbsStdCommand*>(f.target) = ini.readCommand(section, f.key);
            break;
        case TbsSkinValueType::String:
        case TbsSkinValueType::FontName:
        case TbsSkinValueType::SectionReference:
            *std::get<TbsSkinText*>(f.target) = ini.readText(section, f.key, f.textDefault);
            break;
        }
    }
}

std::string TbsSkinFields::text(const TbsSkinField& f)
{
    switch (f.type) {
    case TbsSkinValueType::Integer:
    case TbsSkinValueType::Color:
    case TbsSkinValueType::FontHeight:
        return std::to_string(*std::get<int*>(f.target));
    case TbsSkinValueType::Boolean:
        return *std::get<bool*>(f.target) ? "1" : "0";
    case TbsSkinValueType::Rect:
        return TbsSkinIni::formatRect(*std::get<TbsRect*>(f.target));
    case TbsSkinValueType::Point:
        return TbsSkinIni::formatPoint(*std::get<TbsPoint*>(f.target));
    case TbsSkinValueType::FontStyle:
        return TbsSkinIni::formatFontStyles(*std::get<TbsFontStyles*>(f.target));
    case TbsSkinValueType::Alignment:
        return TbsSkinIni::alignmentWord(*std::get<TbsAlignment*>(f.target));
    case TbsSkinValueType::MorphKind:
        return TbsSkinIni::morphKindWord(*std::get<TbsMorphKind*>(f.target));
    case TbsSkinValueType::InactiveEffect:
        return TbsSkinIni::inactiveEffectWord(*std::get<TbsInactiveEffect*>(f.target));
    case TbsSkinValueType::Command:
        return TbsSkinIni::commandWord(*std::get<TbsStdCommand*>(f.target));
    case TbsSkinValueType::String:
    case TbsSkinValueType::FontName:
    case TbsSkinValueType::SectionReference:
        break;
    }
    return std::get<TbsSkinText*>(f.target)->str();
}

void TbsSkinFields::save(TbsSkinIni& ini, const std::string& section) const
{
    for (const TbsSkinField& f : fields_)
        ini.writeString(section, f.key, text(f));
}
