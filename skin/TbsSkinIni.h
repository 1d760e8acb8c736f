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
// Text is bytes in the system code page and is never converted; a UTF-8 byte-order mark at the
// very start of the text is skipped. Parsing takes time in proportion to the text and a
// look-up in proportion to the name looked up (hash indexes); the parsed text needs a few
// times its size.

#include "SkinTypes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class TbsSkinIni {
public:
    TbsSkinIni() = default;
    // Splits the text into lines at CR LF, CR or LF.
    static TbsSkinIni fromText(std::string_view text);
    // One line per item, as a stored skin keeps its text.
    static TbsSkinIni fromLines(const std::vector<std::string>& lines);

    bool sectionExists(std::string_view section) const;
    // The values of the keys "0", "1" ... count-1 (plain decimal, as the list sections write
    // them) that the section holds, in key order. Only keys that exist cost anything, so a
    // list's "count" may be as large as it likes.
    std::vector<std::pair<int, std::string_view>> numberedValues(std::string_view section, int count) const;
    // The value of a key, or nothing when the section or the key is missing.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // The value readers. A missing key gives the default; a present key is parsed by the
    // reader's rule (see docs/skin-format.md).
    std::string readString(std::string_view section, std::string_view key, std::string_view def = {}) const;
    // The same for a data object's text field: a long value is shared by all who read its line.
    TbsSkinText readText(std::string_view section, std::string_view key, const char* def) const;
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
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    // The text is kept once, as the trimmed keys and values of the lines that count, back to
    // back in storage_; lines and sections refer to it by offset, so that a text needs a few
    // times its own size whatever its line lengths, and empty lines and comments need nothing.
    struct Line {
        std::uint32_t section;     // kNone once the section is erased
        std::uint32_t at;          // the key, then the value, in storage_
        std::uint32_t keyLength;   // kNone for a line without "=" (its text is the value)
        std::uint32_t valueLength;
    };
    struct Section {
        std::uint32_t at; // kNone once erased
        std::uint32_t length;
    };
    // Open addressing over line or section numbers; the owner supplies hashes and equality.
    struct Table {
        std::vector<std::uint32_t> cells;
        std::size_t used = 0;
    };

    void parseLine(std::string_view raw, std::uint32_t& current, bool first);
    std::uint32_t append(std::string_view text);
    std::string_view sectionName(std::uint32_t id) const;
    std::string_view keyOf(const Line& line) const;
    std::string_view valueOf(const Line& line) const;
    std::uint32_t findSection(std::string_view section) const;
    std::uint32_t addSection(std::string_view section);
    std::uint32_t findKey(std::uint32_t section, std::string_view key) const;
    void indexSection(std::uint32_t id);
    void indexLine(std::uint32_t id);
    void reindex();

    std::string storage_;
    std::vector<Section> sections_;
    std::vector<Line> lines_;
    Table sectionIndex_; // live sections by lower-case name
    Table keyIndex_;     // the first line of each key, by section and lower-case key
    mutable std::unordered_map<std::uint32_t, std::shared_ptr<const std::string>> sharedTexts_; // by line
};
