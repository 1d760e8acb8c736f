#pragma once
// The skin's INI text held in memory: sections of "key=value" lines, read with the skin's
// value readers and written back by the data classes' SaveToIni.
//
// Reading rules: every line is trimmed of blanks and control characters; empty lines and
// lines starting with ";" are skipped; "[name]" opens a section (name trimmed); lines before
// the first section are ignored; any other line is split at its first "=" (key and value
// trimmed), and a line without "=" is kept but never found by key. Section names and keys
// match without regard to ASCII letter case. When a key appears twice in a section the first
// line counts; a section header that appears twice continues the first section.
// Text is bytes in the system code page and is never converted.

#include "SkinTypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TbsSkinIni {
public:
    TbsSkinIni() = default;
    // Splits the text into lines at CR LF, CR or LF.
    static TbsSkinIni fromText(std::string_view text);
    static TbsSkinIni fromLines(const std::vector<std::string>& lines);

    bool sectionExists(std::string_view section) const;
    // The value of a key, or nothing when the section or the key is missing.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // The value readers. A missing key gives the default; a present key is parsed by the
    // reader's rule (see docs/skin-format.md).
    std::string readString(std::string_view section, std::string_view key, std::string_view def = {}) const;
    int readInteger(std::string_view section, std::string_view key, int def) const;
    bool readBool(std::string_view section, std::string_view key) const;
    // Raises EConvertError when a field holds no digit.
    TbsRect readRect(std::string_view section, std::string_view key) const;
    TbsPoint readPoint(std::string_view section, std::string_view key) const;
    TbsFontStyles readFontStyles(std::string_view section, std::string_view key) const;
    TbsAlignment readAlignment(std::string_view section, std::string_view key) const;
    TbsMorphKind readMorphKind(std::string_view section, std::string_view key) const;
    TbsInactiveEffect readInactiveEffect(std::string_view section, std::string_view key) const;
    TbsStdCommand readCommand(std::string_view section, std::string_view key) const;

    // Writing: sections and keys keep their order; a new key goes to the end of its section,
    // a new section to the end of the text.
    void eraseSection(std::string_view section);
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    std::vector<std::string> lines() const;
    std::string text() const; // lines ended by CR LF

    // The parse rules on their own, for the readers above and for tests.
    static std::string_view trim(std::string_view text);
    // Decimal, or hexadecimal after "$", "0x" or "0X", with an optional sign; whole string.
    static std::optional<int> parseInteger(std::string_view text);
    // The rect and point rule: only digits and commas count; exactly `count` fields.
    static std::vector<int> parseDigitFields(std::string_view text, int count);
    static TbsFontStyles parseFontStyles(std::string_view text);
    static TbsAlignment parseAlignment(std::string_view text);
    static TbsMorphKind parseMorphKind(std::string_view text);
    static TbsInactiveEffect parseInactiveEffect(std::string_view text);
    static TbsStdCommand parseCommand(std::string_view text);

    static std::string formatRect(const TbsRect& r);
    static std::string formatPoint(const TbsPoint& p);
    static std::string formatFontStyles(const TbsFontStyles& s);
    static const char* alignmentWord(TbsAlignment a);
    static const char* morphKindWord(TbsMorphKind k);
    static const char* inactiveEffectWord(TbsInactiveEffect e);
    static const char* commandWord(TbsStdCommand c);

private:
    struct Line {
        std::string key;   // empty for a line without "="
        std::string value; // the whole line for a line without "="
        bool hasKey = false;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };
    const Section* find(std::string_view section) const;
    Section& findOrAdd(std::string_view section);
    void reindex();

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> index_; // lower-case name -> section
};
